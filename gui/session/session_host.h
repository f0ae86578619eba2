#pragma once
// Everything a session plays on, owned in one place for the window: the session state, the
// parsed suggestion's two tables, the panel's scene with its glyph strips and backgrounds, the
// engine over them, and the driver that runs it (the window's own, paced on the screen, unless
// the program brings one). It starts a session with the frame rings on a fresh surface.

#include "display/glyph_strips.h"
#include "display/panel_scene.h"
#include "engine/backgrounds.h"
#include "engine/random.h"
#include "engine/session_engine.h"
#include "engine/session_state.h"
#include "gui/session/frame_exchange.h"
#include "gui/session/paced_session_driver.h"
#include "gui/session/ring_surface.h"
#include "text/record_table.h"

#include <functional>
#include <memory>

namespace mirelta {

class SessionDriver;
class SoundPlayer;

class SessionHost {
public:
    SessionHost(SoundPlayer& sound, const QString& programFolder, SessionDriver* driver);
    ~SessionHost();

    // Without a driver of the program's, the window paces its sessions on the screen itself.
    void pacedOn(QWidget* panel, QWidget* window, const PacingOptions& options);

    void start(const SessionSettings& settings, QWidget& window,
               std::function<void(const SessionOutcome&)> ended);
    bool isRunning() const;
    void cancel();
    // The first thesis located, the ring colours as a session starts from them.
    void prepare();

    RecordTable& letters() { return letters_; }
    const RecordTable& letters() const { return letters_; }
    RecordTable& scenario() { return scenario_; }
    const RecordTable& scenario() const { return scenario_; }
    PanelScene& scene() { return scene_; }
    const PanelScene& scene() const { return scene_; }
    FrameExchange& frames() { return frames_; }
    RingSurface& rings() { return rings_; }
    const PacedSessionDriver* pacedDriver() const;

private:
    SessionState state_;
    RecordTable letters_;  // Tslovo
    RecordTable scenario_; // Tschenar
    Random random_;
    PanelScene scene_;
    GlyphStrips strips_;
    Backgrounds backgrounds_;
    SessionEngine engine_;
    FrameExchange frames_;
    RingSurface rings_;
    std::unique_ptr<SessionDriver> ownDriver_;
    SessionDriver* driver_ = nullptr;
};

} // namespace mirelta
