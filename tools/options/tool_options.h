#pragma once
// The command lines of the tools that play a session of the program (mirelta-trace,
// mirelta-session-flashes, mirelta-flash-check): a walk over the options, of which some stand alone
// and the others take the argument after them as their value, and the values more than one tool
// reads. What each tool accepts and what it says about a refused value stays its own.

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace mirelta {

struct ToolOption {
    QString name;
    // The argument after the option: nothing for an option that stands alone, and nothing when the
    // command line ends where the value should be.
    std::optional<QString> value;
};

// The options of `arguments` after the program's name, in their order. Those named in `alone`
// take no value; any other takes the next argument, whatever it looks like.
std::vector<ToolOption> toolOptions(const QStringList& arguments, const QStringList& alone);

// "WxH", as in 1024x768: a width and a height in whole numbers above 0.
std::optional<QSize> windowSize(const QString& value);

// "off" (no level) or a whole number from 100 to 500; false, leaving `level` as it was, for
// anything else.
bool readBrightness(const QString& value, std::optional<int>& level);

} // namespace mirelta
