// mirelta-flash-check: judges flashing light by the published flash rules, second by second:
// general and red flashes, the area that flashes within a 10-degree field, extended flashing, and
// regular stripe patterns.
//
//   mirelta-flash-check --frames DIR --rate HZ [--cell N] [--summary]
//   mirelta-flash-check [--folder DIR] [--standard N] [--version m|f] [--speed high|medium|low]
//                       [--letter | --matrix] [--view visible|inverse|hidden]
//                       [--brightness off|P] [--window WxH] [--refresh HZ] [--seconds S]
//                       [--cell N] [--summary]
//
// The first form reads a recording: the PNG pictures of DIR in the order of their names, HZ
// frames a second. The second plays a session of the program on its own timeline, with no screen:
// the settings of the program folder DIR (the checker's own folder when none is given), changed by
// the options given, in a window of WxH (1024x768) refreshed HZ times a second (60), for S seconds
// (the whole session when not given). DIR is never written to.
//
// Exit status: 0 the frames pass, 1 they fail (flashes or extended flashing), 2 bad input.

#include "platform/desktop/console_dialogs.h"
#include "safety/flash_monitor.h"
#include "safety/flash_report.h"
#include "safety/stripe_patterns.h"
#include "tools/flash_check/program_copy.h"
#include "tools/flash_check/session_film.h"
#include "tools/options/tool_options.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QSlider>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <stdexcept>

namespace {

using namespace mirelta;

constexpr const char* kUsage =
    "usage: mirelta-flash-check --frames DIR --rate HZ [--cell N] [--summary]\n"
    "       mirelta-flash-check [--folder DIR] [--standard N] [--version m|f]\n"
    "                           [--speed high|medium|low] [--letter | --matrix]\n"
    "                           [--view visible|inverse|hidden] [--brightness off|P]\n"
    "                           [--window WxH] [--refresh HZ] [--seconds S] [--cell N] "
    "[--summary]\n"
    "  --frames DIR   the PNG frames of a recording, in the order of their names\n"
    "  --rate HZ      the recording's frames a second\n"
    "  --folder DIR   the program folder whose settings and suggestions a session plays\n"
    "                 (default: the checker's own folder); it is never written to\n"
    "  --standard N   the standard suggestion N (0-5)\n"
    "  --version m|f  the men's or the women's version\n"
    "  --speed S      the letter speed: high, medium or low\n"
    "  --letter       one letter at a time (\"Буква\"); --matrix: the matrix block (\"Матрица\")\n"
    "  --view V       visible, inverse or hidden\n"
    "  --brightness   off, or the brightness level 100-500 (default 250)\n"
    "  --window WxH   the window's size in pixels (default 1024x768)\n"
    "  --refresh HZ   the screen's refresh rate (default 60)\n"
    "  --seconds S    check only the first S seconds of the session\n"
    "  --cell N       measure light in cells of N x N pixels, 1-64 (default 4)\n"
    "  --summary      print only the summary line\n";

struct Options {
    QString frames;
    double rate = 0;
    QString folder;
    std::map<QByteArray, QByteArray> settings;
    std::optional<int> brightness = 250; // none: off
    QSize window{1024, 768};
    double refresh = 60;
    std::optional<double> seconds;
    int cell = 4;
    bool summaryOnly = false;
};

// Thrown with what was wrong in the command line.
struct Refused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

double positiveNumber(const QString& option, const QString& value, double most) {
    bool number = false;
    const double parsed = value.toDouble(&number);
    if (!number || !(parsed > 0) || parsed > most) {
        throw Refused(QString(option + QLatin1Char(' ') + value).toStdString() +
                      ": a number above 0 and up to " + std::to_string(static_cast<long>(most)) +
                      " is needed");
    }
    return parsed;
}

QByteArray oneOf(const QString& option, const QString& value, const QStringList& words) {
    const auto at = words.indexOf(value);
    if (at < 0) {
        throw Refused(QString(option + QLatin1Char(' ') + value).toStdString() + ": one of " +
                      words.join(QStringLiteral(", ")).toStdString() + " is needed");
    }
    return QByteArray::number(at);
}

Options parseOptions(const QStringList& args) {
    Options options;
    bool played = false; // an option that only a played session takes
    const QStringList alone = {QStringLiteral("--summary"), QStringLiteral("--letter"),
                               QStringLiteral("--matrix")};
    for (const ToolOption& option : toolOptions(args, alone)) {
        const QString& arg = option.name;
        if (arg == QStringLiteral("--summary")) {
            options.summaryOnly = true;
            continue;
        }
        if (arg == QStringLiteral("--letter") || arg == QStringLiteral("--matrix")) {
            const bool letter = arg == QStringLiteral("--letter");
            options.settings["Cbuk_Checked"] = letter ? "True" : "False";
            options.settings["Cmatr_Checked"] = letter ? "False" : "True";
            played = true;
            continue;
        }
        if (!option.value) {
            throw Refused(arg.toStdString() + ": a value is needed");
        }
        const QString& value = *option.value;
        if (arg == QStringLiteral("--frames")) {
            options.frames = value;
        } else if (arg == QStringLiteral("--rate")) {
            options.rate = positiveNumber(arg, value, 1000);
        } else if (arg == QStringLiteral("--cell")) {
            options.cell = static_cast<int>(positiveNumber(arg, value, 64));
        } else {
            played = true;
            if (arg == QStringLiteral("--folder")) {
                options.folder = value;
            } else if (arg == QStringLiteral("--standard")) {
                options.settings["Rgnast_ItemIndex"] =
                    oneOf(arg, value, {"0", "1", "2", "3", "4", "5"});
                options.settings["Chperson_Checked"] = "False";
            } else if (arg == QStringLiteral("--version")) {
                options.settings["Rpol_ItemIndex"] = oneOf(arg, value, {"m", "f"});
            } else if (arg == QStringLiteral("--speed")) {
                options.settings["Rskor_ItemIndex"] = oneOf(arg, value, {"high", "medium", "low"});
            } else if (arg == QStringLiteral("--view")) {
                options.settings["Rvid_ItemIndex"] =
                    oneOf(arg, value, {"visible", "inverse", "hidden"});
            } else if (arg == QStringLiteral("--brightness")) {
                if (value == QStringLiteral("off")) {
                    options.brightness.reset();
                } else {
                    options.brightness = static_cast<int>(positiveNumber(arg, value, 500));
                    if (*options.brightness < 100 ||
                        std::floor(value.toDouble()) != value.toDouble()) {
                        throw Refused("--brightness " + value.toStdString() +
                                      ": off or a whole number from 100 to 500 is needed");
                    }
                }
            } else if (arg == QStringLiteral("--window")) {
                const std::optional<QSize> size = windowSize(value);
                if (!size || size->width() > 8192 || size->height() > 8192) {
                    throw Refused("--window " + value.toStdString() +
                                  ": whole numbers from 1 to 8192, as in 1024x768, are needed");
                }
                options.window = *size;
            } else if (arg == QStringLiteral("--refresh")) {
                options.refresh = positiveNumber(arg, value, 1000);
            } else if (arg == QStringLiteral("--seconds")) {
                options.seconds = positiveNumber(arg, value, 1e6);
            } else {
                throw Refused(arg.toStdString() + ": no such option");
            }
        }
    }
    if (!options.frames.isEmpty() && played) {
        throw Refused("--frames reads a recording: the options of a played session do not apply");
    }
    if (!options.frames.isEmpty() && options.rate <= 0) {
        throw Refused("--frames needs --rate, the recording's frames a second");
    }
    if (options.frames.isEmpty() && options.rate > 0) {
        throw Refused("--rate goes with --frames; a played session takes --refresh");
    }
    return options;
}

// Frames go to the monitor one refresh after the other; the stripes are measured on the first
// frame of every second.
class Judge {
public:
    Judge(QSize screen, double rate, int cell, std::optional<double> seconds)
        : monitor_(screen, {.framesPerSecond = rate, .cellSize = cell}), report_(rate),
          stripeEvery_(std::max(1L, std::lround(rate))),
          limit_(seconds ? std::lround(*seconds * rate) : -1) {}

    bool take(const QImage& picture, long refreshes) {
        for (long refresh = 0; refresh < refreshes && !full(); ++refresh) {
            report_.add(refresh == 0 ? monitor_.add(picture) : monitor_.hold());
            if (frame_ % stripeEvery_ == 0) {
                report_.addStripes(frame_, stripedShare(picture));
            }
            ++frame_;
        }
        return !full();
    }

    const FlashReport& report() const { return report_; }
    long frames() const { return frame_; }

private:
    bool full() const { return limit_ >= 0 && frame_ >= limit_; }

    FlashMonitor monitor_;
    FlashReport report_;
    long stripeEvery_;
    long limit_;
    long frame_ = 0;
};

std::string percent(double share) {
    return std::to_string(std::lround(share * 100)) + "%";
}

const char* verdictWord(SecondVerdict verdict) {
    switch (verdict) {
    case SecondVerdict::Fail:
        return "fail";
    case SecondVerdict::ExtendedFailure:
        return "extended";
    case SecondVerdict::Warning:
        return "warning";
    case SecondVerdict::Pass:
        break;
    }
    return "pass";
}

int printReport(const FlashReport& report, bool summaryOnly) {
    if (!summaryOnly) {
        std::printf("second  transitions  flashes  red transitions  red flashes  flashing area  "
                    "stripes  verdict\n");
        for (const SecondFigures& second : report.seconds()) {
            std::printf("%6ld  %11d  %7d  %15d  %11d  %13s  %7s  %s\n", second.second,
                        second.transitions, second.mostFlashes, second.redTransitions,
                        second.mostRedFlashes, percent(second.flashingArea).c_str(),
                        second.stripedArea ? percent(*second.stripedArea).c_str() : "-",
                        verdictWord(second.verdict()));
        }
    }
    const FlashSummary summary = report.summary();
    const bool stripes = summary.mostStripedArea > 0.25;
    std::printf("summary: %ld s, %ld failing, %ld in extended failure, %ld with warnings; most "
                "flashes in a second %d, red flashes %ld (most in a second %d); stripes over %s "
                "of the screen at most%s; %s\n",
                summary.seconds, summary.failingSeconds, summary.extendedSeconds,
                summary.warningSeconds, summary.mostFlashes, summary.redFlashes,
                summary.mostRedFlashes, percent(summary.mostStripedArea).c_str(),
                stripes ? " (regular stripes over a quarter of the screen)" : "",
                summary.passes() ? "pass" : "fail");
    return summary.passes() ? 0 : 1;
}

// Names in the order a recorder numbers its frames: runs of digits compare as numbers, so that
// "frame9" comes before "frame10" with or without leading zeros.
bool numberedBefore(const QString& first, const QString& second) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < first.size() && j < second.size()) {
        if (first[i].isDigit() && second[j].isDigit()) {
            const qsizetype startI = i;
            const qsizetype startJ = j;
            while (i < first.size() && first[i].isDigit()) {
                ++i;
            }
            while (j < second.size() && second[j].isDigit()) {
                ++j;
            }
            QStringView a = QStringView(first).mid(startI, i - startI);
            QStringView b = QStringView(second).mid(startJ, j - startJ);
            while (a.size() > 1 && a.front() == QLatin1Char('0')) {
                a = a.mid(1);
            }
            while (b.size() > 1 && b.front() == QLatin1Char('0')) {
                b = b.mid(1);
            }
            if (a.size() != b.size()) {
                return a.size() < b.size();
            }
            if (a != b) {
                return a < b;
            }
        } else {
            if (first[i] != second[j]) {
                return first[i] < second[j];
            }
            ++i;
            ++j;
        }
    }
    return first.size() - i < second.size() - j;
}

int checkRecording(const Options& options) {
    QDir folder(options.frames);
    if (!folder.exists()) {
        std::cerr << "mirelta-flash-check: no folder " << options.frames.toStdString() << '\n';
        return 2;
    }
    QStringList names = folder.entryList({QStringLiteral("*.png"), QStringLiteral("*.PNG")},
                                         QDir::Files | QDir::Readable);
    if (names.isEmpty()) {
        std::cerr << "mirelta-flash-check: no PNG frames in " << options.frames.toStdString()
                  << '\n';
        return 2;
    }
    std::sort(names.begin(), names.end(), numberedBefore);
    std::optional<Judge> judge;
    QSize size;
    for (const QString& name : names) {
        const QImage frame(folder.filePath(name), "PNG");
        if (frame.isNull()) {
            std::cerr << "mirelta-flash-check: " << folder.filePath(name).toStdString()
                      << " is not a PNG picture that can be read\n";
            return 2;
        }
        if (!judge) {
            size = frame.size();
            judge.emplace(size, options.rate, options.cell, std::nullopt);
        } else if (frame.size() != size) {
            std::cerr << "mirelta-flash-check: " << folder.filePath(name).toStdString() << " is "
                      << frame.width() << "x" << frame.height() << ", the frames before it "
                      << size.width() << "x" << size.height() << '\n';
            return 2;
        }
        judge->take(frame, 1);
    }
    return printReport(judge->report(), options.summaryOnly);
}

int checkSession(const Options& options) {
    const QString original =
        options.folder.isEmpty() ? QApplication::applicationDirPath() : options.folder;
    if (!QFileInfo(original).isDir()) {
        std::cerr << "mirelta-flash-check: no folder " << original.toStdString() << '\n';
        return 2;
    }
    const ProgramCopy copy(original, options.settings);
    if (!copy.path()) {
        std::cerr << "mirelta-flash-check: " << copy.error().toStdString() << '\n';
        return 2;
    }
    Judge judge(options.window, options.refresh, options.cell, options.seconds);
    ConsoleDialogs dialogs;
    const FilmSetup setup{
        .folder = *copy.path(),
        .window = options.window,
        .refreshHz = options.refresh,
        .beforeStart =
            [&](QWidget& window) {
                window.findChild<QCheckBox*>(QStringLiteral("Ciar"))
                    ->setChecked(options.brightness.has_value());
                window.findChild<QSlider*>(QStringLiteral("Tiar"))
                    ->setValue(options.brightness.value_or(250));
            },
    };
    const FilmEnd end = playSessionFilm(setup, dialogs, [&](const QImage& window, long refreshes) {
        return judge.take(window, refreshes);
    });
    if (end == FilmEnd::NotStarted || judge.frames() == 0) {
        std::cerr << "mirelta-flash-check: the session did not start\n";
        return 2;
    }
    return printReport(judge.report(), options.summaryOnly);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Options options;
    try {
        options = parseOptions(QApplication::arguments());
    } catch (const Refused& refused) {
        std::cerr << "mirelta-flash-check: " << refused.what() << '\n' << kUsage;
        return 2;
    }
    return options.frames.isEmpty() ? checkSession(options) : checkRecording(options);
}
