// "Оптим. настройки программы": the recommended values put back, each through its control so
// that its reaction runs. The name, the photo and the choice of suggestion stay.

#include "gui/main_window.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>

using namespace mirelta;

void TMirelta::RnClick() {
    if (!dialogs.ask(QStringLiteral("Востановить настройки по умолчанию"),
                     QStringLiteral("Востановление настроек"))) {
        return;
    }
    SettingsPanel& p = *Pnast;
    p.Epov->setText(QStringLiteral("2"));
    p.Mpov->setText(QStringLiteral("4"));
    p.Cslov->setChecked(true);
    p.Rskor->setItemIndex(1);
    p.Rvid->setItemIndex(0);
    p.Ciar->setChecked(true);
    p.Tiar->setValue(250);
    p.Rpol->setItemIndex(0);
    p.Ezad->setText(QStringLiteral("5"));
    p.Eslov->setText(QStringLiteral("20"));
    p.Epred->setText(QStringLiteral("30"));
    p.Cmatr->setChecked(false);
    p.Cbuk->setChecked(false);
    p.Ciar->setChecked(true);
    p.Tiar->setValue(250);
    p.Czv->setChecked(true);
    p.Cubav->setChecked(true);
}
