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

std::optional<QString> readSessionNumbers(const SessionFieldTexts& texts,
                                          SessionSettings& settings) {
    const struct {
        const QString& text;
        QString field;
        int& value;
    } fields[] = {
        {texts.passes, QStringLiteral("Фраза … раз"), settings.passes},
        {texts.phraseRepeats, QStringLiteral("Повторить … раз"), settings.phraseRepeats},
        {texts.photoPause, QStringLiteral("задерж"), settings.photoPause},
        {texts.wordPause, QStringLiteral("Пауза слово"), settings.wordPause},
        {texts.phrasePause, QStringLiteral("Пауза предложение"), settings.phrasePause},
    };
    for (const auto& field : fields) {
        if (auto message = readNumber(field.text, field.field, field.value)) {
            return message;
        }
    }
    if (settings.passes < 1 || settings.phraseRepeats < 1) {
        return QStringLiteral("Не менее одного повторения");
    }
    return std::nullopt;
}

} // namespace mirelta
