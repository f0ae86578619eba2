#pragma once
// Typing into widgets as the user does.

#include <QString>

class QWidget;

namespace mirelta::test {

// Types text into a widget key by key, as a keyboard with any layout would (QTest only knows
// ASCII keys).
void typeText(QWidget* widget, const QString& text);

} // namespace mirelta::test
