// Composing, checking and saving a personal suggestion in the editor, built on its page with the
// settings panel that opens it and the choice that takes what it saves.

#include "gui/editor/editor_panel.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"
#include "tests/support/feature_fixture.h"
#include "tests/support/test_pictures.h"
#include "text/cp1251.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace mirelta;
using namespace mirelta::test;

namespace {

class Editor : public FeatureTest {
protected:
    // In the order the window builds them: the editor over the choice.
    Editor() {
        choice();
        editor();
    }
    EditorPanel* panel() { return control<EditorPanel>("Ptext"); }
    QLineEdit* title() { return control<QLineEdit>("Ezag"); }
    // Word field `index`, 0-9.
    QLineEdit* word(int index) {
        return control<QLineEdit>(("Msl" + std::to_string(index + 1)).c_str());
    }
    void click(const char* name) { control<QPushButton>(name)->click(); }
    void open() { control<ClickableLabel>("R5")->clicked(); }
    void words(const QStringList& list) {
        for (int i = 0; i < list.size(); ++i) {
            word(i)->setText(list[i]);
        }
    }
    QString picture(const QString& relative, int width, int height) {
        QString file = path(QStringLiteral("Image/") + relative);
        QDir().mkpath(QFileInfo(file).path());
        EXPECT_TRUE(writeFile(file, jpegBytes(patternImage(width, height))));
        return file;
    }
    void choosePicture(const QString& file) {
        dialogs.files.push_back(file);
        click("Bizsh");
    }
    QByteArray saved(const QString& title) {
        QFile file(path(QStringLiteral("Text/") + title + QStringLiteral(".txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray bytes(const std::string& utf8) {
        return QByteArray::fromStdString(cp1251::normaliseLineBreaks(cp1251::fromUtf8(utf8)));
    }
    QString text() { return control<QPlainTextEdit>("Mtext")->toPlainText(); }
};

} // namespace

TEST_F(Editor, TheExampleSuggestionIsSavedByteForByteAndPlayedNext) {
    showAsTheWindowDoes();
    open();
    EXPECT_FALSE(panel()->isHidden());
    choosePicture(picture(QStringLiteral("zdorov/zdorov.jpeg"), 200, 150));
    control<RadioGroup>("Rsvet")->setItemIndex(1);
    QDir().mkpath(path(QStringLiteral("Sound/mysound")));
    dialogs.files.push_back(path(QStringLiteral("Sound/mysound/zelen.wav")));
    click("Bmisk");
    click("Bop");
    words({QStringLiteral("Я"), QStringLiteral("бросил"), QStringLiteral("курить")});
    click("Bnewslov");
    title()->setText(QStringLiteral("Курение"));
    click("Btextsox");
    EXPECT_EQ(saved(QStringLiteral("Курение")),
              bytes(">\n@1#1%zdorov\\zdorov.jpeg$0&10^mysound\\zelen.wav@\nЯ бросил курить\n<\n"));
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("Настрой Курение сохранен"));
    EXPECT_TRUE(control<QCheckBox>("Chperson")->isChecked());
    EXPECT_EQ(control<QComboBox>("Cperson")->currentText(), QStringLiteral("Курение"));
    EXPECT_EQ(parsedLetters(), "ЯБРОСИЛКУРИТЬ");
    EXPECT_FALSE(panel()->isHidden()); // the editor stays open
    click("Btexzac");
    EXPECT_TRUE(panel()->isHidden());
    EXPECT_TRUE(text().isEmpty());
}

TEST_F(Editor, ASentenceBeforeAcceptingWritesTheShortHeader) {
    showAsTheWindowDoes();
    open();
    click("Bop");
    words({QStringLiteral("Раз")});
    click("Bnewslov");
    click("Bnabz");
    words({QStringLiteral("Два")});
    click("Bnewslov");
    click("Bop"); // nothing pending any more
    click("Bop");
    EXPECT_EQ(text(), QStringLiteral(">\n@1#3%$0&10^@\nРаз\n@2#3%$0&10@\nДва"));
    EXPECT_EQ(control<QLineEdit>("Enabz")->text(), QStringLiteral("2"));
}

TEST_F(Editor, AWomansTextHasNoMensMarker) {
    writeSettings("[TMirelta]\r\nRpol_ItemIndex=1\r\n");
    showAsTheWindowDoes();
    open();
    words({QStringLiteral("Я"), QStringLiteral("смогла")});
    title()->setText(QStringLiteral("Её"));
    click("Btextsox"); // the pending sentence is added first
    EXPECT_EQ(saved(QStringLiteral("Её")), bytes("<\n@1#3%$0&10@\nЯ смогла\n"));
    EXPECT_EQ(parsedLetters(), "ЯСМОГЛА");
}

TEST_F(Editor, AnEmptyFirstWordAddsNoSentenceButCompletesTheHeader) {
    showAsTheWindowDoes();
    open();
    words({QString(), QString(), QStringLiteral("третье")});
    click("Bnewslov");
    EXPECT_EQ(text(), QStringLiteral(">\n@1#3%$0&10@"));
    EXPECT_EQ(word(2)->text(), QStringLiteral("третье"));
}

TEST_F(Editor, SavingTwiceUnderOneTitleListsItTwiceAndKeepsTheNewerText) {
    showAsTheWindowDoes();
    open();
    words({QStringLiteral("один")});
    title()->setText(QStringLiteral("Мой"));
    click("Btextsox");
    words({QStringLiteral("два")});
    click("Btextsox");
    EXPECT_EQ(control<QComboBox>("Cperson")->findText(QStringLiteral("Мой")), 0);
    EXPECT_EQ(control<QComboBox>("Cperson")->count(), 2);
    EXPECT_EQ(saved(QStringLiteral("Мой")), bytes(">\n@1#3%$0&10@\nодин\n<\nдва\n<\n"));
}

TEST_F(Editor, PicturesAndSoundsMustLieInTheProgramsFolders) {
    showAsTheWindowDoes();
    open();
    const QString outside = path(QStringLiteral("elsewhere.jpeg"));
    ASSERT_TRUE(writeFile(outside, jpegBytes(patternImage(150, 150))));
    choosePicture(outside);
    words({QStringLiteral("слово")});
    click("Bnewslov");
    EXPECT_EQ(dialogs.messages.last(),
              QStringLiteral("Изображение должно быть в каталоге программы !"));
    EXPECT_EQ(text(), QStringLiteral(">\n@1"));
    EXPECT_EQ(word(0)->text(), QStringLiteral("слово"));

    choosePicture(picture(QStringLiteral("ok.jpeg"), 150, 150));
    dialogs.files.push_back(path(QStringLiteral("music.wav")));
    click("Bmisk");
    click("Bop");
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("Звук должнен быть в каталоге программы !"));
    EXPECT_EQ(text(), QStringLiteral(">\n@1"));
}

TEST_F(Editor, APictureMustBeFromOneHundredTo425PixelsASide) {
    showAsTheWindowDoes();
    open();
    choosePicture(picture(QStringLiteral("a.jpeg"), 426, 200));
    EXPECT_EQ(dialogs.messages.last(),
              QStringLiteral("Фотография слишком велика ! Загрузите другую"));
    choosePicture(picture(QStringLiteral("b.jpeg"), 200, 99));
    EXPECT_EQ(dialogs.messages.last(),
              QStringLiteral("Фотография слишком мала ! Загрузите другую"));
    EXPECT_EQ(dialogs.messages.size(), 2);
    click("Bop");
    EXPECT_EQ(text(), QStringLiteral(">\n@1#3%$0&10^@"));

    click("Bnabz");
    choosePicture(picture(QStringLiteral("c.jpeg"), 425, 100));
    EXPECT_EQ(dialogs.messages.size(), 2);
    click("Bop");
    EXPECT_TRUE(text().endsWith(QStringLiteral("@2#3%c.jpeg$0&10^@")));

    const QString broken = path(QStringLiteral("Image/broken.gif"));
    ASSERT_TRUE(writeFile(broken, "GIF89a broken"));
    choosePicture(broken);
    EXPECT_TRUE(dialogs.messages.last().contains(QStringLiteral("broken.gif")));
}

TEST_F(Editor, ABadTitleIsRefusedAndAMissingTextFolderIsMade) {
    showAsTheWindowDoes();
    open();
    words({QStringLiteral("да")});
    for (const QString& bad :
         {QString(), QStringLiteral("a/b"), QStringLiteral(".."), QStringLiteral("x:y")}) {
        title()->setText(bad);
        click("Btextsox");
        EXPECT_FALSE(dialogs.messages.last().contains(QStringLiteral("сохранен")))
            << bad.toStdString();
    }
    EXPECT_EQ(word(0)->text(), QStringLiteral("да")); // nothing was taken from the fields
    QDir(path(QStringLiteral("Text"))).removeRecursively();
    title()->setText(QStringLiteral("Новый"));
    click("Btextsox");
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("Настрой Новый сохранен"));
    EXPECT_FALSE(saved(QStringLiteral("Новый")).isEmpty());
}

TEST_F(Editor, ARejectedTextIsStillSavedAndItsMessageShown) {
    showAsTheWindowDoes();
    open();
    click("Bnabz"); // a second header pending, the first never completed
    title()->setText(QStringLiteral("Черновик"));
    click("Btextsox");
    EXPECT_EQ(saved(QStringLiteral("Черновик")), bytes(">\n@1\n@2\n<\n"));
    EXPECT_TRUE(dialogs.messages.contains(QStringLiteral("Ошибка")));
}

// Saving chooses the new entry and switches personal on; either way the saved text is parsed once,
// so a parser message appears once: in an empty list, which chooses its first entry by itself, and
// in a list that still names another (broken) suggestion.
TEST_F(Editor, ASavedTextIsParsedOnceWhateverTheListHeld) {
    showAsTheWindowDoes();
    open();
    click("Bnabz");
    title()->setText(QStringLiteral("Черновик"));
    click("Btextsox");
    EXPECT_EQ(dialogs.messages.count(QStringLiteral("Ошибка")), 1);
    EXPECT_EQ(control<QComboBox>("Cperson")->currentText(), QStringLiteral("Черновик"));

    control<QCheckBox>("Chperson")->setChecked(false);
    click("Btexzac");
    open();
    click("Bnabz");
    title()->setText(QStringLiteral("Второй"));
    dialogs.messages.clear();
    click("Btextsox");
    EXPECT_EQ(dialogs.messages.count(QStringLiteral("Ошибка")), 1);
    EXPECT_TRUE(control<QCheckBox>("Chperson")->isChecked());
    EXPECT_EQ(control<QComboBox>("Cperson")->currentText(), QStringLiteral("Второй"));
    EXPECT_EQ(saved(QStringLiteral("Второй")), bytes(">\n@1\n@2\n<\n"));
}

TEST_F(Editor, ArrowsAndSpaceMoveBetweenTheFieldsAndTheGuideOpens) {
    showAsTheWindowDoes();
    open();
    QTest::keyClick(title(), Qt::Key_Right);
    EXPECT_EQ(host().focusWidget(), word(0));
    QTest::keyClick(word(0), Qt::Key_Space);
    EXPECT_EQ(host().focusWidget(), word(1));
    QTest::keyClick(word(9), Qt::Key_Right);
    EXPECT_EQ(host().focusWidget(), control<QPushButton>("Bnewslov"));
    control<ClickableLabel>("R6")->clicked();
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_TRUE(shell.opened[0].toLocalFile().endsWith(QStringLiteral("Внушения.doc")));
}
