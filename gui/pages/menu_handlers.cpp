// The menu strip and the link bar: the information pages, the author's card, the links to the
// pages that ship with the program, moving the menu behind and in front of the tab row, and the
// labels that light up under the pointer.

#include "gui/editor/editor_panel.h"
#include "gui/general_page.h"
#include "gui/main_window.h"
#include "gui/pages/information_pages.h"
#include "gui/pages/menu_panel.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/hover_highlights.h"
#include "platform/desktop/shell.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTextEdit>

using namespace mirelta;

void TMirelta::connectMenu() {
    connect(Pmenu->R1, &ClickableLabel::clicked, this,
            [this] { showInformationPage(InformationPage::About); });
    connect(Pmenu->R2, &ClickableLabel::clicked, this,
            [this] { showInformationPage(InformationPage::Settings); });
    connect(Pmenu->R4, &ClickableLabel::clicked, this,
            [this] { showInformationPage(InformationPage::Personal); });
    connect(Pmenu->R0, &ClickableLabel::clicked, this, [this] {
        Titul->Pavtor->show();
        Titul->Pavtor->raise();
    });
    connect(Titul->Ravt, &ClickableLabel::clicked, this,
            [this] { openLocalPage(LinkPages::author); });
    connect(Titul->Rm1, &ClickableLabel::clicked, this,
            [this] { openLocalPage(LinkPages::forum); });
    connect(Titul->Rm1, &ClickableLabel::doubleClicked, this,
            [this] { openLocalPage(LinkPages::suggestions); });
    connect(Titul->Rm2, &ClickableLabel::clicked, this, [this] { openLocalPage(LinkPages::site); });
    connect(Titul->Rm2, &ClickableLabel::doubleClicked, this,
            [this] { openLocalPage(LinkPages::program); });
    connect(Titul->Rnast, &ClickableLabel::clicked, this, [this] { Pmenu->lower(); });
    connect(Titul->Rmenu, &ClickableLabel::clicked, this, [this] { Pmenu->raise(); });
    declareHighlights();
}

void TMirelta::showInformationPage(InformationPage page) {
    Titul->Rhelp->clear();
    for (const QString& paragraph : informationParagraphs(page)) {
        Titul->Rhelp->append(paragraph);
    }
    Titul->Phelp->resize(Titul->Phelp->width(), 377);
    Titul->Rhelp->resize(Titul->Rhelp->width(), 350);
    Titul->Bzac->move(Titul->Bzac->x(), 357);
    Titul->Phelp->show();
    Titul->Phelp->raise();
    openLocalPage(informationDocument(page));
}

// A page or document that is missing is not reported.
void TMirelta::openLocalPage(const QString& relative) {
    const QString path = folder.file(relative);
    if (QFileInfo(path).isFile()) {
        shell.open(QUrl::fromLocalFile(path));
    }
}

// Which labels light up, their normal colours, and what each label or panel puts back to normal.
void TMirelta::declareHighlights() {
    const QColor lime(0, 255, 0);
    const QColor aqua(0, 255, 255);
    const QColor yellow(255, 255, 0);
    const QColor tooltip(255, 255, 225);
    MenuPanel& m = *Pmenu;
    GeneralPage& g = *Titul;
    hover->addLabel(m.R0, lime, {m.R1, m.R2, m.R3, m.R4});
    hover->addLabel(m.R1, lime, {m.R0, m.R2, m.R3, m.R4});
    hover->addLabel(m.R2, lime, {m.R0, m.R1, m.R3, m.R4});
    hover->addLabel(m.R4, lime, {m.R0, m.R1, m.R2, m.R3});
    hover->addLabel(m.R3, palette().color(QPalette::Button)); // hidden: never lights up
    hover->addArea(&m, {m.R0, m.R1, m.R2, m.R3, m.R4, g.Rm1});
    hover->addLabel(g.Rm1, aqua, {g.Rm2, g.Rnast, g.Rmenu, g.Rn});
    hover->addLabel(g.Rm2, aqua, {g.Rm1, g.Rnast, g.Rmenu, g.Rn});
    hover->addLabel(g.Rnast, lime, {g.Rm1, g.Rm2, g.Rmenu, g.Rn});
    hover->addLabel(g.Rmenu, lime, {g.Rm1, g.Rm2, g.Rnast, g.Rn});
    hover->addLabel(g.Rn, yellow, {g.Rm1, g.Rm2, g.Rnast, g.Rmenu});
    hover->addArea(g.Pzag, {g.Rm1, g.Rm2, g.Rnast, g.Rmenu, g.Rn});
    hover->addLabel(g.Rud, tooltip);
    hover->addArea(&g, {m.R1, m.R2, m.R3, m.R4, g.Rnast, g.Rmenu, g.Rn, g.Rud});
    hover->addLabel(g.Ravt, lime);
    hover->addArea(g.Pavtor, {g.Ravt});
    hover->addLabel(Pnast->R5, tooltip);
    hover->addArea(Pnast, {g.Rn, Pnast->R5});
    hover->addLabel(Ptext->R6, palette().color(QPalette::Button));
    hover->addArea(Ptext->Pslov, {Ptext->R6});
}
