// The settings panel on its page: limits, exclusions, the photo, restoring and the recommended
// values.

#include "gui/settings/settings_panel.h"
#include "gui/widgets/controls.h"
#include "tests/support/feature_fixture.h"
#include "tests/support/test_pictures.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <utility>
#include <vector>

using namespace mirelta;
using namespace mirelta::test;

namespace {

const QString kTooBig = QStringLiteral("Фотография слишком велика ! Желательно загрузить другую");
const QString kTooSmall = QStringLiteral("Фотография слишком мала ! Загрузите другую");
const QString kAtLeastOne = QStringLiteral("Не менее одного повторения");

class Settings : public FeatureTest {
protected:
    QLineEdit* field(const char* name) { return control<QLineEdit>(name); }
    QCheckBox* box(const char* name) { return control<QCheckBox>(name); }
    void type(QLineEdit* target, const QString& text) {
        target->setFocus();
        target->selectAll();
        typeText(target, text);
    }
    // Chooses a photo of the size through "Фотография".
    void choosePhoto(int width, int height) {
        const QString file = path(QStringLiteral("photo%1x%2.jpeg").arg(width).arg(height));
        ASSERT_TRUE(writeFile(file, jpegBytes(patternImage(width, height))));
        dialogs.files.push_back(file);
        control<QPushButton>("Bfoto")->click();
    }
};

} // namespace

TEST_F(Settings, RepeatCountsStayWithinTheirLimits) {
    showAsTheWindowDoes();
    type(field("Mpov"), QStringLiteral("5"));
    EXPECT_EQ(field("Mpov")->text(), QStringLiteral("4"));
    type(field("Mpov"), QStringLiteral("0"));
    EXPECT_EQ(field("Mpov")->text(), QStringLiteral("1"));
    type(field("Epov"), QStringLiteral("0"));
    EXPECT_EQ(field("Epov")->text(), QStringLiteral("1"));
    EXPECT_EQ(dialogs.messages, (QStringList{QStringLiteral("Максимально четыре повторения"),
                                             kAtLeastOne, kAtLeastOne}));
    type(field("Epov"), QStringLiteral("x9"));
    EXPECT_EQ(field("Epov")->text(), QStringLiteral("9"));
    field("Epov")->clear(); // an empty field is left for the user to fill
    EXPECT_EQ(dialogs.messages.size(), 3);
}

TEST_F(Settings, ANameHasAtMostTenCharacters) {
    showAsTheWindowDoes();
    type(field("Ename"), QStringLiteral("Александра"));
    EXPECT_EQ(field("Ename")->text(), QStringLiteral("Александра"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    typeText(field("Ename"), QStringLiteral("й"));
    EXPECT_EQ(field("Ename")->text(), QString());
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("В имени не должно быть более 10 символов")});
}

TEST_F(Settings, MatrixAndLetterExcludeEachOtherAndWordGivesWay) {
    showAsTheWindowDoes();
    box("Cbuk")->setChecked(true);
    EXPECT_TRUE(box("Cslov")->isChecked());
    box("Cmatr")->setChecked(true); // "Буква" on: "Слово" goes off, "Буква" stays
    EXPECT_FALSE(box("Cslov")->isChecked());
    EXPECT_TRUE(box("Cbuk")->isChecked());
    box("Cslov")->setChecked(true);
    box("Cbuk")->setChecked(false); // "Матрица" on: switched off, with "Буква" off "Слово" stays
    EXPECT_FALSE(box("Cmatr")->isChecked());
    EXPECT_TRUE(box("Cslov")->isChecked());
}

TEST_F(Settings, APhotoIsCheckedForSizeByItsBox) {
    showAsTheWindowDoes();
    choosePhoto(500, 300);
    EXPECT_EQ(dialogs.messages, QStringList{kTooBig});
    EXPECT_EQ(photo.size(), QSize(425, 425));
    EXPECT_TRUE(box("Cfoto")->isChecked());
    EXPECT_EQ(dialogs.openedFolders, QStringList{folderPath()});
    // The box keeps 425 x 425: no later photo of the run is measured again.
    dialogs.messages.clear();
    choosePhoto(90, 90);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(photo.size(), QSize(425, 425));
}

TEST_F(Settings, ATooSmallPhotoIsDroppedAndAWideLowOneOnlyWarned) {
    showAsTheWindowDoes();
    choosePhoto(90, 90);
    EXPECT_EQ(dialogs.messages, QStringList{kTooSmall});
    EXPECT_FALSE(box("Cfoto")->isChecked());
    EXPECT_TRUE(bindings.value(setting::photoFile).isEmpty());
    EXPECT_TRUE(photo.isEmpty());
}

TEST_F(Settings, AWideButLowPhotoShowsOnlyTheFirstMessage) {
    showAsTheWindowDoes();
    choosePhoto(600, 80);
    EXPECT_EQ(dialogs.messages, QStringList{kTooBig});
    EXPECT_TRUE(box("Cfoto")->isChecked());
}

TEST_F(Settings, APhotoThatIsNotAPictureChangesNothing) {
    showAsTheWindowDoes();
    choosePhoto(150, 150);
    const QString chosen = bindings.value(setting::photoFile);
    dialogs.messages.clear();
    const QString broken = path(QStringLiteral("broken.jpeg"));
    ASSERT_TRUE(writeFile(broken, jpegBytes(patternImage(300, 300)).left(200)));
    dialogs.files.push_back(broken);
    control<QPushButton>("Bfoto")->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("broken.jpeg")));
    EXPECT_EQ(bindings.value(setting::photoFile), chosen);
    EXPECT_EQ(photo.size(), QSize(150, 150));
    EXPECT_TRUE(box("Cfoto")->isChecked());
    dialogs.messages.clear();
    control<QPushButton>("Bfoto")->click(); // cancelled
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Settings, BrokenPicturesAsThePhotoAreRefusedWithAMessage) {
    QByteArray gif = gifBytes(patternImage(200, 200));
    gif[4] = '8'; // "GIF88a": no such version
    QByteArray bmp = bmpBytes(patternImage(200, 200));
    bmp.truncate(bmp.size() / 3);
    QByteArray jpeg = jpegBytes(patternImage(300, 300));
    jpeg.truncate(jpeg.size() / 2);
    showAsTheWindowDoes();
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
        EXPECT_TRUE(bindings.value(setting::photoFile).isEmpty());
    }
}

TEST_F(Settings, RestoringRunsEachReactionAsAUserChangeWould) {
    writeSettings("[TMirelta]\r\nCmatr_Checked=True\r\nCbuk_Checked=true\r\nRskor_ItemIndex=abc\r\n"
                  "Cslov_Checked=yes\r\nEname_Text=  Константин1  \r\nRvid_ItemIndex=7\r\n"
                  "Mpov_Text=9\r\nEzad_Text=\"\"x\"\"\r\n");
    showAsTheWindowDoes();
    EXPECT_FALSE(box("Cmatr")->isChecked());
    EXPECT_TRUE(box("Cbuk")->isChecked());
    EXPECT_FALSE(box("Cslov")->isChecked());
    EXPECT_EQ(control<RadioGroup>("Rskor")->itemIndex(), 0);
    EXPECT_EQ(control<RadioGroup>("Rvid")->itemIndex(), 0); // no item 7: left as it was
    EXPECT_EQ(field("Ename")->text(), QString());
    EXPECT_EQ(field("Mpov")->text(), QStringLiteral("4"));
    EXPECT_EQ(field("Ezad")->text(), QStringLiteral("\"x\""));
    EXPECT_EQ(dialogs.messages,
              (QStringList{QStringLiteral("Максимально четыре повторения"),
                           QStringLiteral("В имени не должно быть более 10 символов")}));
    saveSettings();
    EXPECT_TRUE(settingsBytes().contains("\r\nEzad_Text=\"\"x\"\"\r\n"));
}

TEST_F(Settings, ANegativeFormVersionRestoresNothing) {
    writeSettings("[TMirelta]\r\nFormVersion=-1\r\nEpov_Text=7\r\n");
    showAsTheWindowDoes();
    EXPECT_EQ(field("Epov")->text(), QStringLiteral("2"));
}

TEST_F(Settings, BinaryJunkAsTheSettingsFileGivesTheDefaults) {
    QByteArray junk;
    for (int i = 0; i < 3000; ++i) {
        junk.append(static_cast<char>((i * 131) % 256));
    }
    writeSettings(junk);
    showAsTheWindowDoes();
    EXPECT_EQ(field("Epov")->text(), QStringLiteral("2"));
    EXPECT_EQ(control<RadioGroup>("Rgnast")->itemIndex(), 5);
}

TEST_F(Settings, TheRecommendedValuesComeBackOnYesOnly) {
    showAsTheWindowDoes();
    type(field("Eslov"), QStringLiteral("7"));
    control<RadioGroup>("Rskor")->setItemIndex(2);
    dialogs.answers = {false};
    settings().offerRecommended(); // "Оптим. настройки программы"
    EXPECT_EQ(field("Eslov")->text(), QStringLiteral("7"));

    box("Cmatr")->setChecked(true);
    box("Cbuk")->setChecked(true);  // switches "Матрица" off again
    box("Cmatr")->setChecked(true); // both on now, "Слово" off
    box("Cslov")->setChecked(true);
    type(field("Ename"), QStringLiteral("Ян"));
    control<QSlider>("Tiar")->setValue(400);
    dialogs.answers = {true};
    settings().offerRecommended(); // "Оптим. настройки программы"
    EXPECT_EQ(dialogs.questions.last(),
              QStringLiteral("Востановление настроек: Востановить настройки по умолчанию"));
    EXPECT_EQ(field("Eslov")->text(), QStringLiteral("20"));
    EXPECT_EQ(control<RadioGroup>("Rskor")->itemIndex(), 1);
    EXPECT_EQ(control<QSlider>("Tiar")->value(), 250);
    EXPECT_FALSE(box("Cmatr")->isChecked());
    EXPECT_FALSE(box("Cbuk")->isChecked());
    // "Матрица" went off while "Буква" was still on, which switched "Слово" off.
    EXPECT_FALSE(box("Cslov")->isChecked());
    EXPECT_EQ(field("Ename")->text(), QStringLiteral("Ян"));
}
