#pragma once
// The links and pages of the general page: the link bar (the forum, the site, the standard texts,
// the menu, the recommended settings), the information pages the menu strip opens with their
// documents, and the author's card. The pages that ship with the program open in the desktop's
// programs; one that is missing is not reported.

#include "gui/pages/information_pages.h"

#include <QObject>

class QFrame;
class QTextEdit;
class QWidget;

namespace mirelta {

class ClickableLabel;
class MenuPanel;
class ProgramFolder;
class Shell;

class PageLinks : public QObject {
    Q_OBJECT
public:
    // Builds the link bar on `page`.
    PageLinks(QWidget* page, MenuPanel& menu, const ProgramFolder& folder, Shell& shell);
    // Builds the information page and the author's card on `page`, over what was built before.
    void buildOverlays(QWidget* page);

    // The link bar with its links, and the author's card with its label, for their highlights.
    struct Labels {
        QWidget* bar;
        ClickableLabel* forum;
        ClickableLabel* site;
        ClickableLabel* standardTexts;
        ClickableLabel* showMenu;
        ClickableLabel* recommended;
        QWidget* authorCard;
        ClickableLabel* author;
    };
    const Labels& labels() const { return labels_; }

Q_SIGNALS:
    void recommendedRequested(); // "Оптим. настройки программы"

private:
    void showInformationPage(InformationPage page);
    void showAuthor();
    void openLocalPage(const QString& relative);

    MenuPanel& menu_;
    const ProgramFolder& folder_;
    Shell& shell_;
    QFrame* information_ = nullptr; // Phelp
    QTextEdit* informationText_ = nullptr;
    QWidget* informationClose_ = nullptr;
    QFrame* author_ = nullptr; // Pavtor
    Labels labels_{};
};

} // namespace mirelta
