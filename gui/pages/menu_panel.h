#pragma once
// The menu strip over the display panel: the information labels and the version. It says which
// page the user asked for; showing it is the links' job.

#include <QFrame>

namespace mirelta {

class ClickableLabel;

class MenuPanel : public QFrame {
    Q_OBJECT
public:
    explicit MenuPanel(QWidget* parent);

    // The information labels, for their highlights.
    struct Labels {
        ClickableLabel* author;
        ClickableLabel* about;
        ClickableLabel* settingsHelp;
        ClickableLabel* lessons;
        ClickableLabel* personalHelp;
    };
    const Labels& labels() const { return labels_; }

Q_SIGNALS:
    void authorRequested();       // "О авторе"
    void aboutRequested();        // "О программе"
    void settingsHelpRequested(); // "О настройках"
    void personalHelpRequested(); // "О персональных внушениях"

private:
    Labels labels_{};
};

} // namespace mirelta
