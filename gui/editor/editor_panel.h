#pragma once
// The personal-suggestion editor's panel: the title, the thesis header choices (number, colour,
// picture, how often it shows, its delay, the music), ten word fields for the next sentence, the
// buttons, and the text being built. The arrow and space keys move between the word fields; the
// rest of the editor's work is done by SuggestionEditor, which hears the buttons through the
// signals and reads and writes the fields through the functions below.

#include <QFrame>
#include <array>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mirelta {

class ClickableLabel;
class RadioGroup;

class EditorPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWordFields = 10;

    explicit EditorPanel(QWidget* parent);

    // What the user typed and chose.
    QString title() const;
    QString thesisNumber() const;
    void setThesisNumber(int number);
    int colourItem() const;
    int frequencyItem() const;
    QString delay() const;
    // The trimmed text of word field `index` (0-9); empty for an empty field.
    QString word(int index) const;
    void clearWords();
    void focusTitle();
    void focusFirstWord();

    // The text being built, a line at a time; an empty text has no lines.
    QStringList lines() const;
    void setLines(const QStringList& lines);
    void appendLine(const QString& line);
    void clearText();

    // The word fields' panel and its "Как составлять внушения ?", for their highlights.
    QWidget* wordPanel() const { return wordPanel_; }
    ClickableLabel* howToLabel() const { return howTo_; }

Q_SIGNALS:
    void nextSentenceClicked(); // "Нов предлож"
    void nextThesisClicked();   // "Нов тезис"
    void acceptClicked();       // "Принять"
    void pictureClicked();      // "Определить"
    void musicClicked();        // "Выбрать"
    void saveClicked();         // "Сохранить"
    void closeClicked();        // "Закрыть"
    void howToClicked();        // "Как составлять внушения ?"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeaderChoices();
    void buildWordFields();

    QLineEdit* title_ = nullptr;        // Ezag
    QLineEdit* thesisNumber_ = nullptr; // Enabz
    RadioGroup* colour_ = nullptr;      // Rsvet
    RadioGroup* frequency_ = nullptr;   // Rchast
    QLineEdit* delay_ = nullptr;        // Ezadsh
    std::array<QLineEdit*, kWordFields> words_{};
    QPushButton* nextSentence_ = nullptr; // Bnewslov
    QPlainTextEdit* text_ = nullptr;      // Mtext
    QFrame* wordPanel_ = nullptr;         // Pslov
    ClickableLabel* howTo_ = nullptr;     // R6
};

} // namespace mirelta
