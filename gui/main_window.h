#pragma once
// The main window: it assembles the display panel, the settings pages and the menu, holds the
// session state and the parsed suggestion, and runs start-up, showing and closing. Each
// subsystem's handlers are defined in that subsystem's folder (choice of a suggestion in text/,
// the photo and the recommended settings in settings/, the session's window side in session/).

#include "display/glyph_strips.h"
#include "display/panel_scene.h"
#include "engine/backgrounds.h"
#include "engine/random.h"
#include "engine/session_engine.h"
#include "engine/session_state.h"
#include "gui/pages/information_pages.h"
#include "gui/session/frame_exchange.h"
#include "gui/session/paced_session_driver.h"
#include "platform/files/program_folder.h"
#include "text/record_table.h"

#include <QByteArray>
#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

namespace mirelta {
class ClickableLabel;
class Dialogs;
class EditorPanel;
class FormStorage;
class HoverHighlights;
class Shell;
class GeneralPage;
class MenuPanel;
class PacedSessionDriver;
class PanelView;
class RadioGroup;
class SessionDriver;
class SettingsPanel;
class SoundPlayer;

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
} // namespace mirelta

class TMirelta : public QWidget {
    Q_OBJECT
public:
    TMirelta(mirelta::ProgramFolder folder, mirelta::WindowServices services,
             QWidget* parent = nullptr);
    ~TMirelta() override;

    // Shows the window the way the program starts: maximised with a border, covering the screen
    // even where nothing honours "maximised".
    void showAtStart();

    const mirelta::SessionState& session() const { return state; }
    const mirelta::RecordTable& letters() const { return Tslovo; }
    const mirelta::RecordTable& scenario() const { return Tschenar; }
    const mirelta::PictureBox& photo() const { return scene.photo(); }
    const mirelta::PanelScene& panelScene() const { return scene; }
    const mirelta::SessionEngine& sessionEngine() const { return engine; }
    // The window's own driver, when it runs its sessions itself.
    const mirelta::PacedSessionDriver* pacedDriver() const;
    const QString& photoFileName() const { return openfFileName; }

    // Handlers
    void FormCreate();
    void FormShow();
    // Takes the border away, once: the window is made anew, which runs the show handler again.
    void TborderTimer();
    void FormClose();
    void Abasa();
    void locateSentence();
    void startClick();
    void RgnastClick();
    void ChpersonClick();
    void CpersonChange();
    void RudClick();
    void BfotoClick();
    void RnClick();
    void R5Click();
    void BnewslovClick();
    void BnabzClick();
    void BopClick();
    void BizshClick();
    void BmiskClick();
    void BtextsoxClick();
    void BtexzacClick();
    void R6Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void connectEditor();
    void connectMenu();
    void declareHighlights();
    void showInformationPage(mirelta::InformationPage page);
    void openLocalPage(const QString& relative);
    void declareStoredSettings();
    void placeAroundPanel();
    void saveSettingsOnce();
    void loadPersonalText(const QString& path);
    void showPersonalTitle(const QString& title);
    std::optional<mirelta::SessionSettings> sessionSettings();
    void sessionEnded(const mirelta::SessionOutcome& outcome);
    void drawNewRings();
    bool completeHeader(bool withSound);
    QString editorLine(int index) const;
    void setEditorLine(int index, const QString& text);
    void appendEditorLine(const QString& text);

    mirelta::ProgramFolder folder;
    mirelta::Dialogs& dialogs;
    std::unique_ptr<mirelta::FormStorage> Fs1;
    bool settingsSaved = false;
    bool saveSettings = true;

    mirelta::SessionState state;
    mirelta::RecordTable Tslovo;
    mirelta::RecordTable Tschenar;
    mirelta::Random random;
    mirelta::PanelScene scene;
    mirelta::GlyphStrips Dalf;
    mirelta::Backgrounds Dkod;
    mirelta::SoundPlayer& sound;
    mirelta::SessionEngine engine;
    mirelta::FrameExchange frames;
    std::unique_ptr<mirelta::SessionDriver> ownDriver;
    mirelta::SessionDriver* driver = nullptr;
    QImage rings;             // the frame rings drawn on the window's surface during a session
    QString openfFileName;    // the photo: file name held by the picture-open dialog
    QString openizFileName;   // the editor\'s picture, held by its dialog until another is chosen
    QString openzvFileName;   // the editor\'s sound, likewise
    std::string personalText; // Windows-1251 bytes shown in Mperson0
    bool suggestionParsed = false;   // the last parse completed: the tables hold a whole suggestion
    bool showHandlerRunning = false; // FormShow runs; one of its message boxes may be open
    bool borderSwitched = false;     // the border is gone: the switch never runs again
    bool borderSwitchDue = false;    // the border's time came while the show handler ran

    mirelta::PanelView* Pkod = nullptr;
    QTabWidget* Pagenast = nullptr;
    mirelta::GeneralPage* Titul = nullptr;
    mirelta::SettingsPanel* Pnast = nullptr;
    mirelta::EditorPanel* Ptext = nullptr;
    std::unique_ptr<mirelta::Shell> ownShell;
    mirelta::Shell& shell;
    mirelta::HoverHighlights* hover = nullptr;
    mirelta::MenuPanel* Pmenu = nullptr;
    QPlainTextEdit* Mperson0 = nullptr;
    QWidget* Tperson0 = nullptr;
    QPushButton* start = nullptr;
    QPushButton* bclos = nullptr;
    QTimer* Tnastroi = nullptr;
    QTimer* Tnastser = nullptr;
    QTimer* Tborder = nullptr;
};
