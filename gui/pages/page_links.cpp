#include "gui/pages/page_links.h"

#include "gui/pages/menu_panel.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/shell.h"
#include "platform/files/program_folder.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTextEdit>
#include <QUrl>

namespace mirelta {
namespace {

const QColor kLime(0, 255, 0);
const QColor kAqua(0, 255, 255);
const QColor kYellow(255, 255, 0);

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

} // namespace

PageLinks::PageLinks(QWidget* page, MenuPanel& menu, const ProgramFolder& folder, Shell& shell)
    : QObject(page), menu_(menu), folder_(folder), shell_(shell) {
    QFrame* bar = framedPanel(page, "Pzag", {-8, 8, 417, 49});
    bar->setFrameShape(QFrame::NoFrame);
    auto* forum = link(bar, "Rm1", QStringLiteral("Посетить форум \nпо программе"), 16, kAqua);
    auto* site = link(bar, "Rm2", QStringLiteral("Посетить сайт программы"), 120, kAqua);
    site->setWordWrap(true);
    site->resize(86, site->heightForWidth(86));
    auto* standardTexts =
        link(bar, "Rnast", QStringLiteral("Смотреть\nстандарт\nвнушения"), 208, kLime);
    auto* showMenu = link(bar, "Rmenu", QStringLiteral("Показать\nменю"), 272, kLime);
    auto* recommended =
        link(bar, "Rn", QStringLiteral("Оптим. \nнастройки \nпрограммы"), 336, kYellow);
    labels_ = {bar, forum, site, standardTexts, showMenu, recommended, nullptr, nullptr};
    recommended->setToolTip(
        QStringLiteral("Кликните чтобы востановить оптимальные настройки по умолчанию"));

    connect(forum, &ClickableLabel::clicked, this, [this] { openLocalPage(LinkPages::forum); });
    connect(forum, &ClickableLabel::doubleClicked, this,
            [this] { openLocalPage(LinkPages::suggestions); });
    connect(site, &ClickableLabel::clicked, this, [this] { openLocalPage(LinkPages::site); });
    connect(site, &ClickableLabel::doubleClicked, this,
            [this] { openLocalPage(LinkPages::program); });
    // The menu strip lies over the tab row: moving it behind shows the standard texts' tabs.
    connect(standardTexts, &ClickableLabel::clicked, this, [this] { menu_.lower(); });
    connect(showMenu, &ClickableLabel::clicked, this, [this] { menu_.raise(); });
    connect(recommended, &ClickableLabel::clicked, this, &PageLinks::recommendedRequested);
    connect(&menu, &MenuPanel::aboutRequested, this,
            [this] { showInformationPage(InformationPage::About); });
    connect(&menu, &MenuPanel::settingsHelpRequested, this,
            [this] { showInformationPage(InformationPage::Settings); });
    connect(&menu, &MenuPanel::personalHelpRequested, this,
            [this] { showInformationPage(InformationPage::Personal); });
    connect(&menu, &MenuPanel::authorRequested, this, &PageLinks::showAuthor);
}

void PageLinks::buildOverlays(QWidget* page) {
    information_ = framedPanel(page, "Phelp", {0, 0, 417, 377});
    informationText_ = place(new QTextEdit(information_), "Rhelp", {8, 8, 401, 350});
    informationText_->setReadOnly(true);
    auto* close =
        place(new QPushButton(QStringLiteral("Закрыть"), information_), "Bzac", {336, 357, 75, 17});
    informationClose_ = close;
    connect(close, &QPushButton::clicked, information_, &QWidget::hide);
    information_->hide();

    author_ = framedPanel(page, "Pavtor", {96, 88, 241, 65});
    auto* card = place(new ClickableLabel(QStringLiteral("Автор программы\nкоманда программы "
                                                         "«Мирельта»\nсайт программы: папка Site"),
                                          author_),
                       "Ravt", {0, 0, 241, 49});
    card->setAlignment(Qt::AlignCenter);
    labels_.authorCard = author_;
    labels_.author = card;
    connect(card, &ClickableLabel::clicked, this, [this] { openLocalPage(LinkPages::author); });
    auto* closeCard =
        place(new QPushButton(QStringLiteral("Закрыть"), author_), "Bzavt", {168, 48, 70, 17});
    connect(closeCard, &QPushButton::clicked, author_, &QWidget::hide);
    author_->hide();
}

void PageLinks::showInformationPage(InformationPage page) {
    informationText_->clear();
    for (const QString& paragraph : informationParagraphs(page)) {
        informationText_->append(paragraph);
    }
    information_->resize(information_->width(), 377);
    informationText_->resize(informationText_->width(), 350);
    informationClose_->move(informationClose_->x(), 357);
    information_->show();
    information_->raise();
    openLocalPage(informationDocument(page));
}

void PageLinks::showAuthor() {
    author_->show();
    author_->raise();
}

void PageLinks::openLocalPage(const QString& relative) {
    const QString path = folder_.file(relative);
    if (QFileInfo(path).isFile()) {
        shell_.open(QUrl::fromLocalFile(path));
    }
}

} // namespace mirelta
