#pragma once
// The settings a session reads, taken from the controls when "Старт" is pressed: the settings page
// is hidden for the whole session, so they cannot change meanwhile.

#include <QString>
#include <optional>

namespace mirelta {

struct SessionSettings {
    int passes = 2;            // Epov
    int phraseRepeats = 4;     // Mpov
    bool matrix = false;       // Cmatr
    bool letter = false;       // Cbuk
    bool wordRow = true;       // Cslov
    int view = 0;              // Rvid: 0 visible, 1 inverse, 2 hidden
    int speed = 1;             // Rskor: 0 fast, 1 medium, 2 slow
    bool photo = false;        // Cfoto
    int photoPause = 5;        // Ezad, ms
    int wordPause = 20;        // Eslov, ms
    int phrasePause = 30;      // Epred, ms
    bool lowerPauses = true;   // Cubav
    bool brightness = true;    // Ciar
    int brightnessLevel = 250; // Tiar
    bool sound = true;         // Czv
    bool gentle = false;       // Cgentle: the session that keeps under the flash limits

    // How long a letter step stays on the screen: the slower the speed, the longer.
    int letterStepMs() const { return speed == 0 ? 17 : speed == 2 ? 50 : 33; }

    static constexpr int kVisible = 0;
    static constexpr int kInverse = 1;
    static constexpr int kHidden = 2;
};

// The texts of the fields that must hold whole numbers, as the user left them.
struct SessionFieldTexts {
    QString passes, phraseRepeats, photoPause, wordPause, phrasePause;
};

// Fills the numeric settings from their fields; a field that does not hold a whole number, or a
// count below 1, gives a message for the user instead.
std::optional<QString> readSessionNumbers(const SessionFieldTexts& texts,
                                          SessionSettings& settings);

} // namespace mirelta
