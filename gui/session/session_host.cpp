#include "gui/session/session_host.h"

#include "gui/session/session_driver.h"
#include "text/suggestion_tables.h"

#include <QPalette>
#include <QWidget>

namespace mirelta {

SessionHost::SessionHost(SoundPlayer& sound, const QString& programFolder, SessionDriver* driver)
    : letters_(makeLettersTable()), scenario_(makeScenarioTable()), strips_(GlyphStrips::builtIn()),
      backgrounds_(Backgrounds::builtIn()), engine_({letters_, scenario_, state_, scene_, strips_,
                                                     backgrounds_, sound, random_, programFolder}),
      driver_(driver) {
    state_.cursor = {.thesis = 1, .sentence = 1, .line = 0, .glyphFrame = 1};
}

SessionHost::~SessionHost() {
    if (driver_ != nullptr) {
        driver_->cancel();
    }
}

void SessionHost::pacedOn(QWidget* panel, QWidget* window, const PacingOptions& options) {
    if (driver_ == nullptr) {
        ownDriver_ = std::make_unique<PacedSessionDriver>(scene_, frames_, panel, window, options);
        driver_ = ownDriver_.get();
    }
}

void SessionHost::start(const SessionSettings& settings, QWidget& window,
                        std::function<void(const SessionOutcome&)> ended) {
    rings_.begin(window.size(), window.palette().color(QPalette::ButtonText));
    frames_.clear();
    driver_->start(engine_, settings, window.frameGeometry().size(), std::move(ended));
}

bool SessionHost::isRunning() const {
    return driver_->isRunning();
}

void SessionHost::cancel() {
    driver_->cancel();
}

void SessionHost::prepare() {
    engine_.prepareFirstSentence();
    state_.frameOffset = 0;
    state_.colourIndex = 0;
    state_.colours = kFrameColours;
}

const PacedSessionDriver* SessionHost::pacedDriver() const {
    return dynamic_cast<const PacedSessionDriver*>(ownDriver_.get());
}

} // namespace mirelta
