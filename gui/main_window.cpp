#include "gui/main_window.h"

#include "gui/editor/editor_panel.h"
#include "gui/general_page.h"
#include "gui/pages/menu_panel.h"
#include "gui/session/paced_session_driver.h"
#include "gui/session/panel_view.h"
#include "gui/settings/form_storage.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"
#include "gui/widgets/hover_highlights.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/keyboard_layout.h"
#include "platform/desktop/shell.h"
#include "platform/files/folder_listing.h"
#include "platform/pictures/picture_loader.h"
#include "text/cp1251.h"
#include "text/standard_texts.h"
#include "text/suggestion_tables.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

using namespace mirelta;

namespace {

QPlainTextEdit* readOnlyText(QWidget* parent, const char* name) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    return box;
}

} // namespace

TMirelta::TMirelta(ProgramFolder programFolder, WindowServices services, QWidget* parent)
    : QWidget(parent), folder(std::move(programFolder)), dialogs(services.dialogs),
      saveSettings(services.saveSettings), Tslovo(makeLettersTable()),
      Tschenar(makeScenarioTable()), Dalf(GlyphStrips::builtIn()), Dkod(Backgrounds::builtIn()),
      sound(services.sound),
      engine({Tslovo, Tschenar, state, scene, Dalf, Dkod, sound, random, folder.path()}),
      driver(services.driver),
      ownShell(services.shell ? nullptr : std::make_unique<DesktopShell>()),
      shell(services.shell ? *services.shell : *ownShell) {
    setObjectName(QStringLiteral("Mirelta"));
    setWindowTitle(QStringLiteral("Мирельта 1.779"));
    setFocusPolicy(Qt::StrongFocus);
    // The controls were laid out in pixels for a small dialog font.
    QFont dialogFont = font();
    dialogFont.setPixelSize(11);
    setFont(dialogFont);
    buildControls();
    if (driver == nullptr) {
        ownDriver =
            std::make_unique<PacedSessionDriver>(scene, frames, Pkod, this, services.pacing);
        driver = ownDriver.get();
    }
    FormCreate();
}

TMirelta::~TMirelta() {
    driver->cancel();
    saveSettingsOnce();
}

void TMirelta::buildControls() {
    Pkod = new PanelView(frames, this);
    Pkod->resize(kPanelSize, kPanelSize);

    Pagenast = new QTabWidget(Pkod);
    Pagenast->setObjectName(QStringLiteral("Pagenast"));
    Pagenast->setGeometry(0, 0, kPanelSize, kPanelSize);
    Titul = new GeneralPage(dialogs, Pagenast);
    Pnast = Titul->Pnast;
    Ptext = Titul->Ptext;
    Pagenast->addTab(Titul, QStringLiteral("Общее"));
    const QStringList captions = {QStringLiteral("Курение"),  QStringLiteral("Пиво"),
                                  QStringLiteral("Алкоголь"), QStringLiteral("Наркотики"),
                                  QStringLiteral("Неврозы"),  QStringLiteral("Похудение")};
    for (int item = 0; item < kStandardTextCount; ++item) {
        const std::string name(standardTextName(item));
        QPlainTextEdit* box = readOnlyText(Pagenast, name.c_str());
        box->setPlainText(QString::fromStdString(cp1251::toUtf8(standardText(item))));
        Pagenast->addTab(box, captions[item]);
    }
    for (int page = 0; page < 3; ++page) {
        auto* tab = new QWidget(Pagenast);
        tab->setObjectName(QStringLiteral("Tperson%1").arg(page));
        auto* layout = new QVBoxLayout(tab);
        layout->setContentsMargins(0, 0, 0, 0);
        const QByteArray name = QByteArray("Mperson") + QByteArray::number(page);
        QPlainTextEdit* box = readOnlyText(tab, name.constData());
        layout->addWidget(box);
        Pagenast->addTab(tab, QStringLiteral("Персональный%1").arg(page));
        if (page == 0) {
            Tperson0 = tab;
            Mperson0 = box;
        }
    }

    Pmenu = new MenuPanel(this);
    start = new QPushButton(QStringLiteral("Старт"), this);
    start->setObjectName(QStringLiteral("start"));
    bclos = new QPushButton(QStringLiteral("Выйти"), this);
    bclos->setObjectName(QStringLiteral("bclos"));
    connect(bclos, &QPushButton::clicked, this, &QWidget::close);
    connect(start, &QPushButton::clicked, this, &TMirelta::startClick);

    Tnastroi = new QTimer(this);
    Tnastroi->setObjectName(QStringLiteral("Tnastroi"));
    Tnastroi->setInterval(1);
    Tnastser = new QTimer(this);
    Tnastser->setObjectName(QStringLiteral("Tnastser"));
    Tnastser->setInterval(1);
    Tborder = new QTimer(this);
    Tborder->setObjectName(QStringLiteral("Tborder"));
    Tborder->setInterval(700);
    connect(Tborder, &QTimer::timeout, this, &TMirelta::TborderTimer);

    onClick(Titul->Rgnast, [this] { RgnastClick(); });
    onClick(Titul->Chperson, [this] { ChpersonClick(); });
    onUserChange(Titul->Cperson, [this] { CpersonChange(); });
    connect(Titul->Rud, &ClickableLabel::clicked, this, &TMirelta::RudClick);
    connect(Titul->Rn, &ClickableLabel::clicked, this, &TMirelta::RnClick);
    connect(Pnast->Bfoto, &QPushButton::clicked, this, &TMirelta::BfotoClick);
    hover = new HoverHighlights(this);
    connectEditor();
    connectMenu();
}

const PacedSessionDriver* TMirelta::pacedDriver() const {
    return dynamic_cast<const PacedSessionDriver*>(ownDriver.get());
}

void TMirelta::connectEditor() {
    connect(Pnast->R5, &ClickableLabel::clicked, this, &TMirelta::R5Click);
    connect(Ptext->Bnewslov, &QPushButton::clicked, this, &TMirelta::BnewslovClick);
    connect(Ptext->Bnabz, &QPushButton::clicked, this, &TMirelta::BnabzClick);
    connect(Ptext->Bop, &QPushButton::clicked, this, &TMirelta::BopClick);
    connect(Ptext->Bizsh, &QPushButton::clicked, this, &TMirelta::BizshClick);
    connect(Ptext->Bmisk, &QPushButton::clicked, this, &TMirelta::BmiskClick);
    connect(Ptext->Btextsox, &QPushButton::clicked, this, &TMirelta::BtextsoxClick);
    connect(Ptext->Btexzac, &QPushButton::clicked, this, &TMirelta::BtexzacClick);
    connect(Ptext->R6, &ClickableLabel::clicked, this, &TMirelta::R6Click);
}

void TMirelta::FormCreate() {
    state.cursor.thesis = 1;
    state.cursor.sentence = 1;
    state.cursor.glyphFrame = 1;
    state.repeatsDone = 0;
    Pagenast->setTabVisible(Pagenast->count() - 2, false); // Tperson1
    Pagenast->setTabVisible(Pagenast->count() - 1, false); // Tperson2
    Fs1 = std::make_unique<FormStorage>(QStringLiteral("TMirelta"), folder.settingsFile(), dialogs);
    declareStoredSettings();
}

void TMirelta::showAtStart() {
    if (QScreen* screen = this->screen()) {
        setGeometry(screen->availableGeometry());
    }
    showMaximized();
}

void TMirelta::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only the program's own showings, not a restore from the task bar.
    if (!event->spontaneous()) {
        Fs1->restore();
        FormShow();
    }
}

void TMirelta::FormShow() {
    showHandlerRunning = true;
    bclos->move(pos());
    activateRussianLayout();
    if (!borderSwitched) {
        Tborder->start();
    }

    const QString chosen = Titul->Cperson->currentText();
    Titul->Cperson->clear();
    std::vector<std::string> names;
    listFolderFiles(folder.text().toStdString(), true, &names, 0, {}, ".txt");
    for (const std::string& name : names) {
        Titul->Cperson->addItem(QString::fromStdString(name));
    }
    Titul->Cperson->setCurrentIndex(-1);
    Titul->Cperson->setEditText(chosen);

    if (!openfFileName.isEmpty() && Pnast->Cfoto->isChecked()) {
        const LoadedPicture picture = loadPicture(openfFileName);
        if (picture.ok()) {
            scene.photo().setPicture(picture.image);
        } else if (state.borderSwitching == 1) {
            dialogs.message(QStringLiteral("Фотография не найденна ! Загрузите другую"));
            openfFileName.clear();
            Pnast->Cfoto->setChecked(false);
        }
    }
    if (openfFileName.isEmpty()) {
        Pnast->Cfoto->setChecked(false);
    }

    placeAroundPanel();

    const QString title = Titul->Cperson->currentText();
    if (Titul->Chperson->isChecked() && !title.isEmpty()) {
        const QString path = folder.personalText(title);
        if (!path.isEmpty() && QFileInfo(path).isFile()) {
            showPersonalTitle(title);
            loadPersonalText(path);
        } else {
            Titul->Cperson->setEditText(QString());
        }
    }
    Abasa();
    locateSentence();

    state.frameOffset = 0;
    state.colourIndex = 0;
    state.colours = kFrameColours;
    showHandlerRunning = false;
    if (borderSwitchDue) {
        borderSwitchDue = false;
        QTimer::singleShot(0, this, [this] { TborderTimer(); });
    }
}

// The window's own background has the colour of button text; its controls keep their own.
void TMirelta::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    drawNewRings();
    if (rings.isNull()) {
        painter.fillRect(event->rect(), palette().color(QPalette::ButtonText));
    } else {
        painter.drawImage(event->rect(), rings, event->rect());
    }
}

void TMirelta::locateSentence() {
    engine.locateSentence();
}

void TMirelta::placeAroundPanel() {
    const double width = frameGeometry().width();
    const double height = frameGeometry().height();
    const int left = static_cast<int>(std::trunc(width / 2 - kPanelSize / 2.0));
    const int top = static_cast<int>(std::trunc(height / 2 - kPanelSize / 2.0));
    Pkod->move(left, top);
    Pmenu->move(left, top);
    Pmenu->raise();
    start->move(left + 150, static_cast<int>(std::trunc(height / 2 + kPanelSize / 2.0)) + 10);
}

void TMirelta::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A window manager may maximise the window after it was shown: keep the panel centred.
    placeAroundPanel();
}

void TMirelta::TborderTimer() {
    Tborder->stop();
    // The switch rewrites what a session reads (the state, the letters table, the sound, the
    // photo): a session that started first keeps its border.
    if (borderSwitched || driver->isRunning()) {
        return;
    }
    // A message box of the show handler is still open and its handler half done: running the
    // handler again inside it would repeat its messages. The switch waits for the box to close.
    if (showHandlerRunning) {
        borderSwitchDue = true;
        return;
    }
    borderSwitched = true;
    state.borderSwitching = 1;
    // Changing the border rebuilds the window, and showing it again runs the show handler.
    setWindowFlag(Qt::FramelessWindowHint, true);
    if (QScreen* screen = this->screen()) {
        setGeometry(screen->geometry());
    }
    showFullScreen();
    state.borderSwitching = 0;
}

void TMirelta::FormClose() {
    Tslovo.close();
}

void TMirelta::closeEvent(QCloseEvent* event) {
    Tborder->stop();
    driver->cancel();
    FormClose();
    saveSettingsOnce();
    event->accept();
}

void TMirelta::saveSettingsOnce() {
    if (saveSettings && !settingsSaved && Fs1 && Fs1->hasRestored()) {
        settingsSaved = true;
        Fs1->save();
    }
}

void TMirelta::keyPressEvent(QKeyEvent* event) {
    // A key is the window's during a session, or when the user gave the window itself the focus
    // by clicking its background. Qt also hands up the keys a focused control has no use for (a
    // letter on the tab row, Escape, F1): those are strays and must not end the program.
    if (driver->isRunning() || focusWidget() == this) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TMirelta::mouseDoubleClickEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint()) == nullptr) {
        close();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}
