#pragma once
// A main window over a temporary program folder, with dialogs the test answers.

#include "gui/main_window.h"
#include "gui/session/direct_session_driver.h"
#include "platform/sound/silent_sound_player.h"
#include "tests/support/folder_fixture.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/typing.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace mirelta::test {

// The events of the sessions a test plays, as the trace runner writes them.
class TraceLines : public SessionTrace {
public:
    void event(const std::string& line) override { lines.push_back(line); }
    bool has(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::vector<std::string> lines;
};

class WindowTest : public ProgramFolderTest {
protected:
    // The window is made on first use, so that a test can prepare its folder first.
    mirelta::MainWindow& window();
    // Shows the window as the program does at start (settings restored, then the show handler).
    mirelta::MainWindow& shownWindow();
    void closeWindow();

    template <typename Control> Control* control(const char* name) {
        auto* found = window().findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // A feature of the window, found by its class (each window has one of each).
    template <typename Feature> Feature& feature() {
        auto* found = window().findChild<Feature*>();
        if (found == nullptr) {
            throw std::logic_error("the window has no such feature");
        }
        return *found;
    }

    RecordingDialogs dialogs;
    RecordingShell shell;
    SilentSoundPlayer sound;
    // What the sessions `driver` plays did.
    TraceLines trace;
    DirectSessionDriver driver{&trace};
    // Set before the window is made: it runs its sessions itself, on a thread of their own and
    // paced by the screen, as the program does, instead of straight through on `driver`.
    bool pacedSessions = false;
    // Set before the window is made: the sound player it gets instead of `sound`.
    SoundPlayer* soundPlayer = nullptr;

private:
    std::unique_ptr<mirelta::MainWindow> window_;
};

} // namespace mirelta::test
