// Choosing, switching and deleting suggestions, with the handlers nested as they run: the choice
// on its own page, with the settings panel it reads the version and the name from.

#include "gui/choice/suggestion_choice.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"
#include "tests/support/feature_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

using namespace mirelta;
using namespace mirelta::test;

namespace {

const std::string kPersonal = "*Для себя*\n>\n@1#1%$0&10@\nЯ спокоен\n<\n";
const std::string kSmokingStart = "ЯБРОСИЛКУРИТЬ";
const QString kChooseStandard = QStringLiteral("Выбирите стандартный настрой");

class Choice : public FeatureTest {
protected:
    QComboBox* list() { return control<QComboBox>("Cperson"); }
    QCheckBox* personal() { return control<QCheckBox>("Chperson"); }
    RadioGroup* standard() { return control<RadioGroup>("Rgnast"); }
    // Picks an entry of the personal list as the user does.
    void pick(const QString& title) {
        list()->setCurrentIndex(list()->findText(title));
        Q_EMIT list()->activated(list()->currentIndex());
    }
};

} // namespace

TEST_F(Choice, PickingAStandardItemWhilePersonalIsOnSwitchesItOff) {
    writePersonal(QStringLiteral("Мой"), kPersonal);
    showAsTheWindowDoes();
    pick(QStringLiteral("Мой"));
    ASSERT_TRUE(personal()->isChecked());
    EXPECT_EQ(standard()->itemIndex(), -1);
    EXPECT_EQ(parsedLetters(), "ЯСПОКОЕН");
    dialogs.messages.clear();

    standard()->setItemIndex(0);
    EXPECT_FALSE(personal()->isChecked());
    EXPECT_EQ(dialogs.messages, QStringList{kChooseStandard});
    EXPECT_EQ(parsedLetters().substr(0, kSmokingStart.size()), kSmokingStart);
}

TEST_F(Choice, PickingAnEntryChecksPersonalNamesTheTabAndShowsTheDescription) {
    writePersonal(QStringLiteral("Мой"), kPersonal);
    showAsTheWindowDoes();
    pick(QStringLiteral("Мой"));
    EXPECT_TRUE(personal()->isChecked());
    auto* pages = control<QTabWidget>("Pagenast");
    EXPECT_EQ(pages->tabText(pages->indexOf(control<QWidget>("Tperson0"))), QStringLiteral("Мой"));
    EXPECT_TRUE(
        control<QPlainTextEdit>("Mperson0")->toPlainText().contains(QStringLiteral("Я спокоен")));
    EXPECT_EQ(control<QLabel>("Ropis")->text(), QStringLiteral("Для себя"));
    EXPECT_FALSE(control<QWidget>("Popis")->isHidden());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'|').toStdString();
}

TEST_F(Choice, SwitchingPersonalOffWithNoStandardItemChoosesSmoking) {
    showAsTheWindowDoes();
    personal()->setChecked(true); // no name: nothing parsed yet
    EXPECT_EQ(standard()->itemIndex(), -1);
    personal()->setChecked(false);
    EXPECT_EQ(dialogs.messages, QStringList{kChooseStandard});
    EXPECT_EQ(standard()->itemIndex(), 0);
    EXPECT_EQ(parsedLetters().substr(0, kSmokingStart.size()), kSmokingStart);
}

TEST_F(Choice, SwitchingPersonalOnWithAGoneFileClearsTheNameAndKeepsTheTables) {
    writePersonal(QStringLiteral("Мой"), kPersonal);
    showAsTheWindowDoes();
    const std::string before = parsedLetters();
    list()->setEditText(QStringLiteral("Мой"));
    QFile::remove(path(QStringLiteral("Text/Мой.txt")));
    personal()->setChecked(true);
    EXPECT_EQ(list()->currentText(), QString());
    EXPECT_EQ(parsedLetters(), before);
}

TEST_F(Choice, TypingANameThatNamesNoFileLoadsNothing) {
    showAsTheWindowDoes();
    const std::string before = parsedLetters();
    for (const QString& typed :
         {QStringLiteral("Несуществующий"), QStringLiteral("../../etc/passwd"),
          QStringLiteral("a/b"), QStringLiteral("..")}) {
        list()->setFocus();
        list()->lineEdit()->clear();
        typeText(list()->lineEdit(), typed);
    }
    EXPECT_FALSE(personal()->isChecked());
    EXPECT_EQ(parsedLetters(), before);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'|').toStdString();
}

TEST_F(Choice, DeletingThePersonalSuggestionInUseGoesBackToSmoking) {
    writePersonal(QStringLiteral("Мой"), kPersonal);
    writePersonal(QStringLiteral("Другой"), kPersonal);
    showAsTheWindowDoes();
    pick(QStringLiteral("Мой"));
    dialogs.messages.clear();
    dialogs.answers = {true};
    control<ClickableLabel>("Rud")->clicked();
    EXPECT_EQ(dialogs.questions,
              QStringList{QStringLiteral("Удаление выбранного настроя: Удалить настрой ?")});
    EXPECT_FALSE(personal()->isChecked());
    EXPECT_EQ(standard()->itemIndex(), 0);
    EXPECT_EQ(parsedLetters().substr(0, kSmokingStart.size()), kSmokingStart);
    EXPECT_EQ(list()->findText(QStringLiteral("Мой")), -1);
    EXPECT_EQ(list()->count(), 1);
    EXPECT_EQ(list()->currentText(), QString());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Text/Мой.txt"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Text/Другой.txt"))));
}

TEST_F(Choice, DeletionDeclinedOrWithoutASelectedEntryDeletesNothing) {
    writePersonal(QStringLiteral("Мой"), kPersonal);
    showAsTheWindowDoes();
    pick(QStringLiteral("Мой"));
    dialogs.answers = {false};
    control<ClickableLabel>("Rud")->clicked();
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Text/Мой.txt"))));
    EXPECT_EQ(list()->count(), 1);

    // A name restored from the settings, never picked from the list.
    dialogs.questions.clear();
    list()->setCurrentIndex(-1);
    list()->setEditText(QStringLiteral("Мой"));
    control<ClickableLabel>("Rud")->clicked();
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_TRUE(dialogs.messages.last().contains(QStringLiteral("Выберите в списке")));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Text/Мой.txt"))));
}

TEST_F(Choice, AStoredPersonalChoiceIsLoadedAtStartUp) {
    writePersonal(QStringLiteral("Мой"), kPersonal);
    writeSettings("[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xCC\xEE\xE9\r\n");
    showAsTheWindowDoes();
    EXPECT_TRUE(personal()->isChecked());
    EXPECT_EQ(standard()->itemIndex(), -1);
    EXPECT_EQ(parsedLetters(), "ЯСПОКОЕН");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'|').toStdString();
}

TEST_F(Choice, AStoredPersonalChoiceWhoseFileIsGoneAsksForAChoice) {
    writeSettings("[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xCC\xEE\xE9\r\n");
    showAsTheWindowDoes();
    EXPECT_EQ(list()->currentText(), QString());
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Выбирите пресональный настрой")});
}

TEST_F(Choice, AMissingTextFolderLeavesTheListEmpty) {
    QDir(path(QStringLiteral("Text"))).removeRecursively();
    showAsTheWindowDoes();
    EXPECT_EQ(list()->count(), 0);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Choice, AParseThatStopsShowsItsMessage) {
    writePersonal(QStringLiteral("Длинный"), ">\n@1#1%$0&10@\nабвгдежзиклм\n<\n");
    showAsTheWindowDoes();
    pick(QStringLiteral("Длинный"));
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages.last(),
              QStringLiteral("В настрое 1 В предложении 1 слово 1\r длиннее 10 букв"));
    EXPECT_TRUE(control<QWidget>("Pb")->isHidden());
}

// A parse that stops keeps the rows read up to the fault, which no session may play.
TEST_F(Choice, ASuggestionWhoseParseStoppedIsNotReadyToPlay) {
    writePersonal(QStringLiteral("Сломан"), ">\n@1#1%$0&10@\nЯ могу\nабвгдежзиклм\n<\n");
    writeSettings(
        "[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xD1\xEB\xEE\xEC\xE0\xED\r\n");
    showAsTheWindowDoes();
    ASSERT_GT(letters.rowCount(), 0); // the rows read before the fault
    dialogs.messages.clear();
    EXPECT_FALSE(choice().readyToPlay());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("ошибку")));
}
