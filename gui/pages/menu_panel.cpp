#include "gui/pages/menu_panel.h"

#include "gui/widgets/clickable_label.h"

namespace mirelta {
namespace {

ClickableLabel* menuLabel(QWidget* parent, const char* name, const QString& caption, int left) {
    auto* label = new ClickableLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBackground(QColor(0, 255, 0));
    label->adjustSize();
    label->move(left, 0);
    return label;
}

} // namespace

MenuPanel::MenuPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Pmenu"));
    resize(425, 33);
    setAutoFillBackground(true);
    R0 = menuLabel(this, "R0", QStringLiteral("О авторе"), 8);
    R1 = menuLabel(this, "R1", QStringLiteral("О программе"), 112);
    R2 = menuLabel(this, "R2", QStringLiteral("О настройках"), 208);
    R4 = menuLabel(this, "R4", QStringLiteral("О персональных\nвнушениях"), 312);
    R3 = menuLabel(this, "R3", QStringLiteral("Обучение иностр языку"), 328);
    R3->setBackground(palette().color(QPalette::Button));
    R3->hide();
    Label3 = new QLabel(QStringLiteral("Версия 1.779"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont small = Label3->font();
    small.setPixelSize(9);
    Label3->setFont(small);
    Label3->adjustSize();
    Label3->move(0, 16);
}

} // namespace mirelta
