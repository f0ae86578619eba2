#include "engine/session_settings.h"

namespace mirelta {
namespace {

std::optional<QString> readNumber(const QString& text, const QString& field, int& value) {
    bool whole = false;
    const int number = text.trimmed().toInt(&whole);
    if (!whole) {
        return QStringLiteral("Поле «%1» должно содержать целое число. Исправьте его и нажмите "
                              "«Старт» ещё раз.")
            .arg(field);
    }
    value = number;
    return std::nullopt;
}

} // namespace

std::optional<QString>
readSessionSettings(const std::function<QString(const SettingDeclaration&)>& valueOf,
                    SessionSettings& settings) {
    const struct {
        const SettingDeclaration& declared;
        QString field;
        int& value;
    } fields[] = {
        {setting::passes, QStringLiteral("Фраза … раз"), settings.passes},
        {setting::phraseRepeats, QStringLiteral("Повторить … раз"), settings.phraseRepeats},
        {setting::photoPause, QStringLiteral("задерж"), settings.photoPause},
        {setting::wordPause, QStringLiteral("Пауза слово"), settings.wordPause},
        {setting::phrasePause, QStringLiteral("Пауза предложение"), settings.phrasePause},
    };
    for (const auto& field : fields) {
        if (auto message = readNumber(valueOf(field.declared), field.field, field.value)) {
            return message;
        }
    }
    if (settings.passes < 1 || settings.phraseRepeats < 1) {
        return QStringLiteral("Не менее одного повторения");
    }
    const auto checked = [&valueOf](const SettingDeclaration& declared) {
        return valueOf(declared) == QStringLiteral("True");
    };
    settings.matrix = checked(setting::matrix);
    settings.letter = checked(setting::letter);
    settings.wordRow = checked(setting::wordRows);
    settings.view = viewOfItem(valueOf(setting::view).toInt());
    settings.speed = speedOfItem(valueOf(setting::speed).toInt());
    settings.photo = checked(setting::photoShown);
    settings.lowerPauses = checked(setting::lowerPauses);
    settings.brightness = checked(setting::brightness);
    settings.brightnessLevel = valueOf(setting::brightnessLevel).toInt();
    settings.sound = checked(setting::sound);
    settings.gentle = checked(setting::gentle);
    return std::nullopt;
}

} // namespace mirelta
