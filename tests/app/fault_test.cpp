// Bad files around the program: each gets a clear message or its documented fallback, and
// nothing is lost.

#include "clickable_label.h"
#include "test_pictures.h"
#include "window_fixture.h"

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
    window().TborderTimer();
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("Фотография не найденна ! Загрузите другую"));
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(control<QComboBox>("Cperson")->currentText(), QString());
    EXPECT_FALSE(control<QCheckBox>("Cfoto")->isChecked());
}

TEST_F(Faults, BrokenPicturesAsThePhotoAreRefusedWithAMessage) {
    QByteArray gif = gifBytes(patternImage(200, 200));
    gif[4] = '8'; // "GIF88a": no such version
    QByteArray bmp = bmpBytes(patternImage(200, 200));
    bmp.truncate(bmp.size() / 3);
    QByteArray jpeg = jpegBytes(patternImage(300, 300));
    jpeg.truncate(jpeg.size() / 2);
    shownWindow();
    for (const auto& [name, bytes] :
         std::vector<std::pair<QString, QByteArray>>{{QStringLiteral("a.gif"), gif},
                                                     {QStringLiteral("b.bmp"), bmp},
                                                     {QStringLiteral("c.jpeg"), jpeg}}) {
        ASSERT_TRUE(writeFile(path(name), bytes));
        dialogs.files.push_back(path(name));
        control<QPushButton>("Bfoto")->click();
        ASSERT_FALSE(dialogs.messages.isEmpty());
        EXPECT_TRUE(dialogs.messages.last().contains(name)) << name.toStdString();
        EXPECT_FALSE(control<QCheckBox>("Cfoto")->isChecked());
        EXPECT_TRUE(window().photoFileName().isEmpty());
    }
}

TEST_F(Faults, AMegabyteOfSentencesStopsWithAClearMessage) {
    std::string text = ">\n@1#1%$0&10@\n";
    while (text.size() < 1024 * 1024) {
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
