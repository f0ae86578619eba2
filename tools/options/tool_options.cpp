#include "tools/options/tool_options.h"

namespace mirelta {

std::vector<ToolOption> toolOptions(const QStringList& arguments, const QStringList& alone) {
    std::vector<ToolOption> options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        ToolOption option{arguments[i], std::nullopt};
        if (!alone.contains(option.name) && i + 1 < arguments.size()) {
            option.value = arguments[++i];
        }
        options.push_back(std::move(option));
    }
    return options;
}

std::optional<QSize> windowSize(const QString& value) {
    const QStringList parts = value.split(QLatin1Char('x'));
    bool wide = false;
    bool high = false;
    const int width = parts.value(0).toInt(&wide);
    const int height = parts.value(1).toInt(&high);
    if (parts.size() != 2 || !wide || !high || width < 1 || height < 1) {
        return std::nullopt;
    }
    return QSize(width, height);
}

bool readBrightness(const QString& value, std::optional<int>& level) {
    if (value == QStringLiteral("off")) {
        level.reset();
        return true;
    }
    bool number = false;
    const int read = value.toInt(&number);
    if (!number || read < 100 || read > 500) {
        return false;
    }
    level = read;
    return true;
}

} // namespace mirelta
