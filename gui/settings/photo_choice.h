#pragma once
// The user's photograph: the file chosen with "Фотография", checked for size, and put on the
// panel's photo box. The check box "Фото" that shows it belongs to the settings panel, which asks
// this class whether the photo may stay shown.

#include <QString>

namespace mirelta {

class Dialogs;
class PictureBox;

class PhotoChoice {
public:
    PhotoChoice(Dialogs& dialogs, QString folder, PictureBox& box)
        : dialogs_(dialogs), folder_(std::move(folder)), box_(box) {}

    // Asks for a picture file and puts it on the box; a file that is not a picture changes
    // nothing and gives false.
    bool choose();
    // Tells the user when the chosen photo is too large (the box then keeps 425 x 425) or too
    // small; one too small is dropped and gives false.
    bool checkSize();
    // Loads the chosen file again as the window shows, if the photo is to be shown. Returns
    // whether it may stay shown: not without a file, and not when the file is gone and
    // `reportMissing` (the user is then told and the file forgotten).
    bool reload(bool shown, bool reportMissing);

    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& fileName) { fileName_ = fileName; }

private:
    Dialogs& dialogs_;
    QString folder_;
    PictureBox& box_;
    QString fileName_; // held by the picture-open dialog until another is chosen
};

} // namespace mirelta
