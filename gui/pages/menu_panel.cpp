#include "gui/pages/menu_panel.h"

#include "gui/widgets/clickable_label.h"
#include "gui/widgets/program_version.h"

#include <QLabel>

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
    auto* author = menuLabel(this, "R0", QStringLiteral("О авторе"), 8);
    auto* about = menuLabel(this, "R1", QStringLiteral("О программе"), 112);
    auto* settingsHelp = menuLabel(this, "R2", QStringLiteral("О настройках"), 208);
    auto* personalHelp = menuLabel(this, "R4", QStringLiteral("О персональных\nвнушениях"), 312);
    // The language lessons have a window of their own; their label stays hidden.
    auto* lessons = menuLabel(this, "R3", QStringLiteral("Обучение иностр языку"), 328);
    lessons->setBackground(palette().color(QPalette::Button));
    lessons->hide();
    auto* version = new QLabel(QStringLiteral("Версия ") + programVersion(), this);
    version->setObjectName(QStringLiteral("Label3"));
    QFont small = version->font();
    small.setPixelSize(9);
    version->setFont(small);
    version->adjustSize();
    version->move(0, 16);
    labels_ = {author, about, settingsHelp, lessons, personalHelp};
    connect(author, &ClickableLabel::clicked, this, &MenuPanel::authorRequested);
    connect(about, &ClickableLabel::clicked, this, &MenuPanel::aboutRequested);
    connect(settingsHelp, &ClickableLabel::clicked, this, &MenuPanel::settingsHelpRequested);
    connect(personalHelp, &ClickableLabel::clicked, this, &MenuPanel::personalHelpRequested);
}

} // namespace mirelta
