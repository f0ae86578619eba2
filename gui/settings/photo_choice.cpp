#include "gui/settings/photo_choice.h"

#include "display/picture_box.h"
#include "platform/desktop/dialogs.h"
#include "platform/pictures/picture_loader.h"

namespace mirelta {
namespace {
constexpr int kLargestPhoto = 425;
constexpr int kSmallestPhoto = 100;
} // namespace

bool PhotoChoice::choose() {
    const QString chosen = dialogs_.openFile(folder_, kPictureFilter);
    if (chosen.isEmpty()) {
        return false;
    }
    const LoadedPicture picture = loadPicture(chosen);
    if (!picture.ok()) {
        dialogs_.message(picture.error);
        return false;
    }
    fileName_ = chosen;
    box_.setPicture(picture.image);
    return true;
}

bool PhotoChoice::checkSize() {
    // The checks measure the box, which keeps 425 x 425 once a photo was too big.
    if (box_.size().width() > kLargestPhoto || box_.size().height() > kLargestPhoto) {
        dialogs_.message(QStringLiteral("Фотография слишком велика ! Желательно загрузить другую"));
        box_.fixSize({kLargestPhoto, kLargestPhoto});
    }
    if (box_.size().width() < kSmallestPhoto || box_.size().height() < kSmallestPhoto) {
        dialogs_.message(QStringLiteral("Фотография слишком мала ! Загрузите другую"));
        fileName_.clear();
        box_.clear();
        return false;
    }
    return true;
}

bool PhotoChoice::reload(bool shown, bool reportMissing) {
    if (!fileName_.isEmpty() && shown) {
        const LoadedPicture picture = loadPicture(fileName_);
        if (picture.ok()) {
            box_.setPicture(picture.image);
        } else if (reportMissing) {
            dialogs_.message(QStringLiteral("Фотография не найденна ! Загрузите другую"));
            fileName_.clear();
            return false;
        }
    }
    return shown && !fileName_.isEmpty();
}

} // namespace mirelta
