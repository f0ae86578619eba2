// Start-up, showing, the border switch and closing, on a temporary program folder.

#include "gui/settings/settings_panel.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"
#include "tests/support/test_pictures.h"
#include "tests/support/window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace mirelta;
using namespace mirelta::test;

namespace {

const QByteArray kDefaultSettings =
    "[TMirelta]\r\nFormVersion=0\r\nEpov_Text=2\r\nMpov_Text=4\r\n"
    "Cmatr_Checked=False\r\nRskor_ItemIndex=1\r\nRvid_ItemIndex=0\r\n"
    "Rgnast_ItemIndex=5\r\nEname_Text=\r\nRpol_ItemIndex=0\r\n"
    "Cslov_Checked=True\r\nChperson_Checked=False\r\n"
    "Cfoto_Checked=False\r\nOpenf_FileName=\r\nEzad_Text=5\r\n"
    "Cperson_Text=\r\nEslov_Text=20\r\nEpred_Text=30\r\n"
    "Cbuk_Checked=False\r\nCzv_Checked=True\r\nCubav_Checked=True\r\n";

class StartUp : public WindowTest {};

} // namespace

TEST_F(StartUp, AFirstRunWritesTheDefaultSettingsFileOnClose) {
    shownWindow();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'|').toStdString();
    closeWindow();
    EXPECT_EQ(settingsBytes(), kDefaultSettings);
}

// As it shows, the window readies the session of the default choice, weight loss: it starts at
// the first sentence of the first thesis, a pass plays the nine theses, and its rings take the
// frame colours from the first.
TEST_F(StartUp, TheDefaultChoiceIsReadyToPlayFromItsFirstThesis) {
    writeSettings("[TMirelta]\r\nEpov_Text=1\r\n");
    shownWindow();
    control<QPushButton>("start")->click();
    std::vector<int> theses;
    std::set<std::string> ringColours;
    for (const std::string& line : trace.lines) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "tick") {
            std::string colour;
            int thesis = 0;
            words >> colour >> thesis;
            if (theses.empty() || theses.back() != thesis) {
                theses.push_back(thesis);
            }
        } else if (kind == "ring") {
            ringColours.insert(line.substr(line.rfind(' ') + 1));
        }
    }
    ASSERT_FALSE(trace.lines.empty());
    EXPECT_EQ(std::count(trace.lines.begin(), trace.lines.end(), "tick A 1 1"), 1);
    EXPECT_EQ(theses, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(ringColours.count("00FFFFFF"));  // the first frame colour
    EXPECT_FALSE(ringColours.count("00000000")); // no colour left unset
}

TEST_F(StartUp, SettingsSurviveBetweenRunsAndOtherContentOfTheFileStays) {
    writeSettings("; mine\r\n[Other]\r\nx=1\r\n[TMirelta]\r\nEname_Text=\xC8\xE2\xE0\xED\r\n"
                  "Rpol_ItemIndex=1\r\nRgnast_ItemIndex=2\r\n");
    shownWindow();
    EXPECT_EQ(control<QLineEdit>("Ename")->text(), QStringLiteral("Иван"));
    EXPECT_EQ(control<RadioGroup>("Rpol")->itemIndex(), 1);
    EXPECT_EQ(control<RadioGroup>("Rgnast")->itemIndex(), 2);
    control<QLineEdit>("Eslov")->setText(QStringLiteral("15"));
    closeWindow();
    const QByteArray saved = settingsBytes();
    EXPECT_TRUE(saved.startsWith("; mine\r\n[Other]\r\nx=1\r\n[TMirelta]\r\n"));
    EXPECT_TRUE(saved.contains("Eslov_Text=15\r\n"));
    // The name is stored in Windows-1251.
    EXPECT_TRUE(saved.contains("Ename_Text=\xC8\xE2\xE0\xED\r\n"));
}

TEST_F(StartUp, ThePersonalListIsFilledFromTheTextFolder) {
    writePersonal(QStringLiteral("Мой"), ">\n@1#1%$0&10@\nЯ могу\n<\n");
    writePersonal(QStringLiteral("Второй"), ">\n@1#1%$0&10@\nи\n<\n");
    shownWindow();
    auto* list = control<QComboBox>("Cperson");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), QStringLiteral("Второй"));
    EXPECT_EQ(list->itemText(1), QStringLiteral("Мой"));
    EXPECT_EQ(list->currentText(), QString());
}

TEST_F(StartUp, AMissingPhotoIsReportedOnceAtTheBorderSwitch) {
    writeSettings("[TMirelta]\r\nCfoto_Checked=True\r\nOpenf_FileName=/nowhere/photo.jpeg\r\n");
    shownWindow();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    window().switchBorderOff();
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("Фотография не найденна ! Загрузите другую")});
    EXPECT_FALSE(control<QCheckBox>("Cfoto")->isChecked());
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(feature<BorderSwitch>().isSwitching(), false);
    closeWindow(); // the missing photo's name is forgotten
    EXPECT_TRUE(settingsBytes().contains("\r\nOpenf_FileName=\r\n"))
        << settingsBytes().toStdString();
}

// The border switch runs the show handler again 700 ms after the first showing, when a message of
// the first showing may still be open; the user may also still be reading a message of the switch
// when its 700 ms have passed again. Whatever the reading speed, each message appears once.
class StartUpMessages : public StartUp, public ::testing::WithParamInterface<int> {};

TEST_P(StartUpMessages, EachAppearsOnceWhateverTheReadingSpeed) {
    writeSettings("[TMirelta]\r\nCfoto_Checked=True\r\nOpenf_FileName=/nowhere/photo.jpeg\r\n"
                  "Chperson_Checked=True\r\n");
    dialogs.readingMilliseconds = GetParam();
    shownWindow();
    auto* border = control<QTimer>("Tborder");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return window().windowFlags().testFlag(Qt::FramelessWindowHint) && !border->isActive();
        },
        20000));
    QTest::qWait(100);
    QStringList messages = dialogs.messages;
    messages.sort();
    EXPECT_EQ(messages.join(u'|').toStdString(),
              "Выбирите пресональный настрой|Фотография не найденна ! Загрузите другую");
    EXPECT_EQ(feature<BorderSwitch>().isSwitching(), false);
}

INSTANTIATE_TEST_SUITE_P(ReadingMilliseconds, StartUpMessages, ::testing::Values(0, 400, 1500));

TEST_F(StartUp, AStoredPhotoIsLoadedAndAnEmptyPhotoNameUnchecksFoto) {
    ASSERT_TRUE(writeFile(path(QStringLiteral("me.jpeg")), jpegBytes(patternImage(200, 150))));
    writeSettings("[TMirelta]\r\nCfoto_Checked=True\r\nOpenf_FileName=" +
                  path(QStringLiteral("me.jpeg")).toUtf8() + "\r\n");
    shownWindow();
    EXPECT_EQ(window().panelScene().photo().size(), QSize(200, 150));
    EXPECT_TRUE(control<QCheckBox>("Cfoto")->isChecked());

    WindowTest::closeWindow();
}

TEST_F(StartUp, FotoIsUncheckedWheneverNoPhotoIsNamed) {
    writeSettings("[TMirelta]\r\nCfoto_Checked=True\r\n");
    shownWindow();
    EXPECT_FALSE(control<QCheckBox>("Cfoto")->isChecked());
}

TEST_F(StartUp, ThePanelIsCentredAndTheMenuCoversItsTabRow) {
    shownWindow();
    window().switchBorderOff();
    const QRect frame = window().frameGeometry();
    QWidget* panel = control<QWidget>("Pkod");
    EXPECT_EQ(panel->x(), static_cast<int>(std::trunc(frame.width() / 2.0 - 212.5)));
    EXPECT_EQ(panel->y(), static_cast<int>(std::trunc(frame.height() / 2.0 - 212.5)));
    EXPECT_EQ(control<QWidget>("Pmenu")->pos(), panel->pos());
    EXPECT_EQ(
        control<QPushButton>("start")->pos(),
        QPoint(panel->x() + 150, static_cast<int>(std::trunc(frame.height() / 2.0 + 212.5)) + 10));
    auto* pages = control<QTabWidget>("Pagenast");
    EXPECT_FALSE(pages->isTabVisible(pages->count() - 1));
    EXPECT_FALSE(pages->isTabVisible(pages->count() - 2));
    EXPECT_EQ(pages->tabText(0), QStringLiteral("Общее"));
}

TEST_F(StartUp, AKeyOnTheWindowOrADoubleClickOnItsBackgroundCloses) {
    shownWindow();
    window().setFocus();
    QTest::keyClick(&window(), Qt::Key_A);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(settingsBytes(), kDefaultSettings);
}

// At start-up a control holds the focus (the tab row): a key it has no use for is handed up to the
// window by Qt, and must not end the program, before the border switch or after it. A click on the
// window's background gives the window itself the focus, and then a key closes.
TEST_F(StartUp, StrayKeysBeforeAClickOnTheBackgroundDoNotClose) {
    shownWindow();
    const auto pressStrayKeys = [this] {
        QWidget* focus = window().focusWidget();
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_Escape, Qt::Key_F1}) {
            QTest::keyClick(focus != nullptr ? focus : &window(), key);
            EXPECT_TRUE(window().isVisible()) << key;
        }
    };
    pressStrayKeys();
    window().switchBorderOff();
    pressStrayKeys();
    QTest::mouseClick(&window(), Qt::LeftButton, {},
                      QPoint(window().width() - 3, window().height() - 3));
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().focusWidget(), &window());
    QTest::keyClick(&window(), Qt::Key_A);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(settingsBytes(), kDefaultSettings);
}

TEST_F(StartUp, KeysTypedIntoAControlDoNotClose) {
    shownWindow();
    auto* name = control<QLineEdit>("Ename");
    name->setFocus();
    typeText(name, QStringLiteral("Ян"));
    QTest::keyClick(name, Qt::Key_Escape); // a key the field passes on
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(name->text(), QStringLiteral("Ян"));
}

TEST_F(StartUp, ADoubleClickClosesOnlyOnTheBackground) {
    shownWindow();
    QWidget* panel = control<QWidget>("Pnast");
    QTest::mouseDClick(panel, Qt::LeftButton, {}, QPoint(5, 70));
    EXPECT_TRUE(window().isVisible());
    QTest::mouseDClick(&window(), Qt::LeftButton, {},
                       QPoint(window().width() - 3, window().height() - 3));
    EXPECT_FALSE(window().isVisible());
}

TEST_F(StartUp, AnUnwritableSettingsFileIsReportedAndClosingGoesOn) {
    QDir(path(QString())).mkpath(QStringLiteral("polufabu.ini")); // a folder in its place
    shownWindow();
    closeWindow();
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Unable to write to ") +
                                            path(QStringLiteral("polufabu.ini"))});
    EXPECT_FALSE(window().isVisible());
}
