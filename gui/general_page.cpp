#include "gui/general_page.h"

#include "gui/editor/editor_panel.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>

namespace mirelta {
namespace {

const QColor kLime(0, 255, 0);
const QColor kAqua(0, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kTooltipColour(255, 255, 225);

ClickableLabel* link(QWidget* parent, const char* name, const QString& caption, int left,
                     const QColor& colour) {
    auto* label = new ClickableLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setUnderlined(true);
    label->setBackground(colour);
    label->adjustSize();
    label->move(left, 0);
    return label;
}

QFrame* panel(QWidget* parent, const char* name, QRect geometry) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

} // namespace

GeneralPage::GeneralPage(Dialogs& dialogs, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Titul"));
    buildLinkBar();
    Pnast = new SettingsPanel(dialogs, this);
    buildChoice();
    buildOverlays();
}

void GeneralPage::buildLinkBar() {
    Pzag = panel(this, "Pzag", {-8, 8, 417, 49});
    Pzag->setFrameShape(QFrame::NoFrame);
    Rm1 = link(Pzag, "Rm1", QStringLiteral("Посетить форум \nпо программе"), 16, kAqua);
    Rm2 = link(Pzag, "Rm2", QStringLiteral("Посетить сайт программы"), 120, kAqua);
    Rm2->setWordWrap(true);
    Rm2->resize(86, Rm2->heightForWidth(86));
    Rnast = link(Pzag, "Rnast", QStringLiteral("Смотреть\nстандарт\nвнушения"), 208, kLime);
    Rmenu = link(Pzag, "Rmenu", QStringLiteral("Показать\nменю"), 272, kLime);
    Rn = link(Pzag, "Rn", QStringLiteral("Оптим. \nнастройки \nпрограммы"), 336, kYellow);
    Rn->setToolTip(QStringLiteral("Кликните чтобы востановить оптимальные настройки по умолчанию"));
}

void GeneralPage::buildChoice() {
    Rgnast = new RadioGroup(QStringLiteral("Тип внушения"),
                            {QStringLiteral("Против Табачной зависимости"),
                             QStringLiteral("Против Пивной зависимости"),
                             QStringLiteral("Против Алкогольной зависимости"),
                             QStringLiteral("Против Наркотической зависимости"),
                             QStringLiteral("Против Неврозов"), QStringLiteral("Для Похудения")},
                            this);
    Rgnast->setObjectName(QStringLiteral("Rgnast"));
    Rgnast->setGeometry(16, 208, 369, 145);
    Rgnast->setItemIndex(5);

    Pb = new QProgressBar(this);
    Pb->setObjectName(QStringLiteral("Pb"));
    Pb->setGeometry(16, 353, 369, 9);
    Pb->setRange(0, 100);
    Pb->setTextVisible(false);
    Pb->hide();

    Chperson = new QCheckBox(QStringLiteral("Персональный"), this);
    Chperson->setObjectName(QStringLiteral("Chperson"));
    Chperson->move(0, 354);
    Cperson = new QComboBox(this);
    Cperson->setObjectName(QStringLiteral("Cperson"));
    Cperson->setEditable(true);
    Cperson->setInsertPolicy(QComboBox::NoInsert);
    Cperson->setGeometry(120, 352, 201, 22);
    Rud = new ClickableLabel(QStringLiteral("Удалить"), this);
    Rud->setObjectName(QStringLiteral("Rud"));
    Rud->setToolTip(QStringLiteral("Удаление выбранного персонального настроя"));
    Rud->setBackground(kTooltipColour);
    Rud->adjustSize();
    Rud->move(328, 355);
}

void GeneralPage::buildOverlays() {
    Popis = panel(this, "Popis", {16, 208, 369, 145});
    Ropis = new QLabel(Popis);
    Ropis->setObjectName(QStringLiteral("Ropis"));
    Ropis->setGeometry(8, 8, 353, 105);
    Ropis->setAlignment(Qt::AlignCenter);
    Ropis->setWordWrap(true);
    Ropis->setAutoFillBackground(true);
    QPalette palette = Ropis->palette();
    palette.setColor(QPalette::Window, kLime);
    Ropis->setPalette(palette);
    Bpopis = new QPushButton(QStringLiteral("Закрыть"), Popis);
    Bpopis->setObjectName(QStringLiteral("Bpopis"));
    Bpopis->setGeometry(288, 120, 75, 20);
    connect(Bpopis, &QPushButton::clicked, Popis, &QWidget::hide);
    Popis->hide();

    Phelp = panel(this, "Phelp", {0, 0, 417, 377});
    Rhelp = new QTextEdit(Phelp);
    Rhelp->setObjectName(QStringLiteral("Rhelp"));
    Rhelp->setGeometry(8, 8, 401, 350);
    Rhelp->setReadOnly(true);
    Bzac = new QPushButton(QStringLiteral("Закрыть"), Phelp);
    Bzac->setObjectName(QStringLiteral("Bzac"));
    Bzac->setGeometry(336, 357, 75, 17);
    connect(Bzac, &QPushButton::clicked, Phelp, &QWidget::hide);
    Phelp->hide();

    Pavtor = panel(this, "Pavtor", {96, 88, 241, 65});
    Ravt = new ClickableLabel(QStringLiteral("Автор программы\nкоманда программы «Мирельта»\n"
                                             "сайт программы: папка Site"),
                              Pavtor);
    Ravt->setObjectName(QStringLiteral("Ravt"));
    Ravt->setGeometry(0, 0, 241, 49);
    Ravt->setAlignment(Qt::AlignCenter);
    Bzavt = new QPushButton(QStringLiteral("Закрыть"), Pavtor);
    Bzavt->setObjectName(QStringLiteral("Bzavt"));
    Bzavt->setGeometry(168, 48, 70, 17);
    connect(Bzavt, &QPushButton::clicked, Pavtor, &QWidget::hide);
    Pavtor->hide();
    Ptext = new EditorPanel(this);
}

} // namespace mirelta
