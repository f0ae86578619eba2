#pragma once
// The page "Общее": the link bar, the settings panel, the choice of a suggestion with its
// description panel and progress bar, and the panels that open over the page (information,
// author, editor).

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;

namespace mirelta {

class ClickableLabel;
class Dialogs;
class EditorPanel;
class RadioGroup;
class SettingsPanel;

class GeneralPage : public QWidget {
    Q_OBJECT
public:
    GeneralPage(Dialogs& dialogs, QWidget* parent);

    QFrame* Pzag;
    ClickableLabel* Rm1;
    ClickableLabel* Rm2;
    ClickableLabel* Rnast;
    ClickableLabel* Rmenu;
    ClickableLabel* Rn;
    SettingsPanel* Pnast;
    RadioGroup* Rgnast;
    QProgressBar* Pb;
    QCheckBox* Chperson;
    QComboBox* Cperson;
    ClickableLabel* Rud;
    QFrame* Popis;
    QLabel* Ropis;
    QPushButton* Bpopis;
    QFrame* Phelp;
    QTextEdit* Rhelp;
    QPushButton* Bzac;
    QFrame* Pavtor;
    ClickableLabel* Ravt;
    QPushButton* Bzavt;
    EditorPanel* Ptext;

private:
    void buildLinkBar();
    void buildChoice();
    void buildOverlays();
};

} // namespace mirelta
