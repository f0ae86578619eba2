#pragma once
// The tab row over the display panel: the general page, the texts of the six standard
// suggestions to read, and the personal suggestion in use with its title on the tab.

#include <QTabWidget>

class QPlainTextEdit;

namespace mirelta {

class SuggestionTabs : public QTabWidget {
    Q_OBJECT
public:
    // `generalPage` becomes the first tab, "Общее".
    SuggestionTabs(QWidget* generalPage, int side, QWidget* parent);

    void showPersonal(const QString& title, const QString& text);

private:
    QWidget* personalTab_ = nullptr;         // Tperson0
    QPlainTextEdit* personalText_ = nullptr; // Mperson0
};

} // namespace mirelta
