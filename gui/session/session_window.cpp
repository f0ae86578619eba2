// The window's side of a session: "Старт" with its checks, the session view, the frame rings on
// the window's surface, and the end of the session.

#include "gui/general_page.h"
#include "gui/main_window.h"
#include "gui/pages/menu_panel.h"
#include "gui/session/session_driver.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/dialogs.h"
#include "platform/sound/sound_player.h"
#include "text/suggestion_tables.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

using namespace mirelta;

namespace {

// The two system colours of the frame rings: the active window caption and the desktop.
QRgb ringColour(std::uint32_t colour) {
    if (colour & 0x80000000u) {
        return (colour & 0xFF) == 1 ? qRgb(0x3A, 0x6E, 0xA5) : qRgb(0x0A, 0x24, 0x6A);
    }
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace

std::optional<SessionSettings> TMirelta::sessionSettings() {
    SessionSettings settings;
    const SettingsPanel& p = *Pnast;
    const auto message = readSessionNumbers(
        {p.Epov->text(), p.Mpov->text(), p.Ezad->text(), p.Eslov->text(), p.Epred->text()},
        settings);
    if (message) {
        dialogs.message(*message);
        return std::nullopt;
    }
    settings.matrix = p.Cmatr->isChecked();
    settings.letter = p.Cbuk->isChecked();
    settings.wordRow = p.Cslov->isChecked();
    settings.view = p.Rvid->itemIndex();
    settings.speed = p.Rskor->itemIndex();
    settings.photo = p.Cfoto->isChecked();
    settings.lowerPauses = p.Cubav->isChecked();
    settings.brightness = p.Ciar->isChecked();
    settings.brightnessLevel = p.Tiar->value();
    settings.sound = p.Czv->isChecked();
    return settings;
}

void TMirelta::startClick() {
    if (driver->isRunning()) {
        return;
    }
    // "Старт" within 700 ms of the window appearing: the border switch would run the show handler
    // on this thread while the session's thread plays. It is done now, before anything is read.
    if (!borderSwitched) {
        TborderTimer();
    }
    const std::optional<SessionSettings> settings = sessionSettings();
    if (!settings) {
        return;
    }
    // A suggestion whose parse stopped holds only the rows read up to the fault.
    if (!suggestionParsed || !Tslovo.isOpen() || Tslovo.isEmpty()) {
        dialogs.message(
            QStringLiteral("Настрой не выбран или содержит ошибку: выберите стандартный "
                           "или персональный настрой"));
        return;
    }
    bclos->hide();
    Pmenu->hide();
    start->hide();
    Pagenast->hide();
    setFocus();
    rings = QImage(size(), QImage::Format_RGB32);
    rings.fill(palette().color(QPalette::ButtonText));
    frames.clear();
    driver->start(engine, *settings, frameGeometry().size(),
                  [this](const SessionOutcome& outcome) { sessionEnded(outcome); });
}

void TMirelta::sessionEnded(const SessionOutcome& outcome) {
    // The closing message waits for the user: the session's loop must not sound on behind it.
    sound.stop();
    Pagenast->show();
    Pmenu->show();
    dialogs.message(QStringLiteral("Сеанс окончен повторите его \rне ранее чем 30 минут "));
    if (outcome.lowerPauses) {
        Pnast->Eslov->setText(QString::number(outcome.wordPause));
        Pnast->Epred->setText(QString::number(outcome.phrasePause));
    }
    close();
}

void TMirelta::drawNewRings() {
    if (rings.isNull()) {
        return;
    }
    QPainter painter(&rings);
    for (const Ring& ring : frames.takeRings()) {
        ring.draw(painter, QColor(ringColour(ring.colour)));
    }
}
