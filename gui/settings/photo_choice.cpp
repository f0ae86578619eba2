// The user's photograph, chosen with "Фотография" and checked for size.

#include "gui/main_window.h"
#include "gui/settings/settings_panel.h"
#include "platform/desktop/dialogs.h"
#include "platform/pictures/picture_loader.h"

#include <QCheckBox>

using namespace mirelta;

namespace {
constexpr int kLargestPhoto = 425;
constexpr int kSmallestPhoto = 100;
} // namespace

void TMirelta::BfotoClick() {
    const QString chosen = dialogs.openFile(folder.path(), kPictureFilter);
    if (chosen.isEmpty()) {
        return;
    }
    // A file that is not a picture changes nothing: the earlier photo and its path stay.
    const LoadedPicture picture = loadPicture(chosen);
    if (!picture.ok()) {
        dialogs.message(picture.error);
        return;
    }
    openfFileName = chosen;
    scene.photo().setPicture(picture.image);
    Pnast->Cfoto->setChecked(true);
    // The checks measure the box, which keeps 425 x 425 once a photo was too big.
    if (scene.photo().size().width() > kLargestPhoto ||
        scene.photo().size().height() > kLargestPhoto) {
        dialogs.message(QStringLiteral("Фотография слишком велика ! Желательно загрузить другую"));
        scene.photo().fixSize({kLargestPhoto, kLargestPhoto});
    }
    if (scene.photo().size().width() < kSmallestPhoto ||
        scene.photo().size().height() < kSmallestPhoto) {
        dialogs.message(QStringLiteral("Фотография слишком мала ! Загрузите другую"));
        openfFileName.clear();
        Pnast->Cfoto->setChecked(false);
        scene.photo().clear();
    }
}
