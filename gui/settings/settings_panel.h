#pragma once
// The settings panel of the general page: every session setting with its limits, the reactions
// that keep "Матрица", "Буква" and "Слово" consistent, and the user's photo. It hands a session
// the settings as they stand at "Старт" and takes back the lowered pauses when it ends.

#include "engine/session_settings.h"
#include "gui/settings/photo_choice.h"

#include <QFrame>
#include <QRect>
#include <QStringList>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace mirelta {

class ClickableLabel;
class Dialogs;
class PictureBox;
class SettingBindings;
struct SettingDeclaration;

class SettingsPanel : public QFrame {
    Q_OBJECT
public:
    // The controls are bound to their declared settings in `bindings`.
    SettingsPanel(Dialogs& dialogs, const QString& programFolder, PictureBox& photo,
                  SettingBindings& bindings, QWidget* parent);

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
    // Asks whether to put the recommended values back, and does if the user agrees.
    void offerRecommended();

    // Loads the photo again as the window shows; see PhotoChoice::reload.
    void reloadPhoto(bool reportMissing);
    // "Cвой текст", for its highlight.
    ClickableLabel* ownTextLabel() const { return ownText_; }

Q_SIGNALS:
    void editorRequested(); // "Cвой текст"

private:
    QLineEdit* digitField(const SettingDeclaration& declared, QRect geometry);
    QLineEdit* textField(const SettingDeclaration& declared, QRect geometry);
    // On the panel, or on `parent` when it has no room left.
    QCheckBox* checkBox(const SettingDeclaration& declared, const QString& text, QRect geometry,
                        QWidget* parent = nullptr);
    void radioGroup(const SettingDeclaration& declared, const QString& text,
                    const QStringList& items, QRect geometry);
    void buildCounts();
    void buildChoices();
    void buildRightColumn();
    void checkPasses();
    void checkPhraseRepeats();
    void checkName();
    void matrixClicked();
    void letterClicked();
    void choosePhoto(); // "Фотография"

    Dialogs& dialogs_;
    SettingBindings& bindings_;
    PhotoChoice photo_;
    // The controls with reactions of their own; the others are reached through their settings.
    QLineEdit* passes_ = nullptr;
    QLineEdit* phraseRepeats_ = nullptr;
    QCheckBox* wordRows_ = nullptr;
    QLineEdit* name_ = nullptr;
    QCheckBox* photoShown_ = nullptr;
    QCheckBox* matrix_ = nullptr;
    QCheckBox* letter_ = nullptr;
    ClickableLabel* ownText_ = nullptr; // R5
};

} // namespace mirelta
