#pragma once
// Choosing the suggestion: the six standard ones, the list of personal ones in Text/ with their
// description and deletion, and the parse into the letters and scenario tables that follows every
// change, so that the tables always hold the suggestion on show.

#include <QObject>
#include <QString>
#include <string>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QWidget;

namespace mirelta {

class ClickableLabel;
class Dialogs;
class ProgramFolder;
class RadioGroup;
class RecordTable;
class SettingBindings;
class SettingsPanel;

class SuggestionChoice : public QObject {
    Q_OBJECT
public:
    struct Tables {
        RecordTable& letters;
        RecordTable& scenario;
    };
    // Builds the controls on `page`.
    // The stored choices are bound to their declared settings in `bindings`.
    SuggestionChoice(QWidget* page, Tables tables, const SettingsPanel& settings,
                     SettingBindings& bindings, const ProgramFolder& folder, Dialogs& dialogs);

    // Parses the chosen suggestion into the tables; a failure is told to the user.
    void parse();
    // Whether a session can play the suggestion; if not, the user is told to choose one.
    bool readyToPlay();
    // While the window rebuilds itself for the border switch no choice is parsed.
    void holdParsing(bool held) { held_ = held; }

    // Lists Text/ anew, keeping what the list showed.
    void listPersonal();
    // Loads the personal suggestion the list names, if it is in use and its file is there.
    void loadChosenPersonal();
    // A suggestion just saved by the editor becomes the one in use.
    void useSaved(const QString& title);
    // "Удалить", for its highlight.
    ClickableLabel* deletionLabel() const { return deletion_; }

Q_SIGNALS:
    // A personal suggestion was read: its title and its text (UTF-8 in a QString).
    void personalLoaded(const QString& title, const QString& text);

private:
    void buildControls(QWidget* page, SettingBindings& bindings);
    void standardClicked();
    void personalClicked();
    void personalTitleChanged();
    void deleteChosen();
    bool loadPersonal(const QString& title);

    RecordTable& letters_;
    RecordTable& scenario_;
    const SettingsPanel& settings_;
    const ProgramFolder& folder_;
    Dialogs& dialogs_;
    std::string personalText_; // Windows-1251, line breaks as CR LF
    bool parsed_ = false;
    bool held_ = false;

    RadioGroup* standard_ = nullptr;     // Rgnast
    QProgressBar* progress_ = nullptr;   // Pb
    QCheckBox* personal_ = nullptr;      // Chperson
    QComboBox* personalList_ = nullptr;  // Cperson
    ClickableLabel* deletion_ = nullptr; // Rud
    QFrame* description_ = nullptr;      // Popis
    QLabel* descriptionText_ = nullptr;  // Ropis
};

} // namespace mirelta
