#pragma once
// The personal-suggestion editor: composing a text thesis by thesis and sentence by sentence,
// choosing the pictures and sounds of the thesis headers, and saving the text into Text/ under
// its title, after which it becomes the suggestion in use.

#include <QObject>
#include <QString>

namespace mirelta {

class Dialogs;
class EditorPanel;
class ProgramFolder;
class SettingsPanel;
class Shell;

class SuggestionEditor : public QObject {
    Q_OBJECT
public:
    struct Services {
        const ProgramFolder& folder;
        Dialogs& dialogs;
        Shell& shell;
    };
    // Builds the editor's panel, hidden, on `page`.
    SuggestionEditor(QWidget* page, Services services, const SettingsPanel& settings);

    // Opens the panel on a new text: the version's mark and the first thesis.
    void begin();
    // The panel, for the highlights of its labels.
    const EditorPanel& panel() const { return *panel_; }

Q_SIGNALS:
    // The text was saved as the personal suggestion `title`.
    void saved(const QString& title);

private:
    void nextSentence();
    void nextThesis();
    void acceptHeader();
    void choosePicture();
    void chooseMusic();
    void save();
    void close();
    void showHowTo();
    bool completeHeader(bool withSound);
    QString line(int index) const;
    void setLine(int index, const QString& text);
    void appendLine(const QString& text);
    void markLastLine();

    Services services_;
    const SettingsPanel& settings_;
    EditorPanel* panel_;
    int headerLine_ = 0; // the line of the newest thesis's header
    // The newest thesis's header holds only its number and still waits for its colour, picture
    // and sound, which "Принять" (or, without the sound, the next sentence) completes.
    bool headerWaiting_ = false;
    QString pictureFile_; // held by its dialog until another is chosen
    QString musicFile_;   // likewise
};

} // namespace mirelta
