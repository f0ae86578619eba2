#include "gui/main_window.h"

#include "gui/choice/suggestion_choice.h"
#include "gui/choice/suggestion_tabs.h"
#include "gui/editor/editor_panel.h"
#include "gui/editor/suggestion_editor.h"
#include "gui/pages/highlights.h"
#include "gui/pages/menu_panel.h"
#include "gui/pages/page_links.h"
#include "gui/session/panel_view.h"
#include "gui/settings/session_warning.h"
#include "gui/settings/settings_store.h"
#include "gui/widgets/hover_highlights.h"
#include "gui/widgets/program_version.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/keyboard_layout.h"
#include "platform/desktop/shell.h"
#include "platform/sound/sound_player.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>
#include <cmath>

namespace mirelta {

MainWindow::MainWindow(ProgramFolder folder, WindowServices services, QWidget* parent)
    : QWidget(parent), folder_(std::move(folder)), dialogs_(services.dialogs),
      sound_(services.sound),
      ownShell_(services.shell ? nullptr : std::make_unique<DesktopShell>()),
      shell_(services.shell ? *services.shell : *ownShell_),
      session_(services.sound, folder_.path(), services.driver) {
    setObjectName(QStringLiteral("Mirelta"));
    setWindowTitle(QStringLiteral("Мирельта ") + programVersion());
    setFocusPolicy(Qt::StrongFocus);
    // The controls were laid out in pixels for a small dialog font.
    QFont dialogFont = font();
    dialogFont.setPixelSize(11);
    setFont(dialogFont);
    buildFeatures();
    session_.pacedOn(panel_, this, services.pacing);
    store_ =
        std::make_unique<SettingsStore>(folder_.settingsFile(), dialogs_, services.saveSettings);
    bindings_.declareStored(*store_);
}

MainWindow::~MainWindow() {
    session_.cancel();
    store_->saveOnce();
}

// The features are built in the order they lie on the page, the later over the earlier.
void MainWindow::buildFeatures() {
    panel_ = new PanelView(session_.frames(), this);
    panel_->resize(kPanelSize, kPanelSize);
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Titul"));
    tabs_ = new SuggestionTabs(page, kPanelSize, panel_);
    menu_ = new MenuPanel(this);
    links_ = new PageLinks(page, *menu_, folder_, shell_);
    settings_ =
        new SettingsPanel(dialogs_, folder_.path(), session_.scene().photo(), bindings_, page);
    choice_ = new SuggestionChoice(page, {session_.letters(), session_.scenario()}, *settings_,
                                   bindings_, folder_, dialogs_);
    links_->buildOverlays(page);
    editor_ = new SuggestionEditor(page, {folder_, dialogs_, shell_}, *settings_);
    start_ = new QPushButton(QStringLiteral("Старт"), this);
    start_->setObjectName(QStringLiteral("start"));
    exit_ = new QPushButton(QStringLiteral("Выйти"), this);
    exit_->setObjectName(QStringLiteral("bclos"));
    border_ = new BorderSwitch(*this, [this] { return session_.isRunning(); });

    connect(exit_, &QPushButton::clicked, this, &QWidget::close);
    connect(start_, &QPushButton::clicked, this, &MainWindow::startSession);
    connect(border_, &BorderSwitch::switching, choice_, &SuggestionChoice::holdParsing);
    connect(choice_, &SuggestionChoice::personalLoaded, tabs_, &SuggestionTabs::showPersonal);
    connect(editor_, &SuggestionEditor::saved, choice_, &SuggestionChoice::useSaved);
    connect(settings_, &SettingsPanel::editorRequested, editor_, &SuggestionEditor::begin);
    connect(links_, &PageLinks::recommendedRequested, settings_, &SettingsPanel::offerRecommended);
    declareHighlights(*new HoverHighlights(this),
                      {page, menu_, links_->labels(), choice_->deletionLabel(), settings_,
                       settings_->ownTextLabel(), editor_->panel().wordPanel(),
                       editor_->panel().howToLabel()});
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only the program's own showings, not a restore from the task bar.
    if (!event->spontaneous()) {
        store_->restore();
        prepareForShowing();
    }
}

void MainWindow::prepareForShowing() {
    border_->showHandlerStarted();
    exit_->move(pos());
    activateRussianLayout();
    choice_->listPersonal();
    settings_->reloadPhoto(border_->isSwitching());
    placeAroundPanel();
    choice_->loadChosenPersonal();
    choice_->parse();
    session_.prepare();
    border_->showHandlerEnded();
}

// The window's own background has the colour of button text; its controls keep their own.
void MainWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    session_.rings().drawNew(session_.frames());
    session_.rings().paint(painter, event->rect(), palette().color(QPalette::ButtonText));
}

void MainWindow::placeAroundPanel() {
    const double width = frameGeometry().width();
    const double height = frameGeometry().height();
    const int left = static_cast<int>(std::trunc(width / 2 - kPanelSize / 2.0));
    const int top = static_cast<int>(std::trunc(height / 2 - kPanelSize / 2.0));
    panel_->move(left, top);
    menu_->move(left, top);
    menu_->raise();
    start_->move(left + 150, static_cast<int>(std::trunc(height / 2 + kPanelSize / 2.0)) + 10);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A window manager may maximise the window after it was shown: keep the panel centred.
    placeAroundPanel();
}

void MainWindow::startSession() {
    if (session_.isRunning()) {
        return;
    }
    // "Старт" within 700 ms of the window appearing: the border switch would run the show handler
    // on this thread while the session's thread plays. It is done now, before anything is read.
    border_->switchNow();
    std::optional<SessionSettings> settings = settings_->sessionSettings();
    if (!settings) {
        return;
    }
    if (!choice_->readyToPlay()) {
        return;
    }
    if (!settings_->gentleChoice()) {
        const std::optional<bool> gentle = askForGentleSession(dialogs_);
        if (!gentle) {
            return;
        }
        settings_->chooseSession(*gentle);
        settings->gentle = *gentle;
    }
    exit_->hide();
    menu_->hide();
    start_->hide();
    tabs_->hide();
    setFocus();
    session_.start(*settings, *this,
                   [this](const SessionOutcome& outcome) { sessionEnded(outcome); });
}

void MainWindow::sessionEnded(const SessionOutcome& outcome) {
    // The closing message waits for the user: the session's loop must not sound on behind it.
    sound_.stop();
    tabs_->show();
    menu_->show();
    dialogs_.message(QStringLiteral("Сеанс окончен повторите его \rне ранее чем 30 минут "));
    if (outcome.lowerPauses) {
        settings_->setPauses(outcome.wordPause, outcome.phrasePause);
    }
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    border_->stop();
    session_.cancel();
    session_.letters().close();
    store_->saveOnce();
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // A key is the window's during a session, or when the user gave the window itself the focus
    // by clicking its background. Qt also hands up the keys a focused control has no use for (a
    // letter on the tab row, Escape, F1): those are strays and must not end the program.
    if (session_.isRunning() || focusWidget() == this) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint()) == nullptr) {
        close();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace mirelta
