#pragma once
// The second window, for learning foreign-language words. It is created with the program and
// stays hidden unless the program is started with --language-trainer. Its only behaviour is
// listing the lesson files of the chosen language whenever it is shown or the language changes;
// its other controls are laid out for the lessons and do nothing yet.

#include <QMainWindow>
#include <QString>

class QComboBox;

namespace mirelta {

class RadioGroup;

class ForeignLanguageWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ForeignLanguageWindow(QString programFolder, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Fills the dictionary and text lists from the lesson folders of the chosen language.
    void listLessons();
    QWidget* buildWordsPage();
    QWidget* buildLessonPage();

    QString programFolder_;
    QComboBox* language_ = nullptr;     // Ciaz
    QComboBox* dictionaries_ = nullptr; // cslov: lists the "book" folder, as it always has
    QComboBox* books_ = nullptr;        // cbook: lists the "slov" folder
};

} // namespace mirelta
