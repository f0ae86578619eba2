// Bad files around the program: each gets a clear message or its documented fallback, and
// nothing is lost.

#include "gui/widgets/clickable_label.h"
#include "tests/support/test_pictures.h"
#include "tests/support/window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

using namespace mirelta;
using namespace mirelta::test;

namespace {
class Faults : public WindowTest {};
} // namespace

TEST_F(Faults, SettingsNamingAMissingPhotoAndAMissingSuggestionAskForNewOnes) {
    writeSettings("[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xCD\xE5\xF2\r\n"
                  "Cfoto_Checked=True\r\nOpenf_FileName=/gone/me.jpeg\r\n");
    shownWindow();
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Выбирите пресональный настрой")});
    window().switchBorderOff();
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("Фотография не найденна ! Загрузите другую"));
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(control<QComboBox>("Cperson")->currentText(), QString());
    EXPECT_FALSE(control<QCheckBox>("Cfoto")->isChecked());
}

TEST_F(Faults, AMegabyteOfSentencesStopsWithAClearMessage) {
    std::string text = ">\n@1#1%$0&10@\n";
    while (text.size() < std::size_t{1024} * 1024) {
        text += "Я могу и буду\n";
    }
    writePersonal(QStringLiteral("Большой"), text + "<\n");
    writeSettings(
        "[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xC1\xEE\xEB\xFC\xF8\xEE\xE9\r\n");
    shownWindow();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0], QStringLiteral("В настрое 1 больше 32767 предложений"));
}

TEST_F(Faults, ATextFolderThatCannotBeMadeStopsTheSaveWithAMessage) {
    QDir(path(QStringLiteral("Text"))).removeRecursively();
    ASSERT_TRUE(writeFile(path(QStringLiteral("Text")), "not a folder"));
    shownWindow();
    EXPECT_EQ(control<QComboBox>("Cperson")->count(), 0);
    control<ClickableLabel>("R5")->clicked();
    control<QLineEdit>("Msl1")->setText(QStringLiteral("да"));
    control<QLineEdit>("Ezag")->setText(QStringLiteral("Мой"));
    control<QPushButton>("Btextsox")->click();
    EXPECT_TRUE(dialogs.messages.last().contains(QStringLiteral("Не удаётся создать папку")));
    EXPECT_EQ(control<QLineEdit>("Msl1")->text(), QStringLiteral("да")); // nothing was lost
}

namespace {

struct BrokenText {
    const char* name;
    const char* text;
    const char* message;
};

class BrokenPersonalTexts : public WindowTest, public ::testing::WithParamInterface<BrokenText> {};

const BrokenText kBrokenTexts[] = {
    {"Empty", "", "Выбирите стандартный или персональный настрой"},
    {"HeaderWithoutNumberSign", ">\n@1#1%$0&10@\nа\n@2\nб\n<\n", "Ошибка"},
    {"SentenceOver70",
     ">\n@1#1%$0&10@\nабвгдежзи абвгдежзи абвгдежзи абвгдежзи абвгдежзи абвгдежзи "
     "абвгдежзи яя\n<\n",
     "В настрое 1 Предложение 1 длиннее 70 знаков"},
    {"WordOver10", ">\n@1#1%$0&10@\nа\nЯ смогу абвгдежзикл\n<\n",
     "В настрое 1 В предложении 2 слово 3\r длиннее 10 букв"},
    {"NoMenVersion", "<\nа\n", "В тексте настроя нет мужского варианта: нет строки со знаком «>»"},
    {"ColourNotANumber", ">\n@1#x%$0&10@\nа\n<\n",
     "В заголовке настроя 1 поле «цвет» должно быть целым числом, а в нём «x»"},
    {"DelayOutOfRange", ">\n@1#1%$0&40000@\nа\n<\n",
     "В заголовке настроя 1 поле «задержка» вне допустимых пределов "
     "(от -32768 до 32767): «40000»"},
    {"IncompleteHeader", ">\n@1#1%a.jpg\nа\n<\n",
     "Заголовок настроя 1 неполон: в строке нет знака «$»"},
    {"TextAfterHeader", ">\n@1#1%$0&10@ x\nа\n<\n",
     "В строке заголовка настроя 1 после закрывающего знака «@» есть лишние знаки"},
    {"ThesisWithoutSentences", ">\n@1#1%$0&10@\n<\n",
     "В настрое 1 нет ни одного предложения: за заголовком сразу идёт "
     "другой заголовок или конец текста"},
    {"EmptyLine", ">\n@1#1%$0&10@\nа\n\nб\n<\n",
     "В настрое 1 на месте предложения 2 пустая строка"},
};

} // namespace

// Each way a personal text can break the format, chosen at start-up as a user's earlier choice:
// one message that says what is wrong, the file left as it was, and "Старт" refusing to play it.
TEST_P(BrokenPersonalTexts, AreReportedLeftAsTheyAreAndNotPlayed) {
    writePersonal(QStringLiteral("Сломан"), GetParam().text);
    const QByteArray before = [&] {
        QFile file(path(QStringLiteral("Text/Сломан.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }();
    writeSettings(
        "[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xD1\xEB\xEE\xEC\xE0\xED\r\n");
    shownWindow();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0], QString::fromUtf8(GetParam().message));

    control<QPushButton>("start")->click();
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(driver.presented, 0);
    EXPECT_TRUE(window().isVisible());
    closeWindow();
    QFile after(path(QStringLiteral("Text/Сломан.txt")));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

INSTANTIATE_TEST_SUITE_P(EveryParserMessage, BrokenPersonalTexts, ::testing::ValuesIn(kBrokenTexts),
                         [](const auto& test) { return std::string(test.param.name); });
