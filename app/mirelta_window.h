#pragma once
// The main window: it assembles the display panel, the settings pages and the menu, holds the
// session state and the parsed suggestion, and runs start-up, showing and closing. Each
// subsystem's handlers are defined in that subsystem's folder (choice of a suggestion in text/,
// the photo and the recommended settings in settings/).

#include "picture_box.h"
#include "program_folder.h"
#include "record_table.h"
#include "session_state.h"

#include <QByteArray>
#include <QWidget>
#include <memory>
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
class FormStorage;
class GeneralPage;
class MenuPanel;
class RadioGroup;
class SettingsPanel;
} // namespace mirelta

class TMirelta : public QWidget {
    Q_OBJECT
public:
    TMirelta(mirelta::ProgramFolder folder, mirelta::Dialogs& dialogs, QWidget* parent = nullptr);
    ~TMirelta() override;

    // Shows the window the way the program starts: maximised with a border, covering the screen
    // even where nothing honours "maximised".
    void showAtStart();

    const mirelta::SessionState& session() const { return state; }
    const mirelta::RecordTable& letters() const { return Tslovo; }
    const mirelta::RecordTable& scenario() const { return Tschenar; }
    const mirelta::PictureBox& photo() const { return ifoto; }
    const QString& photoFileName() const { return openfFileName; }

    // Handlers
    void FormCreate();
    void FormShow();
    void TborderTimer();
    void FormClose();
    void Abasa();
    void RgnastClick();
    void ChpersonClick();
    void CpersonChange();
    void RudClick();
    void BfotoClick();
    void RnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void declareStoredSettings();
    void placeAroundPanel();
    void saveSettingsOnce();
    void loadPersonalText(const QString& path);
    void showPersonalTitle(const QString& title);

    mirelta::ProgramFolder folder;
    mirelta::Dialogs& dialogs;
    std::unique_ptr<mirelta::FormStorage> Fs1;
    bool settingsSaved = false;

    mirelta::SessionState state;
    mirelta::RecordTable Tslovo;
    mirelta::RecordTable Tschenar;
    mirelta::PictureBox ifoto;
    QString openfFileName;    // the photo: file name held by the picture-open dialog
    std::string personalText; // Windows-1251 bytes shown in Mperson0

    QWidget* Pkod = nullptr;
    QTabWidget* Pagenast = nullptr;
    mirelta::GeneralPage* Titul = nullptr;
    mirelta::SettingsPanel* Pnast = nullptr;
    mirelta::MenuPanel* Pmenu = nullptr;
    QPlainTextEdit* Mperson0 = nullptr;
    QWidget* Tperson0 = nullptr;
    QPushButton* start = nullptr;
    QPushButton* bclos = nullptr;
    QTimer* Tnastroi = nullptr;
    QTimer* Tnastser = nullptr;
    QTimer* Tborder = nullptr;
};
