#pragma once
// The personal-suggestion editor's panel: the title, the thesis header choices (number, colour,
// picture, how often it shows, its delay, the music), ten word fields for the next sentence, the
// buttons, and the text being built. The arrow and space keys move between the word fields; the
// rest of the editor's work is done by SuggestionEditor, the one user of these controls.

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

    QLineEdit* title;
    QLineEdit* thesisNumber;
    RadioGroup* colour;
    QPushButton* pictureButton;
    RadioGroup* frequency;
    QLineEdit* delay;
    QPushButton* musicButton;
    QPushButton* acceptHeader;
    QFrame* wordPanel;
    std::array<QLineEdit*, kWordFields> words{};
    ClickableLabel* howToLink;
    QPushButton* nextSentence;
    QPushButton* nextThesis;
    QPushButton* saveButton;
    QPushButton* closeButton;
    QPlainTextEdit* text;

    // The trimmed text of word field `index` (0-9); empty for an empty field.
    QString word(int index) const;
    void clearWords();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeaderChoices();
    void buildWordFields();
};

} // namespace mirelta
