#pragma once
// The settings panel of the general page: every session setting with its limits, the reactions
// that keep "Матрица", "Буква" and "Слово" consistent, and the user's photo. It hands a session
// the settings as they stand at "Старт" and takes back the lowered pauses when it ends.

#include "engine/session_settings.h"
#include "gui/settings/photo_choice.h"

#include <QFrame>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace mirelta {

class ClickableLabel;
class Dialogs;
class PictureBox;
class RadioGroup;
class SettingsStore;

class SettingsPanel : public QFrame {
    Q_OBJECT
public:
    SettingsPanel(Dialogs& dialogs, const QString& programFolder, PictureBox& photo,
                  QWidget* parent);

    // The settings for a session, or nothing when a field does not hold a usable number (the
    // user is told which).
    std::optional<SessionSettings> sessionSettings();
    void setPauses(int wordPause, int phrasePause);
    // The gentle session (true) or the full one, or nothing while the user has not chosen.
    std::optional<bool> gentleChoice() const;
    void chooseSession(bool gentle);
    // The version of the suggestions: 0 for a man, 1 for a woman.
    int versionItem() const;
    // The name that follows "Я" in the suggestions.
    QString userName() const;
    // Declares the kept settings to `store`, bound to the controls under `window`.
    void declareStored(SettingsStore& store, QWidget& window);
    // Asks, then puts the recommended values back.
    void putBackRecommended();

    void choosePhoto();
    // Loads the photo again as the window shows; see PhotoChoice::reload.
    void reloadPhoto(bool reportMissing);
    PhotoChoice& photo() { return photo_; }
    const PhotoChoice& photo() const { return photo_; }

Q_SIGNALS:
    void editorRequested(); // "Cвой текст"

private:
    void buildCounts();
    void buildChoices();
    void buildRightColumn();
    void checkPasses();
    void checkPhraseRepeats();
    void checkName();
    void matrixClicked();
    void letterClicked();

    Dialogs& dialogs_;
    PhotoChoice photo_;
    QLineEdit* passes_ = nullptr;        // Epov
    QLineEdit* phraseRepeats_ = nullptr; // Mpov
    QCheckBox* wordRows_ = nullptr;      // Cslov
    QLineEdit* name_ = nullptr;          // Ename
    QLineEdit* wordPause_ = nullptr;     // Eslov
    QLineEdit* phrasePause_ = nullptr;   // Epred
    RadioGroup* speed_ = nullptr;        // Rskor
    RadioGroup* version_ = nullptr;      // Rpol
    RadioGroup* view_ = nullptr;         // Rvid
    QCheckBox* lowerPauses_ = nullptr;   // Cubav
    QCheckBox* photoShown_ = nullptr;    // Cfoto
    QCheckBox* brightness_ = nullptr;    // Ciar
    QSlider* brightnessLevel_ = nullptr; // Tiar
    QCheckBox* sound_ = nullptr;         // Czv
    QLineEdit* photoPause_ = nullptr;    // Ezad
    QCheckBox* matrix_ = nullptr;        // Cmatr
    QCheckBox* letter_ = nullptr;        // Cbuk
    QCheckBox* gentle_ = nullptr;        // Cgentle
};

} // namespace mirelta
