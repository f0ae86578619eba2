#include "tests/support/window_fixture.h"

namespace mirelta::test {

mirelta::MainWindow& WindowTest::window() {
    if (!window_) {
        window_ = std::make_unique<mirelta::MainWindow>(
            ProgramFolder(folderPath()),
            WindowServices{.dialogs = dialogs,
                           .sound = soundPlayer != nullptr ? *soundPlayer : sound,
                           .driver = pacedSessions ? nullptr : &driver,
                           .shell = &shell});
    }
    return *window_;
}

mirelta::MainWindow& WindowTest::shownWindow() {
    window().showAtStart();
    return *window_;
}

void WindowTest::closeWindow() {
    window().close();
}

} // namespace mirelta::test
