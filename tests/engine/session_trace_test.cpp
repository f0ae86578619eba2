// Whole sessions through the trace runner, on program folders made by each test.

#include "tests/support/test_pictures.h"
#include "text/cp1251.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

namespace {

using mirelta::cp1251::fromUtf8;
using mirelta::cp1251::normaliseLineBreaks;

class TraceFolder {
public:
    TraceFolder() {
        for (const char* sub : {"Text", "Image", "Sound/mysound"}) {
            QDir(dir_.path()).mkpath(QString::fromLatin1(sub));
        }
    }
    QString path(const QString& relative = {}) const { return dir_.filePath(relative); }

    // Settings as "key=value" lines of the one section.
    void settings(const std::string& lines) {
        write(QStringLiteral("polufabu.ini"), normaliseLineBreaks("[TMirelta]\n" + lines));
    }
    // A personal suggestion, chosen in the settings.
    void personal(const std::string& utf8, const std::string& extraSettings = {}) {
        write(QStringLiteral("Text/p.txt"), normaliseLineBreaks(fromUtf8(utf8)));
        settings("Chperson_Checked=True\nCperson_Text=p\n" + extraSettings);
    }
    void write(const QString& relative, const std::string& bytes) const {
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    // Runs the trace runner; the lines it wrote.
    std::vector<std::string> trace(const QStringList& extra = {}) const {
        QProcess runner;
        runner.start(QStringLiteral(MIRELTA_TRACE_PATH),
                     QStringList{QStringLiteral("--folder"), dir_.path()} + extra);
        EXPECT_TRUE(runner.waitForFinished(120000));
        EXPECT_EQ(runner.exitCode(), 0) << runner.readAllStandardError().toStdString();
        std::vector<std::string> lines;
        for (const QByteArray& line : runner.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty()) {
                lines.push_back(line.toStdString());
            }
        }
        return lines;
    }

private:
    QTemporaryDir dir_;
};

bool startsWith(const std::string& line, const std::string& prefix) {
    return line.rfind(prefix, 0) == 0;
}

std::vector<std::string> matching(const std::vector<std::string>& lines,
                                  const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (startsWith(line, prefix)) {
            found.push_back(line);
        }
    }
    return found;
}

std::vector<long> numbers(const std::string& line) {
    std::vector<long> values;
    std::istringstream in(line.substr(line.find(' ') + 1));
    std::string word;
    while (in >> word) {
        values.push_back(std::stol(word));
    }
    return values;
}

// A one-thesis personal suggestion of the colour with the given sentences.
std::string thesis(int number, int colour, const std::string& sentences) {
    return "@" + std::to_string(number) + "#" + std::to_string(colour) + "%$0&10@\n" + sentences;
}

} // namespace

struct StandardCase {
    int item;
    int sex;
    int sentences;
};

class StandardSession : public ::testing::TestWithParam<StandardCase> {};

TEST_P(StandardSession, PlaysEveryTickOfBothPassesAndEnds) {
    const StandardCase& c = GetParam();
    TraceFolder folder;
    folder.settings("Rgnast_ItemIndex=" + std::to_string(c.item) +
                    "\nRpol_ItemIndex=" + std::to_string(c.sex) + "\n");
    const std::vector<std::string> lines = folder.trace();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "start");
    EXPECT_EQ(lines.back(), "end 19 29");
    EXPECT_EQ(matching(lines, "tick ").size(), static_cast<std::size_t>(2 * c.sentences));
}

INSTANTIATE_TEST_SUITE_P(
    AllSuggestions, StandardSession,
    ::testing::Values(StandardCase{0, 0, 32}, StandardCase{0, 1, 32}, StandardCase{1, 0, 32},
                      StandardCase{1, 1, 32}, StandardCase{2, 0, 32}, StandardCase{2, 1, 32},
                      StandardCase{3, 0, 32}, StandardCase{3, 1, 32}, StandardCase{4, 0, 16},
                      StandardCase{4, 1, 16}, StandardCase{5, 0, 34}, StandardCase{5, 1, 34}),
    [](const auto& parameter) {
        return "item" + std::to_string(parameter.param.item) + (parameter.param.sex ? "_f" : "_m");
    });

namespace {

// Two traces are the same whole session: two runs that wrote nothing, or stopped early, would
// compare equal too.
void expectSameWholeSession(const std::vector<std::string>& first,
                            const std::vector<std::string>& second) {
    ASSERT_FALSE(first.empty()) << "the trace runner wrote nothing";
    EXPECT_EQ(first.front(), "start");
    EXPECT_EQ(first.back(), "end 19 29");
    EXPECT_EQ(first, second);
}

} // namespace

TEST(Session, TwoRunsWriteTheSameTrace) {
    TraceFolder folder;
    folder.settings("Rgnast_ItemIndex=4\nCbuk_Checked=True\n");
    expectSameWholeSession(folder.trace(), folder.trace());
}

TEST(Session, SameTraceCheckRejectsEmptyAndCutTraces) {
    EXPECT_FATAL_FAILURE(expectSameWholeSession({}, {}), "wrote nothing");
    EXPECT_NONFATAL_FAILURE(
        expectSameWholeSession({"start", "tick A 1 1"}, {"start", "tick A 1 1"}), "end 19 29");
    EXPECT_NONFATAL_FAILURE(
        expectSameWholeSession({"start", "end 19 29"}, {"start", "x", "end 19 29"}), "second");
}

TEST(Session, MovesBetweenColourAndGreyTicksAsTheThesesChangeColour) {
    TraceFolder folder;
    folder.personal(">\n" + thesis(1, 0, "Я могу\n") + thesis(2, 2, "Я спокоен\n") +
                        thesis(3, 1, "И свободен\n") + "<\n",
                    "Epov_Text=1\n");
    const std::vector<std::string> lines = folder.trace();
    EXPECT_EQ(matching(lines, "tick "),
              (std::vector<std::string>{"tick A 1 1", "tick G 2 1", "tick A 3 1"}));
    // The grey tick works on the grey picture that locating its thesis put in, with grey passes
    // only.
    std::size_t greyTick = 0;
    while (lines[greyTick] != "tick G 2 1") {
        ++greyTick;
    }
    EXPECT_EQ(lines[greyTick - 2], "timer G");
    EXPECT_EQ(lines[greyTick - 1], "im 3");
    std::size_t next = greyTick + 1;
    std::set<std::string> ringColours;
    for (; !startsWith(lines[next], "tick "); ++next) {
        EXPECT_FALSE(startsWith(lines[next], "pass ")) << lines[next];
        if (startsWith(lines[next], "ring ")) {
            ringColours.insert(lines[next].substr(lines[next].rfind(' ') + 1));
        }
        if (startsWith(lines[next], "im ")) {
            break; // the preparation run after the tick
        }
    }
    EXPECT_FALSE(
        matching(std::vector<std::string>(lines.begin() + static_cast<long>(greyTick), lines.end()),
                 "grey ")
            .empty());
    // The red thesis loads the reddish picture, the green one the greenish.
    EXPECT_EQ(lines[std::find(lines.begin(), lines.end(), "tick A 1 1") - lines.begin() + 1],
              "im 2");
    EXPECT_EQ(lines[std::find(lines.begin(), lines.end(), "tick A 3 1") - lines.begin() + 1],
              "im 1");
    EXPECT_EQ(lines.back(), "end 19 29"); // ended in a colour tick: the pauses are lowered
}

TEST(Session, EndingOnAGreyThesisLowersNoPause) {
    TraceFolder folder;
    folder.personal(">\n" + thesis(1, 2, "Я спокоен\n") + "<\n", "Epov_Text=1\n");
    const std::vector<std::string> lines = folder.trace();
    EXPECT_EQ(lines.back(), "end 20 30");
    // The first tick is grey and works on the many-coloured picture of the preparation run.
    const auto tick = std::find(lines.begin(), lines.end(), "tick G 1 1");
    ASSERT_NE(tick, lines.end());
    EXPECT_EQ(matching(std::vector<std::string>(lines.begin(), tick), "im "),
              (std::vector<std::string>{"im 0"}));
}

TEST(Session, TheWordPauseAtZeroSetsThePhrasePauseToZero) {
    TraceFolder folder;
    folder.personal(">\n" + thesis(1, 1, "да\n") + "<\n", "Epov_Text=1\nEslov_Text=0\n");
    EXPECT_EQ(folder.trace().back(), "end 0 0");
}

TEST(Session, TheHiddenViewWaitsForNothing) {
    TraceFolder folder;
    folder.personal(">\n" + thesis(1, 3, "Я могу и буду\nэто легко\n") + "<\n",
                    "Epov_Text=1\nRvid_ItemIndex=2\nCbuk_Checked=True\n");
    const std::vector<std::string> lines = folder.trace();
    for (const std::string prefix : {"wordrow ", "phrase "}) {
        const auto shown = matching(lines, prefix);
        ASSERT_FALSE(shown.empty()) << prefix;
        for (const std::string& line : shown) {
            EXPECT_TRUE(startsWith(line, prefix + "0 0")) << line;
        }
    }
    for (const std::string& line : matching(lines, "letter ")) {
        EXPECT_EQ(line.back(), '0') << line;
    }
}

TEST(Session, LettersShowAsBigLetterMatrixOrNotAtAll) {
    const std::string text = ">\n" + thesis(1, 3, "Ух ты\n") + "<\n";
    for (const auto& [settings, letters, matrix] :
         std::vector<std::tuple<std::string, bool, bool>>{{"Cbuk_Checked=True\n", true, false},
                                                          {"Cmatr_Checked=True\n", false, true},
                                                          {"", false, false}}) {
        TraceFolder folder;
        folder.personal(text, "Epov_Text=1\n" + settings);
        const std::vector<std::string> lines = folder.trace();
        EXPECT_EQ(!matching(lines, "letter ").empty(), letters) << settings;
        EXPECT_EQ(!matching(lines, "matrix ").empty(), matrix) << settings;
        EXPECT_FALSE(matching(lines, "wordrow ").empty());
    }
}

TEST(Session, ThePhotoFollowsAWordBeginningWithYa) {
    TraceFolder folder;
    ASSERT_TRUE(
        mirelta::test::writeFile(folder.path(QStringLiteral("me.jpeg")),
                                 mirelta::test::jpegBytes(mirelta::test::patternImage(150, 150))));
    folder.personal(">\n" + thesis(1, 3, "Ясно и просто\n") + "<\n",
                    "Epov_Text=1\nCfoto_Checked=True\nEzad_Text=7\nOpenf_FileName=" +
                        folder.path(QStringLiteral("me.jpeg")).toStdString() + "\n");
    const std::vector<std::string> lines = folder.trace();
    const auto photo = std::find(lines.begin(), lines.end(), "photo 7");
    ASSERT_NE(photo, lines.end());
    EXPECT_EQ(*(photo - 1), "gap");
}

TEST(Session, OnePhraseRepeatAllowsOnePhraseInTheLoop) {
    TraceFolder folder;
    folder.personal(">\n" + thesis(1, 3, "да\n") + "<\n", "Epov_Text=1\nMpov_Text=1\n");
    // Sentence "да": 2 positions, 11 letter steps: the stream runs off the end several times.
    EXPECT_EQ(matching(folder.trace(), "phrase ").size(), 2u);
    TraceFolder four;
    four.personal(">\n" + thesis(1, 3, "да\n") + "<\n", "Epov_Text=1\nMpov_Text=4\n");
    EXPECT_EQ(matching(four.trace(), "phrase ").size(), 5u);
}

TEST(Session, BrightnessKeepsThePreparationDrawsInTheirWindow) {
    TraceFolder folder;
    folder.settings("Rgnast_ItemIndex=4\nEpov_Text=1\n");
    const auto firstDraws = [](const std::vector<std::string>& lines) {
        std::vector<std::vector<long>> draws;
        for (const std::string& line : lines) {
            if (startsWith(line, "tick ")) {
                break;
            }
            if (startsWith(line, "draw ")) {
                draws.push_back(numbers(line));
            }
        }
        return draws;
    };
    for (const auto& draw :
         firstDraws(folder.trace({QStringLiteral("--brightness"), QStringLiteral("off")}))) {
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_GE(draw[channel], 0);
            EXPECT_LT(draw[channel], 250);
            EXPECT_EQ(draw[channel], draw[channel + 3]);
        }
    }
    const auto windowed =
        firstDraws(folder.trace({QStringLiteral("--brightness"), QStringLiteral("100")}));
    ASSERT_EQ(windowed.size(), 26u);
    for (const auto& draw : windowed) {
        const long sum = draw[0] + draw[1] + draw[2];
        EXPECT_GT(sum, 100);
        EXPECT_LT(sum, 700);
    }
}

TEST(Session, TheSpeedSizesTheBigLetterAndTheAnySceneStepsThroughTheRingColours) {
    TraceFolder folder;
    // 70 positions: 351 letter steps, a wrap of the rings every 25 steps in a 500-pixel window.
    folder.personal(">\n" +
                        thesis(1, 3,
                               "абвгдежзи абвгдежзи абвгдежзи абвгдежзи абвгдежзи "
                               "абвгдежзи абвгдежзик\n") +
                        "<\n",
                    "Rskor_ItemIndex=2\nCbuk_Checked=True\nEpov_Text=1\n");
    const std::vector<std::string> lines =
        folder.trace({QStringLiteral("--window"), QStringLiteral("500x500")});
    EXPECT_EQ(lines[1], "big 168 131");
    std::vector<std::string> changes;
    bool inTick = false;
    for (const std::string& line : lines) {
        inTick = startsWith(line, "tick ") ? true : startsWith(line, "im 0") ? false : inTick;
        if (inTick && startsWith(line, "ring ")) {
            const std::string colour = line.substr(line.rfind(' ') + 1);
            if (changes.empty() || changes.back() != colour) {
                changes.push_back(colour);
            }
        }
    }
    // Each new ring colour is the next entry of the colour table.
    const std::vector<std::string> table = {
        "00FFFFFF", "00000080", "00008000", "00008080", "00800000", "00800080",
        "00808000", "000000FF", "0000FF00", "0000FFFF", "00FF0000", "00FF00FF",
        "00FFFF00", "00C0DCC0", "00F0CAA6", "80000002", "80000001"};
    const auto index = [&table](const std::string& colour) {
        return std::find(table.begin(), table.end(), colour) - table.begin();
    };
    ASSERT_GE(changes.size(), 12u);
    for (std::size_t i = 1; i < changes.size(); ++i) {
        EXPECT_EQ(index(changes[i]), (index(changes[i - 1]) + 1) % 17) << changes[i];
    }
}

TEST(Session, TheSoundStartsAtTheFirstPreparationStepAndAgainAtStart) {
    TraceFolder folder;
    // A tenth of a second of 16-bit silence.
    std::string wav = "RIFF";
    const auto put32 = [&wav](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wav += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const auto put16 = [&wav](std::uint16_t v) {
        wav += static_cast<char>(v & 0xFF);
        wav += static_cast<char>(v >> 8);
    };
    put32(36 + 4410);
    wav += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(22050);
    put32(44100);
    put16(2);
    put16(16);
    wav += "data";
    put32(4410);
    wav += std::string(4410, '\0');
    folder.write(QStringLiteral("Sound/mysound/calm.wav"), wav);
    // Opened when the window is shown: started by the first preparation step and again by
    // "Старт".
    folder.personal(">\n@1#3%$0&10^mysound\\calm.wav@\nда\n<\n", "Epov_Text=1\n");
    const std::vector<std::string> lines = folder.trace();
    EXPECT_EQ(lines[2], "im 0");
    EXPECT_EQ(lines[3], "draw " + std::string(lines[3].substr(5)));
    EXPECT_EQ(lines[4], "sound play");
    EXPECT_EQ(matching(lines, "sound play").size(), 2u);
    // Opened in the session when its thesis comes: started by the next preparation step.
    TraceFolder later;
    later.write(QStringLiteral("Sound/mysound/calm.wav"), wav);
    later.personal(">\n@1#3%$0&10@\nда\n@2#3%$0&10^mysound\\calm.wav@\nнет\n<\n", "Epov_Text=1\n");
    const std::vector<std::string> second = later.trace();
    const auto opened = std::find(second.begin(), second.end(), "sound open mysound\\calm.wav");
    ASSERT_NE(opened, second.end());
    EXPECT_EQ(matching(second, "sound play").size(), 1u);
    // A sound file that is not a sound opens nothing.
    TraceFolder broken;
    broken.write(QStringLiteral("Sound/mysound/calm.wav"), "RIFF not really");
    broken.personal(">\n@1#3%$0&10@\nда\n@2#3%$0&10^mysound\\calm.wav@\nнет\n<\n", "Epov_Text=1\n");
    EXPECT_TRUE(matching(broken.trace(), "sound ").empty());
}
