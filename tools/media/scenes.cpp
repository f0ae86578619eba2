#include "tools/media/scenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace mirelta::media {
namespace {

using Draw = void (*)(QPainter&, const QSize&);

QImage paint(QSize size, Draw draw) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, size);
    return image;
}

void sky(QPainter& p, const QSize& s, QColor top, QColor bottom, double horizon = 1.0) {
    QLinearGradient gradient(0, 0, 0, s.height() * horizon);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.fillRect(QRectF(0, 0, s.width(), s.height() * horizon), gradient);
}

void sun(QPainter& p, QPointF centre, double radius, QColor colour) {
    QRadialGradient glow(centre, radius * 2.2);
    glow.setColorAt(0, colour);
    glow.setColorAt(0.45, colour);
    glow.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius * 2.2, radius * 2.2);
}

void hills(QPainter& p, const QSize& s, double level, QColor colour, double waves, double phase) {
    QPainterPath path(QPointF(0, s.height()));
    for (int x = 0; x <= s.width(); x += 4) {
        const double y = s.height() * level + 14 * std::sin(waves * x / s.width() * 6.283 + phase);
        path.lineTo(x, y);
    }
    path.lineTo(s.width(), s.height());
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void cloud(QPainter& p, QPointF at, double size) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    for (const QPointF offset :
         {QPointF(0, 0), QPointF(0.7, -0.3), QPointF(1.3, 0.05), QPointF(0.6, 0.2)}) {
        p.drawEllipse(at + offset * size, size * 0.6, size * 0.42);
    }
}

void leaf(QPainter& p, QPointF base, double length, double angle, QColor colour) {
    p.save();
    p.translate(base);
    p.rotate(angle);
    QPainterPath shape(QPointF(0, 0));
    shape.cubicTo(length * 0.35, -length * 0.35, length * 0.75, -length * 0.3, length, 0);
    shape.cubicTo(length * 0.75, length * 0.3, length * 0.35, length * 0.35, 0, 0);
    QLinearGradient fill(0, 0, length, 0);
    fill.setColorAt(0, colour.darker(130));
    fill.setColorAt(1, colour.lighter(125));
    p.setPen(QPen(colour.darker(160), 1.2));
    p.setBrush(fill);
    p.drawPath(shape);
    p.drawLine(QPointF(0, 0), QPointF(length * 0.9, 0));
    p.restore();
}

void flower(QPainter& p, QPointF centre, double size, QColor petals) {
    p.setPen(Qt::NoPen);
    p.setBrush(petals);
    for (int i = 0; i < 6; ++i) {
        const double a = i * 3.14159 / 3;
        p.drawEllipse(centre + QPointF(std::cos(a), std::sin(a)) * size * 0.6, size * 0.45,
                      size * 0.45);
    }
    p.setBrush(QColor(250, 210, 80));
    p.drawEllipse(centre, size * 0.35, size * 0.35);
}

void meadow(QPainter& p, const QSize& s) {
    sky(p, s, QColor(110, 170, 235), QColor(200, 230, 250), 0.7);
    sun(p, QPointF(s.width() * 0.75, s.height() * 0.22), s.height() * 0.09, QColor(255, 230, 120));
    cloud(p, QPointF(s.width() * 0.15, s.height() * 0.2), 36);
    hills(p, s, 0.62, QColor(120, 190, 100), 1.2, 0.4);
    hills(p, s, 0.74, QColor(80, 160, 70), 2.0, 1.7);
    for (int i = 0; i < 9; ++i) {
        flower(p, QPointF(20 + i * s.width() / 9.0, s.height() * (0.86 + 0.05 * std::sin(i * 1.7))),
               7, i % 2 ? QColor(250, 250, 250) : QColor(240, 180, 200));
    }
}

void cleanAir(QPainter& p, const QSize& s) {
    sky(p, s, QColor(90, 160, 230), QColor(215, 238, 252));
    cloud(p, QPointF(40, 50), 40);
    cloud(p, QPointF(170, 90), 30);
    for (int i = 0; i < 5; ++i) {
        leaf(p, QPointF(s.width() * 0.15 + i * 12, s.height() - 8), 90 - i * 8, -60 - i * 12,
             QColor(70, 170, 80));
    }
}

void cigarette(QPainter& p, QPointF from, double length, double angle, bool filter) {
    p.save();
    p.translate(from);
    p.rotate(angle);
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.setBrush(filter ? QColor(215, 150, 80) : QColor(245, 245, 240));
    p.drawRoundedRect(QRectF(0, -9, length, 18), 4, 4);
    p.restore();
}

void brokenCigarette(QPainter& p, const QSize& s) {
    sky(p, s, QColor(170, 220, 170), QColor(230, 245, 225));
    cigarette(p, QPointF(40, 130), 70, -12, false);
    cigarette(p, QPointF(26, 133), 16, -12, true);
    cigarette(p, QPointF(160, 100), 80, 18, false);
    p.setPen(QPen(QColor(200, 60, 60), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(110, 60), QPointF(190, 170));
    leaf(p, QPointF(s.width() - 40, s.height() - 10), 70, -110, QColor(90, 170, 90));
}

void brokenCigaretteWithFlower(QPainter& p, const QSize& s) {
    sky(p, s, QColor(245, 215, 230), QColor(250, 240, 245));
    cigarette(p, QPointF(40, 140), 70, -12, false);
    cigarette(p, QPointF(26, 143), 16, -12, true);
    cigarette(p, QPointF(150, 110), 70, 18, false);
    p.setPen(QPen(QColor(200, 90, 120), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(110, 70), QPointF(185, 170));
    flower(p, QPointF(s.width() - 60, 60), 22, QColor(240, 150, 190));
}

void openWindow(QPainter& p, const QSize& s) {
    p.fillRect(QRect(QPoint(0, 0), s), QColor(235, 225, 205));
    const QRectF frame(s.width() * 0.2, s.height() * 0.15, s.width() * 0.6, s.height() * 0.7);
    p.save();
    p.setClipRect(frame);
    meadow(p, frame.size().toSize() + QSize(int(frame.x()), int(frame.y())));
    p.restore();
    p.setPen(QPen(QColor(250, 250, 250), 8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
    p.drawLine(frame.center().x(), frame.top(), frame.center().x(), frame.bottom());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 255, 170));
    p.drawRect(QRectF(frame.left() - 30, frame.top(), 30, frame.height()));
}

void mountains(QPainter& p, const QSize& s) {
    sky(p, s, QColor(120, 170, 225), QColor(225, 235, 245));
    auto peak = [&p, &s](double x, double top, double width, QColor colour) {
        QPainterPath path;
        path.moveTo(x - width, s.height());
        path.lineTo(x, s.height() * top);
        path.lineTo(x + width, s.height());
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(path);
        QPainterPath snow;
        snow.moveTo(x - width * 0.18, s.height() * (top + 0.12));
        snow.lineTo(x, s.height() * top);
        snow.lineTo(x + width * 0.18, s.height() * (top + 0.12));
        snow.closeSubpath();
        p.setBrush(QColor(250, 250, 255));
        p.drawPath(snow);
    };
    peak(s.width() * 0.3, 0.25, s.width() * 0.4, QColor(110, 120, 150));
    peak(s.width() * 0.7, 0.35, s.width() * 0.35, QColor(130, 140, 165));
    hills(p, s, 0.85, QColor(90, 150, 90), 1.5, 0.2);
}

void breathingLeaves(QPainter& p, const QSize& s) {
    sky(p, s, QColor(200, 235, 215), QColor(240, 250, 240));
    p.setPen(QPen(QColor(110, 80, 50), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s.width() / 2.0, 30), QPointF(s.width() / 2.0, s.height() * 0.55));
    leaf(p, QPointF(s.width() / 2.0 - 4, s.height() * 0.4), s.height() * 0.5, 120,
         QColor(80, 175, 95));
    leaf(p, QPointF(s.width() / 2.0 + 4, s.height() * 0.4), s.height() * 0.5, 60,
         QColor(80, 175, 95));
}

void glassOfWater(QPainter& p, const QSize& s) {
    sky(p, s, QColor(200, 230, 245), QColor(240, 248, 252));
    const QRectF glass(s.width() * 0.35, s.height() * 0.2, s.width() * 0.3, s.height() * 0.65);
    QLinearGradient water(glass.topLeft(), glass.topRight());
    water.setColorAt(0, QColor(150, 205, 240, 200));
    water.setColorAt(0.5, QColor(210, 240, 255, 200));
    water.setColorAt(1, QColor(140, 195, 235, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(water);
    p.drawRoundedRect(glass.adjusted(4, glass.height() * 0.25, -4, -4), 6, 6);
    p.setPen(QPen(QColor(120, 150, 170), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(glass, 8, 8);
    p.setPen(QPen(QColor(255, 255, 255, 200), 3));
    p.drawLine(QPointF(glass.left() + 10, glass.top() + 20),
               QPointF(glass.left() + 10, glass.bottom() - 20));
}

void glassWithFlower(QPainter& p, const QSize& s) {
    glassOfWater(p, s);
    flower(p, QPointF(s.width() * 0.8, s.height() * 0.3), 18, QColor(245, 170, 200));
    flower(p, QPointF(s.width() * 0.2, s.height() * 0.75), 12, QColor(250, 230, 150));
}

void sunrise(QPainter& p, const QSize& s) {
    sky(p, s, QColor(250, 200, 150), QColor(255, 235, 200), 0.7);
    sun(p, QPointF(s.width() / 2.0, s.height() * 0.7), s.height() * 0.12, QColor(255, 190, 90));
    p.fillRect(QRectF(0, s.height() * 0.7, s.width(), s.height() * 0.3), QColor(110, 150, 190));
    p.setPen(QPen(QColor(255, 220, 170), 2));
    for (int i = 0; i < 5; ++i) {
        const double y = s.height() * (0.74 + i * 0.05);
        p.drawLine(QPointF(s.width() * (0.4 - i * 0.03), y),
                   QPointF(s.width() * (0.6 + i * 0.03), y));
    }
}

void familyHome(QPainter& p, const QSize& s) {
    meadow(p, s);
    const QRectF wall(s.width() * 0.32, s.height() * 0.45, s.width() * 0.36, s.height() * 0.35);
    p.setPen(QPen(QColor(130, 90, 60), 2));
    p.setBrush(QColor(245, 225, 190));
    p.drawRect(wall);
    QPainterPath roof;
    roof.moveTo(wall.left() - 12, wall.top());
    roof.lineTo(wall.center().x(), wall.top() - s.height() * 0.2);
    roof.lineTo(wall.right() + 12, wall.top());
    roof.closeSubpath();
    p.setBrush(QColor(190, 80, 60));
    p.drawPath(roof);
    p.setBrush(QColor(255, 235, 150));
    p.drawRect(QRectF(wall.left() + 12, wall.top() + 14, 26, 24));
    p.setBrush(QColor(140, 95, 60));
    p.drawRect(QRectF(wall.right() - 38, wall.bottom() - 48, 24, 48));
}

void calmLake(QPainter& p, const QSize& s) {
    sky(p, s, QColor(150, 190, 230), QColor(220, 235, 245), 0.55);
    hills(p, s, 0.5, QColor(100, 150, 110), 1.0, 2.2);
    QLinearGradient lake(0, s.height() * 0.55, 0, s.height());
    lake.setColorAt(0, QColor(120, 170, 210));
    lake.setColorAt(1, QColor(70, 120, 170));
    p.fillRect(QRectF(0, s.height() * 0.57, s.width(), s.height() * 0.43), lake);
    p.setPen(QPen(QColor(230, 240, 250, 160), 1.5));
    for (int i = 0; i < 7; ++i) {
        const double y = s.height() * (0.62 + i * 0.05);
        p.drawLine(QPointF(20 + i * 17, y), QPointF(80 + i * 19, y));
    }
}

void forestPath(QPainter& p, const QSize& s) {
    sky(p, s, QColor(180, 215, 170), QColor(225, 240, 215));
    QPainterPath path;
    path.moveTo(s.width() * 0.42, s.height() * 0.45);
    path.lineTo(s.width() * 0.58, s.height() * 0.45);
    path.lineTo(s.width() * 0.85, s.height());
    path.lineTo(s.width() * 0.15, s.height());
    path.closeSubpath();
    p.fillRect(QRectF(0, s.height() * 0.45, s.width(), s.height() * 0.55), QColor(100, 160, 80));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 185, 140));
    p.drawPath(path);
    for (int i = 0; i < 6; ++i) {
        for (const double side : {0.12, 0.88}) {
            const double x = s.width() * (side + (side < 0.5 ? 0.05 : -0.05) * i / 5.0);
            const double h = s.height() * (0.5 - i * 0.05);
            QPainterPath tree;
            tree.moveTo(x, s.height() * 0.5 - h * 0.3);
            tree.lineTo(x - h * 0.22, s.height() * 0.5 + h * 0.4);
            tree.lineTo(x + h * 0.22, s.height() * 0.5 + h * 0.4);
            tree.closeSubpath();
            p.setBrush(QColor(40 + i * 8, 110 + i * 6, 60));
            p.drawPath(tree);
        }
    }
}

void feather(QPainter& p, const QSize& s) {
    sky(p, s, QColor(215, 230, 245), QColor(245, 248, 252));
    p.save();
    p.translate(s.width() / 2.0, s.height() / 2.0);
    p.rotate(-30);
    const double length = s.height() * 0.8;
    p.setPen(QPen(QColor(150, 150, 160), 2));
    p.drawLine(QPointF(0, length / 2), QPointF(0, -length / 2));
    for (int i = 0; i < 28; ++i) {
        const double y = -length / 2 + i * length / 30;
        const double w = std::sin(3.14159 * (i + 1) / 30.0) * length * 0.18;
        p.setPen(QPen(QColor(190, 195, 210), 1.3));
        p.drawLine(QPointF(0, y), QPointF(-w, y - 8));
        p.drawLine(QPointF(0, y), QPointF(w, y - 8));
    }
    p.restore();
}

void slenderTree(QPainter& p, const QSize& s) {
    sky(p, s, QColor(190, 220, 240), QColor(240, 248, 250), 0.8);
    hills(p, s, 0.82, QColor(130, 185, 110), 0.8, 1.1);
    p.setPen(QPen(QColor(120, 90, 60), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s.width() / 2.0, s.height() * 0.85),
               QPointF(s.width() / 2.0, s.height() * 0.25));
    for (int i = 0; i < 7; ++i) {
        const double y = s.height() * (0.3 + i * 0.07);
        leaf(p, QPointF(s.width() / 2.0, y), 45 - i * 2, i % 2 ? -25 : -155, QColor(100, 175, 90));
    }
}

} // namespace

std::vector<Scene> makeScenes() {
    const struct {
        const char* path;
        QSize size;
        Draw draw;
    } scenes[] = {
        {"zdorov/zdorov.jpeg", {320, 240}, meadow},
        {"tabak/tab2.jpeg", {300, 220}, cleanAir},
        {"tabak/tab3.JPG", {300, 220}, brokenCigarette},
        {"tabak/tab3ch.JPG", {300, 220}, brokenCigaretteWithFlower},
        {"tabak/tab6.JPG", {300, 240}, openWindow},
        {"tabak/tab7.JPG", {320, 220}, mountains},
        {"tabak/tab8.JPG", {260, 240}, breathingLeaves},
        {"pivo/piv1.jpeg", {240, 260}, glassOfWater},
        {"pivo/piv1ch.gif", {240, 260}, glassWithFlower},
        {"alkagol/alk1.gif", {320, 220}, sunrise},
        {"alkagol/alk2.gif", {300, 240}, familyHome},
        {"alkagol/alk4.gif", {320, 220}, calmLake},
        {"alkagol/alk6.jpeg", {280, 260}, forestPath},
        {"osiren/os1.jpeg", {240, 260}, feather},
        {"osiren/os2.jpeg", {240, 280}, slenderTree},
    };
    std::vector<Scene> made;
    for (const auto& scene : scenes) {
        made.push_back({QString::fromLatin1(scene.path), paint(scene.size, scene.draw)});
    }
    return made;
}

} // namespace mirelta::media
