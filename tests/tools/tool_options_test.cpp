// The options the session-playing tools share: how the command line is walked, and the window
// size and brightness values.

#include "tools/options/tool_options.h"

#include <gtest/gtest.h>

using namespace mirelta;

namespace {

QStringList line(std::initializer_list<const char*> words) {
    QStringList list{QStringLiteral("tool")};
    for (const char* word : words) {
        list.append(QString::fromUtf8(word));
    }
    return list;
}

} // namespace

TEST(ToolOptions, AnOptionTakesTheNextArgumentUnlessItStandsAlone) {
    const std::vector<ToolOption> options = toolOptions(
        line({"--gentle", "--folder", "--gentle", "--window", "640x480", "--gentle", "--seconds"}),
        {QStringLiteral("--gentle")});
    ASSERT_EQ(options.size(), 5u);
    EXPECT_EQ(options[0].name, QStringLiteral("--gentle"));
    EXPECT_FALSE(options[0].value.has_value());
    // A value is whatever follows, even what looks like an option.
    EXPECT_EQ(options[1].name, QStringLiteral("--folder"));
    EXPECT_EQ(options[1].value, QStringLiteral("--gentle"));
    EXPECT_EQ(options[2].value, QStringLiteral("640x480"));
    EXPECT_FALSE(options[3].value.has_value());
    // The line ended where the value should be.
    EXPECT_EQ(options[4].name, QStringLiteral("--seconds"));
    EXPECT_FALSE(options[4].value.has_value());
    EXPECT_TRUE(toolOptions(line({}), {}).empty());
}

TEST(ToolOptions, AWindowSizeIsTwoWholeNumbersAbove0) {
    EXPECT_EQ(windowSize(QStringLiteral("640x480")), QSize(640, 480));
    EXPECT_EQ(windowSize(QStringLiteral("1x1")), QSize(1, 1));
    for (const char* refused :
         {"0x480", "640x-1", "640", "axb", "640x480x2", "x480", "640.5x480"}) {
        EXPECT_FALSE(windowSize(QString::fromUtf8(refused)).has_value()) << refused;
    }
}

TEST(ToolOptions, ABrightnessIsOffOrAWholeNumberFrom100To500) {
    std::optional<int> level = 250;
    EXPECT_TRUE(readBrightness(QStringLiteral("off"), level));
    EXPECT_FALSE(level.has_value());
    EXPECT_TRUE(readBrightness(QStringLiteral("100"), level));
    EXPECT_EQ(level, 100);
    EXPECT_TRUE(readBrightness(QStringLiteral("500"), level));
    EXPECT_EQ(level, 500);
    for (const char* refused : {"99", "501", "Off", "", "250.5", "abc"}) {
        EXPECT_FALSE(readBrightness(QString::fromUtf8(refused), level)) << refused;
        EXPECT_EQ(level, 500) << refused; // left as it was
    }
}
