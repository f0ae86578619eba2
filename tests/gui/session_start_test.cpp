// "Старт" on the window: its checks, a whole session run straight through, and its end.

#include "gui/choice/suggestion_choice.h"
#include "gui/session/paced_session_driver.h"
#include "tests/support/window_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace mirelta;
using namespace mirelta::test;

namespace {

const QString kSessionOver = QStringLiteral("Сеанс окончен повторите его \rне ранее чем 30 минут ");

class SessionStart : public WindowTest {
protected:
    void press() { control<QPushButton>("start")->click(); }
};

// Sessions on their own thread, as the program plays them.
class PacedSessionStart : public SessionStart {
protected:
    PacedSessionStart() { pacedSessions = true; }
};

} // namespace

TEST_F(SessionStart, AFieldThatIsNotAWholeNumberStopsStartBeforeAnythingRuns) {
    shownWindow();
    control<QLineEdit>("Ezad")->setText(QStringLiteral("5 мс"));
    press();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("задерж")));
    EXPECT_EQ(driver.presented, 0);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(control<QTabWidget>("Pagenast")->isHidden());
    control<QLineEdit>("Epov")->clear(); // the digit deleted
    control<QLineEdit>("Ezad")->setText(QStringLiteral("5"));
    press();
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(driver.presented, 0);
}

TEST_F(SessionStart, NoSuggestionToPlayIsReported) {
    writeSettings("[TMirelta]\r\nChperson_Checked=True\r\n");
    shownWindow();
    dialogs.messages.clear();
    press();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("выберите")));
    EXPECT_TRUE(window().isVisible());
}

TEST_F(SessionStart, ASuggestionWhoseParseStoppedIsNotPlayed) {
    writePersonal(QStringLiteral("Сломан"), ">\n@1#1%$0&10@\nЯ могу\nабвгдежзиклм\n<\n");
    writeSettings(
        "[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xD1\xEB\xEE\xEC\xE0\xED\r\n");
    shownWindow();
    // Stopped at the second sentence, after the rows of the first.
    ASSERT_EQ(dialogs.messages,
              QStringList{QStringLiteral("В настрое 1 В предложении 2 слово 1\r длиннее 10 букв")});
    dialogs.messages.clear();
    press();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("ошибку")));
    EXPECT_EQ(driver.presented, 0);
}

TEST_F(SessionStart, ASessionPlaysToItsEndThenLowersThePausesAndCloses) {
    writePersonal(QStringLiteral("Один"), ">\n@1#1%$0&10@\nЯ могу\n<\n");
    writeSettings("[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xCE\xE4\xE8\xED\r\n"
                  "Epov_Text=1\r\n");
    shownWindow();
    press();
    EXPECT_GT(driver.presented, 51);
    EXPECT_GT(driver.rings, 51);
    EXPECT_EQ(dialogs.messages, QStringList{kSessionOver});
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(settingsBytes().contains("\r\nEslov_Text=19\r\nEpred_Text=29\r\n"));
    // The window closed the tables as it closed: nothing is left to play.
    dialogs.messages.clear();
    EXPECT_FALSE(feature<SuggestionChoice>().readyToPlay());
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(SessionStart, ASessionEndingOnAGreyThesisKeepsThePauses) {
    writePersonal(QStringLiteral("Один"), ">\n@1#2%$0&10@\nЯ могу\n<\n");
    writeSettings("[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xCE\xE4\xE8\xED\r\n"
                  "Epov_Text=1\r\n");
    shownWindow();
    press();
    EXPECT_EQ(dialogs.messages, QStringList{kSessionOver});
    EXPECT_TRUE(settingsBytes().contains("\r\nEslov_Text=20\r\nEpred_Text=30\r\n"));
}

// "Старт" pressed as soon as the window appears, before the border switch's 700 ms have passed:
// the switch rewrites the session state, the letters table, the sound and the photo, so it is done
// before the session starts and never runs on the window's thread while the session's plays.
TEST_F(PacedSessionStart, AtOnceAfterTheWindowAppearsTheBorderSwitchComesFirstAndNeverDuring) {
    writePersonal(QStringLiteral("Один"), ">\n@1#1%$0&10@\nЯ могу\n<\n");
    writeSettings("[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xCE\xE4\xE8\xED\r\n"
                  "Epov_Text=1\r\n");
    shownWindow();
    auto* border = control<QTimer>("Tborder");
    ASSERT_TRUE(border->isActive()); // the switch is still to come
    int switchesDuringSession = 0;
    QObject::connect(border, &QTimer::timeout, &window(), [&] {
        if (window().pacedDriver()->isRunning()) {
            ++switchesDuringSession;
        }
    });
    press();
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(border->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window().isVisible(); }, 60000));
    EXPECT_EQ(switchesDuringSession, 0);
    EXPECT_EQ(dialogs.messages, QStringList{kSessionOver});
    EXPECT_TRUE(settingsBytes().contains("\r\nEslov_Text=19\r\nEpred_Text=29\r\n"));
}
