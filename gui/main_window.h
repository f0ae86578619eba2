#pragma once
// The main window. It assembles the display panel, the tab row with the general page and the
// features on it (settings, the choice of a suggestion, the editor, the links and pages), owns
// the services and the session's engine, and handles its own events: showing, closing, keys and
// double clicks, the border switch, "Старт" and the end of a session. Each feature does its own
// work.

#include "display/glyph_strips.h"
#include "display/panel_scene.h"
#include "engine/backgrounds.h"
#include "engine/random.h"
#include "engine/session_engine.h"
#include "engine/session_state.h"
#include "gui/session/frame_exchange.h"
#include "gui/session/paced_session_driver.h"
#include "gui/session/ring_surface.h"
#include "platform/files/program_folder.h"
#include "text/record_table.h"

#include <QWidget>
#include <memory>

class QPushButton;

namespace mirelta {

class BorderSwitch;
class Dialogs;
class HoverHighlights;
class MenuPanel;
class PageLinks;
class PanelView;
class SessionDriver;
class SettingsPanel;
class SettingsStore;
class Shell;
class SoundPlayer;
class SuggestionChoice;
class SuggestionEditor;
class SuggestionTabs;

// What the window gets from the program that runs it.
struct WindowServices {
    Dialogs& dialogs;
    SoundPlayer& sound;
    // Runs sessions; without one the window paces them on the screen itself.
    SessionDriver* driver = nullptr;
    // Whether closing writes polufabu.ini (the trace runner leaves the folder as it found it).
    bool saveSettings = true;
    // Opens documents and web pages; without one the desktop's default programs do.
    Shell* shell = nullptr;
    // How the window's own driver paces its sessions.
    PacingOptions pacing;
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(ProgramFolder folder, WindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window the way the program starts: maximised with a border, covering the screen
    // even where nothing honours "maximised".
    void showAtStart();
    // Takes the border away now rather than 700 ms after the first showing; see BorderSwitch.
    void switchBorderOff();

    const SessionState& session() const { return state_; }
    bool isSwitchingBorder() const;
    const RecordTable& letters() const { return letters_; }
    const RecordTable& scenario() const { return scenario_; }
    const PictureBox& photo() const { return scene_.ifoto(); }
    const PanelScene& panelScene() const { return scene_; }
    const SessionEngine& sessionEngine() const { return engine_; }
    // The window's own driver, when it runs its sessions itself.
    const PacedSessionDriver* pacedDriver() const;
    const QString& photoFileName() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void buildFeatures();
    void prepareForShowing();
    void placeAroundPanel();
    void startSession();
    void sessionEnded(const SessionOutcome& outcome);
    void saveSettingsOnce();

    ProgramFolder folder_;
    Dialogs& dialogs_;
    SoundPlayer& sound_;
    std::unique_ptr<Shell> ownShell_;
    Shell& shell_;

    SessionState state_;
    RecordTable letters_;  // Tslovo
    RecordTable scenario_; // Tschenar
    Random random_;
    PanelScene scene_;
    GlyphStrips strips_;
    Backgrounds backgrounds_;
    SessionEngine engine_;
    FrameExchange frames_;
    std::unique_ptr<SessionDriver> ownDriver_;
    SessionDriver* driver_ = nullptr;
    RingSurface rings_;

    std::unique_ptr<SettingsStore> store_;
    bool saveSettings_ = true;
    bool settingsSaved_ = false;

    PanelView* panel_ = nullptr;
    SuggestionTabs* tabs_ = nullptr;
    SettingsPanel* settings_ = nullptr;
    SuggestionChoice* choice_ = nullptr;
    SuggestionEditor* editor_ = nullptr;
    PageLinks* links_ = nullptr;
    MenuPanel* menu_ = nullptr;
    HoverHighlights* hover_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* exit_ = nullptr;
    BorderSwitch* border_ = nullptr;
};

} // namespace mirelta
