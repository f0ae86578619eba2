// The warning before the first session: asked at the first "Старт" while no choice is kept, its
// choice kept in the settings file and never asked again, closing it plays nothing and keeps
// nothing, and the box "Щадящий режим" shows and changes the choice.

#include "gui/widgets/clickable_label.h"
#include "tests/support/window_fixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

using namespace mirelta;
using namespace mirelta::test;

namespace {

// "Один": one thesis of one short sentence, played once.
const std::string kShort = ">\n@1#1%$0&10@\nЯ могу\n<\n";
const QByteArray kSettingsFile =
    "[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xce\xe4\xe8\xed\r\n"
    "Epov_Text=1\r\n";

class SessionWarning : public WindowTest {
protected:
    SessionWarning() { writePersonal(QStringLiteral("Один"), kShort); }
    void press() { control<QPushButton>("start")->click(); }
    QCheckBox* gentleBox() { return control<QCheckBox>("Cgentle"); }

    // Another start of the program over the same folder, its sessions traced.
    std::unique_ptr<MainWindow> startAgain(DirectSessionDriver& traced) {
        auto again = std::make_unique<MainWindow>(
            ProgramFolder(folderPath()),
            WindowServices{.dialogs = dialogs, .sound = sound, .driver = &traced, .shell = &shell});
        again->showAtStart();
        return again;
    }
};

} // namespace

TEST_F(SessionWarning, TheFirstStartWarnsAndItsChoiceIsKeptAndNotAskedAgain) {
    writeSettings(kSettingsFile);
    shownWindow();
    EXPECT_EQ(gentleBox()->checkState(), Qt::PartiallyChecked); // not chosen yet
    dialogs.choices = {0};
    press();
    ASSERT_EQ(dialogs.warnings.size(), 1);
    const QString& warning = dialogs.warnings.front();
    for (const char* said :
         {"припадок", "никогда не было", "головокружение", "подёргивание", "зрения", "сознания",
          "обратитесь к врачу", "Любая клавиша", "двойной щелчок"}) {
        EXPECT_TRUE(warning.contains(QString::fromUtf8(said))) << said;
    }
    EXPECT_EQ(dialogs.warningOptions,
              (QStringList{QStringLiteral("Щадящий сеанс"), QStringLiteral("Полный сеанс")}));
    EXPECT_GT(driver.presented, 0);
    EXPECT_FALSE(window().isVisible()); // the session played to its end, which closes the program
    // Kept as the section's last line, after every line that was there before.
    EXPECT_TRUE(settingsBytes().startsWith(kSettingsFile)) << settingsBytes().toStdString();
    EXPECT_TRUE(settingsBytes().endsWith("\r\nCubav_Checked=True\r\nCgentle_Checked=True\r\n"))
        << settingsBytes().toStdString();

    TraceLines played;
    DirectSessionDriver traced(&played);
    const auto again = startAgain(traced);
    EXPECT_EQ(again->findChild<QCheckBox*>(QStringLiteral("Cgentle"))->checkState(), Qt::Checked);
    again->findChild<QPushButton*>(QStringLiteral("start"))->click();
    EXPECT_EQ(dialogs.warnings.size(), 1);
    EXPECT_GT(traced.presented, 0);
    EXPECT_TRUE(played.has("gentle"));
}

TEST_F(SessionWarning, TheFullSessionChosenIsPlayedAsDesigned) {
    writeSettings(kSettingsFile);
    TraceLines played;
    DirectSessionDriver traced(&played);
    dialogs.choices = {1};
    const auto first = startAgain(traced);
    first->findChild<QPushButton*>(QStringLiteral("start"))->click();
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_GT(traced.presented, 0);
    EXPECT_FALSE(played.has("gentle"));
    EXPECT_TRUE(settingsBytes().endsWith("\r\nCgentle_Checked=False\r\n"));
}

TEST_F(SessionWarning, ClosingTheWarningPlaysNothingAndKeepsNothing) {
    writeSettings(kSettingsFile);
    shownWindow();
    dialogs.choices = {std::nullopt};
    press();
    EXPECT_EQ(dialogs.warnings.size(), 1);
    EXPECT_EQ(driver.presented, 0);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(control<QPushButton>("start")->isHidden());
    EXPECT_EQ(gentleBox()->checkState(), Qt::PartiallyChecked);
    closeWindow();
    EXPECT_FALSE(settingsBytes().contains("Cgentle")) << settingsBytes().toStdString();
    // The file keeps every byte it had; the program's own keys were added after them.
    EXPECT_TRUE(settingsBytes().startsWith(kSettingsFile));
}

TEST_F(SessionWarning, TheBoxMakesAndChangesTheChoiceAndRecommendedValuesLeaveIt) {
    writeSettings(kSettingsFile);
    shownWindow();
    gentleBox()->click(); // the user's first click chooses the gentle session
    EXPECT_EQ(gentleBox()->checkState(), Qt::Checked);
    gentleBox()->click();
    EXPECT_EQ(gentleBox()->checkState(), Qt::Unchecked); // two states from now on
    gentleBox()->click();
    dialogs.answers = {true};
    control<ClickableLabel>("Rn")->clicked();
    EXPECT_EQ(gentleBox()->checkState(), Qt::Checked);
    press();
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_GT(driver.presented, 0);
    EXPECT_TRUE(settingsBytes().endsWith("\r\nCgentle_Checked=True\r\n"));
}

// The box lies on the page beside the settings panel, within the page and over no other control.
TEST_F(SessionWarning, TheBoxOverlapsNoOtherControl) {
    shownWindow();
    QCheckBox* box = gentleBox();
    QWidget* page = box->parentWidget();
    EXPECT_TRUE(page->rect().contains(box->geometry())) << page->width() << "x" << page->height();
    EXPECT_GE(box->width(), box->sizeHint().width());
    for (QWidget* other : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != box && !other->isHidden()) {
            EXPECT_FALSE(other->geometry().intersects(box->geometry()))
                << other->objectName().toStdString();
        }
    }
}

// A file from before the choice existed is restored without one and gains no line; a kept choice
// is read in any case and written back where it stands; a value that is no choice is left alone.
TEST_F(SessionWarning, TheChoiceRoundTripsThroughTheSettingsFile) {
    const QByteArray old = "[Other]\r\nCgentle_Checked=True\r\n" + kSettingsFile + "; note\n";
    writeSettings(old);
    shownWindow();
    EXPECT_EQ(gentleBox()->checkState(), Qt::PartiallyChecked);
    closeWindow();
    const QByteArray saved = settingsBytes();
    EXPECT_TRUE(saved.startsWith(old)) << saved.toStdString();
    EXPECT_EQ(saved.count("Cgentle"), 1);

    for (const auto& [stored, state, written] :
         {std::tuple{"false", Qt::Unchecked, "Cgentle_Checked=False"},
          std::tuple{"TRUE", Qt::Checked, "Cgentle_Checked=True"},
          std::tuple{"maybe", Qt::PartiallyChecked, "Cgentle_Checked=maybe"}}) {
        const QByteArray file = "[TMirelta]\r\nCgentle_Checked=" + QByteArray(stored) +
                                "\r\nEpov_Text=3\r\n[Other]\r\nKey=1\r\n";
        writeSettings(file);
        TraceLines unused;
        DirectSessionDriver traced(&unused);
        auto again = startAgain(traced);
        EXPECT_EQ(again->findChild<QCheckBox*>(QStringLiteral("Cgentle"))->checkState(), state)
            << stored;
        again->close();
        const QByteArray rewritten = settingsBytes();
        const QByteArray expected =
            QByteArray("[TMirelta]\r\n") + written + "\r\nEpov_Text=3\r\nFormVersion=0\r\n";
        EXPECT_TRUE(rewritten.startsWith(expected)) << rewritten.toStdString();
        EXPECT_TRUE(rewritten.endsWith("\r\n[Other]\r\nKey=1\r\n")) << rewritten.toStdString();
    }
}
