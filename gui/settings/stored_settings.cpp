// The nineteen settings kept in polufabu.ini, in the order of the file, each with its key and the
// control it is read from and restored into.

#include "gui/general_page.h"
#include "gui/main_window.h"
#include "gui/settings/form_storage.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using namespace mirelta;

namespace {

FormStorage::Setting text(const char* key, QLineEdit* field) {
    return {QString::fromLatin1(key), FormStorage::Kind::Text, [field] { return field->text(); },
            [field](const QString& value) { field->setText(value); }};
}

// An index the group does not have is skipped, as a failed setter would be.
FormStorage::Setting index(const char* key, RadioGroup* group) {
    return {QString::fromLatin1(key), FormStorage::Kind::Index,
            [group] { return QString::number(group->itemIndex()); },
            [group](const QString& value) {
                const int item = value.toInt();
                if (item >= -1 && item < group->count()) {
                    group->setItemIndex(item);
                }
            }};
}

FormStorage::Setting checked(const char* key, QCheckBox* box) {
    return {QString::fromLatin1(key), FormStorage::Kind::Checked,
            [box] { return box->isChecked() ? QStringLiteral("True") : QStringLiteral("False"); },
            [box](const QString& value) { box->setChecked(value == QStringLiteral("True")); }};
}

} // namespace

void TMirelta::declareStoredSettings() {
    FormStorage& store = *Fs1;
    store.add(text("Epov_Text", Pnast->Epov));
    store.add(text("Mpov_Text", Pnast->Mpov));
    store.add(checked("Cmatr_Checked", Pnast->Cmatr));
    store.add(index("Rskor_ItemIndex", Pnast->Rskor));
    store.add(index("Rvid_ItemIndex", Pnast->Rvid));
    store.add(index("Rgnast_ItemIndex", Titul->Rgnast));
    store.add(text("Ename_Text", Pnast->Ename));
    store.add(index("Rpol_ItemIndex", Pnast->Rpol));
    store.add(checked("Cslov_Checked", Pnast->Cslov));
    store.add(checked("Chperson_Checked", Titul->Chperson));
    store.add(checked("Cfoto_Checked", Pnast->Cfoto));
    store.add({QStringLiteral("Openf_FileName"), FormStorage::Kind::Text,
               [this] { return openfFileName; },
               [this](const QString& value) { openfFileName = value; }});
    store.add(text("Ezad_Text", Pnast->Ezad));
    store.add({QStringLiteral("Cperson_Text"), FormStorage::Kind::Text,
               [this] { return Titul->Cperson->currentText(); },
               [this](const QString& value) { Titul->Cperson->setEditText(value); }});
    store.add(text("Eslov_Text", Pnast->Eslov));
    store.add(text("Epred_Text", Pnast->Epred));
    store.add(checked("Cbuk_Checked", Pnast->Cbuk));
    store.add(checked("Czv_Checked", Pnast->Czv));
    store.add(checked("Cubav_Checked", Pnast->Cubav));
}
