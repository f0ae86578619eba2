#include "gui/language/foreign_language_window.h"

#include "gui/widgets/controls.h"
#include "platform/files/folder_listing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTextEdit>

namespace mirelta {
namespace {

QLabel* caption(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    return place(new QLabel(text, parent), name, geometry);
}

// A field of up to ten letters, its blanks shown as "_".
QLineEdit* wordField(QWidget* parent, const char* name, QRect geometry) {
    auto* field = place(new QLineEdit(parent), name, geometry);
    field->setInputMask(QStringLiteral("aaaaaaaaaa;_"));
    return field;
}

void fill(QComboBox* list, const QString& folder) {
    std::vector<std::string> names;
    listFolderFiles(folder.toStdString(), true, &names, 0, {}, ".txt");
    for (const std::string& name : names) {
        list->addItem(QString::fromStdString(name));
    }
}

} // namespace

ForeignLanguageWindow::ForeignLanguageWindow(QString programFolder, QWidget* parent)
    : QMainWindow(parent), programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("Finiaz"));
    setWindowTitle(QStringLiteral("Иностранный язык"));
    setGeometry(260, 111, 560, 587);
    QFont font = this->font();
    font.setPixelSize(13);
    setFont(font);
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    file->addAction(QStringLiteral("Выход"));
    menuBar()->addMenu(QStringLiteral("Справка об обучении"));

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* pages = place(new QTabWidget(central), "PageControl1", {16, 8, 521, 497});
    pages->addTab(buildWordsPage(), QStringLiteral("Запомнить слова"));
    pages->addTab(buildLessonPage(), QStringLiteral("TabSheet2"));
    place(new QPushButton(QStringLiteral("Выход"), central), "BitBtn1", {464, 512, 75, 25});
}

QWidget* ForeignLanguageWindow::buildWordsPage() {
    auto* page = new QWidget;
    caption(page, "StaticText5", QStringLiteral("Ввод слов которые надо запомнить"),
            {8, 8, 300, 20});
    caption(page, "StaticText6", QStringLiteral("Количество слов в уроке"), {8, 32, 300, 20});
    caption(page, "StaticText2", QStringLiteral("Слово"), {8, 60, 80, 20});
    wordField(page, "Msl1", {90, 58, 120, 24});
    caption(page, "StaticText4", QStringLiteral("Перевод"), {8, 90, 80, 20});
    wordField(page, "Msl2", {90, 88, 120, 24});
    place(new QCheckBox(QStringLiteral("Неправильный глагол"), page), "CheckBox1",
          {230, 60, 200, 20});
    place(new QPushButton(QStringLiteral("Новое слово"), page), "BitBtn7", {230, 88, 120, 26});
    caption(page, "R4", QStringLiteral("Количество \nповторений\n в предложении"),
            {8, 122, 120, 50});
    place(new QLineEdit(QStringLiteral("3"), page), "Eppred", {130, 134, 40, 24});
    caption(page, "RxLabel1", QStringLiteral("Количество \nповторений\n в абзаце"),
            {190, 122, 120, 50});
    place(new QLineEdit(QStringLiteral("4"), page), "Epabz", {310, 134, 40, 24});
    place(new QPushButton(QStringLiteral("Звук"), page), "BitBtn6", {380, 134, 100, 26});
    caption(page, "StaticText7", QStringLiteral("Название урока"), {8, 180, 120, 20});
    place(new QLineEdit(page), "Ename", {130, 178, 200, 24});
    place(new QPushButton(QStringLiteral("Закончить и перейти к запоминанию"), page), "BitBtn8",
          {8, 210, 300, 26});
    place(new QPlainTextEdit(page), "Manglish", {8, 244, 497, 170});
    caption(page, "StaticText8", QStringLiteral("Выбрать уже готовый урок"), {8, 424, 200, 20});
    place(new QComboBox(page), "Curok", {210, 422, 200, 24});
    return page;
}

QWidget* ForeignLanguageWindow::buildLessonPage() {
    auto* page = new QWidget;
    auto* progress = place(new QProgressBar(page), "ProgressBar1", {8, 8, 497, 16});
    progress->setRange(0, 100);
    place(new RadioGroup(
              QStringLiteral("Выводить"),
              {QStringLiteral("Слово"), QStringLiteral("Абзац"), QStringLiteral("Весь текст")},
              page),
          "RadioGroup1", {8, 32, 160, 90});
    auto* text = place(new QTextEdit(page), "Riniaz", {180, 32, 325, 250});
    text->setPlainText(QStringLiteral("Riniaz"));
    caption(page, "StaticText3", QStringLiteral("Язык"), {8, 300, 80, 20});
    language_ = place(new QComboBox(page), "Ciaz", {90, 298, 200, 24});
    language_->addItem(QStringLiteral("Английский"));
    caption(page, "StaticText19", QStringLiteral("Словарь"), {8, 332, 80, 20});
    dictionaries_ = place(new QComboBox(page), "cslov", {90, 330, 200, 24});
    caption(page, "StaticText1", QStringLiteral("Текст"), {8, 364, 80, 20});
    books_ = place(new QComboBox(page), "cbook", {90, 362, 200, 24});
    place(new QPushButton(QStringLiteral("Принять выделения"), page), "BitBtn2",
          {300, 298, 200, 26});
    place(new QPushButton(QStringLiteral("Удалить слово"), page), "BitBtn4", {300, 330, 200, 26});
    place(new QPushButton(QStringLiteral("Начать обучение"), page), "BitBtn3", {300, 362, 200, 26});
    place(new QPushButton(QStringLiteral("Далее"), page), "BitBtn5", {300, 394, 200, 26});
    connect(language_, &QComboBox::currentTextChanged, this, [this] { listLessons(); });
    return page;
}

void ForeignLanguageWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        listLessons();
    }
}

// The "book" folder feeds the dictionary list and the "slov" folder the text list. The lists are
// emptied first, so that showing the window again does not repeat its entries.
void ForeignLanguageWindow::listLessons() {
    if (language_->currentText() != QStringLiteral("Английский")) {
        return;
    }
    const QDir folder(programFolder_);
    dictionaries_->clear();
    books_->clear();
    fill(dictionaries_, folder.filePath(QStringLiteral("Iniaz/angl/book")));
    fill(books_, folder.filePath(QStringLiteral("Iniaz/angl/slov")));
}

} // namespace mirelta
