// The program's own session driver: the engine on its own thread, frames paced by the refresh,
// the window responsive throughout.

#include "gui/main_window.h"
#include "gui/session/direct_session_driver.h"
#include "gui/session/frame_exchange.h"
#include "platform/sound/silent_sound_player.h"
#include "tests/support/recording_dialogs.h"
#include "text/cp1251.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace mirelta;
using namespace mirelta::test;

namespace {

class PacedSession : public ::testing::Test {
protected:
    PacedSession() {
        QDir(folder.path()).mkpath(QStringLiteral("Text"));
        QFile text(folder.filePath(QStringLiteral("Text/p.txt")));
        EXPECT_TRUE(text.open(QIODevice::WriteOnly));
        text.write(
            cp1251::normaliseLineBreaks(cp1251::fromUtf8(">\n@1#1%$0&10@\nда\n<\n")).c_str());
        text.close();
        QFile settings(folder.filePath(QStringLiteral("polufabu.ini")));
        EXPECT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=p\r\nEpov_Text=1\r\n");
    }

    // The window runs its sessions itself: no driver is handed in.
    std::unique_ptr<mirelta::MainWindow> makeWindow() {
        auto window = std::make_unique<mirelta::MainWindow>(
            ProgramFolder(folder.path()),
            WindowServices{.dialogs = dialogs, .sound = sound, .shell = &shell});
        window->showAtStart();
        window->switchBorderOff();
        return window;
    }

    QTemporaryDir folder;
    RecordingDialogs dialogs;
    SilentSoundPlayer sound;
    RecordingShell shell;
};

} // namespace

TEST_F(PacedSession, PlaysToTheEndOnItsOwnThreadAndDrawsWholeRings) {
    auto window = makeWindow();
    window->findChild<QPushButton*>(QStringLiteral("start"))->click();
    EXPECT_TRUE(window->isVisible()); // "Старт" returns at once: the session runs elsewhere
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 60000));
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("Сеанс окончен повторите его \rне ранее чем 30 минут ")});
    // Every side of the second frame ring (10 pixels out; the first lies under the panel) reached
    // the window's surface: the right and bottom sides too.
    const QImage surface = window->grab().toImage();
    const QRect panel = window->findChild<QWidget*>(QStringLiteral("Pkod"))->geometry();
    const QColor background = window->palette().color(QPalette::ButtonText);
    // (The offscreen platform reports a frame of a few pixels around the window, which moves
    // the rings by as much: each side is looked for within 4 pixels of its place.)
    const auto drawnNear = [&](QPoint at, QPoint across) {
        for (int step = -4; step <= 4; ++step) {
            if (surface.pixelColor(at + across * step) != background) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(drawnNear({panel.center().x(), panel.top() - 10}, {0, 1}));
    EXPECT_TRUE(drawnNear({panel.right() + 10, panel.center().y()}, {1, 0}));
    EXPECT_TRUE(drawnNear({panel.center().x(), panel.bottom() + 10}, {0, 1}));
    EXPECT_TRUE(drawnNear({panel.left() - 10, panel.center().y()}, {1, 0}));
}

// The window repaints only where new rings fall: that region must be exactly what drawing a ring
// changes, or sides are drawn into the surface but never shown.
TEST(FrameRing, RepaintsExactlyThePixelsItDraws) {
    for (const QRect corners :
         {QRect(QPoint(299, 171), QPoint(724, 596)), QRect(QPoint(0, 0), QPoint(40, 25)),
          QRect(QPoint(5, 7), QPoint(9, 12))}) {
        const Ring ring{corners, 0x00FFFFFF};
        QImage surface(800, 650, QImage::Format_RGB32);
        surface.fill(Qt::black);
        QPainter painter(&surface);
        ring.draw(painter, Qt::white);
        painter.end();
        const QRegion sides = ring.sides();
        for (int y = 0; y < surface.height(); ++y) {
            for (int x = 0; x < surface.width(); ++x) {
                ASSERT_EQ(surface.pixel(x, y) == 0xFFFFFFFFu, sides.contains(QPoint(x, y)))
                    << x << "," << y;
            }
        }
    }
}

TEST_F(PacedSession, AKeyEndsTheSessionAndTheProgramAtOnce) {
    auto window = makeWindow();
    window->findChild<QPushButton*>(QStringLiteral("start"))->click();
    QTest::qWait(300);
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.messages.isEmpty()); // no end-of-session message: the user ended it
    QFile settings(folder.filePath(QStringLiteral("polufabu.ini")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(settings.readAll().contains("Eslov_Text=20\r\n")); // saved, not lowered
}
