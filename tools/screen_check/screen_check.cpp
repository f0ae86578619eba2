// mirelta-screen: screenshots of the real program and what they say about how it was drawn.
//
//   mirelta-screen grab FILE.png
//       the X server's whole screen (DISPLAY) as a PNG file
//   mirelta-screen panel SHOT.png --scale S [--frames LOG]
//       the panel, centred on the screen as the program places it in a window that covers the
//       screen, must be 425 × 425 blocks of S × S device pixels of one colour each (the frame
//       enlarged without smoothing); with LOG (the program's MIRELTA_FRAME_LOG), the panel taken
//       back to 425 × 425 must be one of the frames the program presented
//   mirelta-screen compare REFERENCE.png SHOT.png --scale S [--ignore X,Y,W,H]... [--at-most P]
//       SHOT, taken at scale S, against REFERENCE, taken at scale 1 of the same logical size: the
//       blocks of S × S not of one colour and the logical pixels whose colour differs, leaving out
//       the boxes (logical pixels); it fails when more than P % of the pixels differ (0: none)
//       or, with P 0, when any block is not of one colour
//   mirelta-screen uniform SHOT.png X,Y,W,H...
//       the boxes (device pixels) are all of one and the same colour
//
// Each writes what it found on one line; exits 1 when a check fails, 2 on a usage error or a
// file that cannot be read or written.

#include "tools/screen_check/screen_picture.h"
#include "tools/screen_check/x_screen.h"

#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

using namespace mirelta::screencheck;

namespace {

constexpr int kUsageError = 2;

int usage() {
    std::fputs("usage: mirelta-screen grab FILE.png\n"
               "       mirelta-screen panel SHOT.png --scale S [--frames LOG]\n"
               "       mirelta-screen compare REFERENCE.png SHOT.png --scale S "
               "[--ignore X,Y,W,H]... [--at-most P]\n"
               "       mirelta-screen uniform SHOT.png X,Y,W,H...\n",
               stderr);
    return kUsageError;
}

std::optional<Box> box(const QString& text) {
    return mirelta::framewatch::parseBox(text.toStdString());
}

std::optional<QImage> load(const QString& path) {
    QImage picture(path);
    if (picture.isNull()) {
        std::fprintf(stderr, "mirelta-screen: cannot read the picture %s\n", qPrintable(path));
        return std::nullopt;
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

QString hex(std::uint32_t value) {
    return QString::fromStdString(mirelta::framewatch::checksumText(value));
}

// The options after the files: --scale S, --frames LOG, --ignore BOX (any number), --at-most P.
struct Options {
    int scale = 0;
    QString frames;
    std::vector<Box> ignored;
    double atMost = 0;
};

std::optional<Options> options(const QStringList& words) {
    Options parsed;
    for (qsizetype i = 0; i < words.size(); i += 2) {
        if (i + 1 >= words.size()) {
            return std::nullopt;
        }
        const QString& value = words[i + 1];
        bool ok = true;
        if (words[i] == QStringLiteral("--scale")) {
            parsed.scale = value.toInt(&ok);
            ok = ok && parsed.scale >= 1 && parsed.scale <= 8;
        } else if (words[i] == QStringLiteral("--frames")) {
            parsed.frames = value;
        } else if (words[i] == QStringLiteral("--ignore")) {
            const std::optional<Box> ignored = box(value);
            ok = ignored.has_value();
            if (ok) {
                parsed.ignored.push_back(*ignored);
            }
        } else if (words[i] == QStringLiteral("--at-most")) {
            parsed.atMost = value.toDouble(&ok);
            ok = ok && parsed.atMost >= 0 && parsed.atMost <= 100;
        } else {
            ok = false;
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    if (parsed.scale == 0) {
        return std::nullopt;
    }
    return parsed;
}

int grab(const QString& path) {
    QString error;
    const QImage screen = grabScreen(error);
    if (screen.isNull()) {
        std::fprintf(stderr, "mirelta-screen: %s\n", qPrintable(error));
        return kUsageError;
    }
    if (!screen.save(path, "PNG")) {
        std::fprintf(stderr, "mirelta-screen: cannot write %s\n", qPrintable(path));
        return kUsageError;
    }
    return 0;
}

int panel(const QImage& shot, const Options& options) {
    const int scale = options.scale;
    const Box logical =
        mirelta::framewatch::centredPanel(shot.width() / scale, shot.height() / scale);
    if (logical.x < 0 || logical.y < 0) {
        std::printf("the screenshot, %dx%d, is smaller than the panel at scale %d\n", shot.width(),
                    shot.height(), scale);
        return 1;
    }
    const BlockCount blocks = mixedBlocks(shot, logical, scale);
    const std::uint32_t checksum = areaChecksum(logicalPicture(shot, scale), logical);
    std::printf(
        "panel %dx%d device pixels at %d,%d: %lld of %lld blocks of %dx%d not of one colour; "
        "checksum %s",
        logical.width * scale, logical.height * scale, logical.x * scale, logical.y * scale,
        blocks.mixed, blocks.blocks, scale, scale, qPrintable(hex(checksum)));
    bool failed = blocks.mixed != 0;
    if (!options.frames.isEmpty()) {
        QFile log(options.frames);
        if (!log.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::printf("\n");
            std::fprintf(stderr, "mirelta-screen: cannot read %s\n", qPrintable(options.frames));
            return kUsageError;
        }
        int line = 0;
        int found = 0;
        while (!log.atEnd()) {
            ++line;
            const QStringList words = QString::fromUtf8(log.readLine()).split(QLatin1Char(' '));
            if (found == 0 && words.size() >= 3 && words[2].trimmed() == hex(checksum)) {
                found = line;
            }
        }
        if (found != 0) {
            std::printf(", frame %d of the %d the program presented", found, line);
        } else {
            std::printf(", none of the %d frames the program presented", line);
            failed = true;
        }
    }
    std::printf("\n");
    return failed ? 1 : 0;
}

int compare(const QImage& reference, const QImage& shot, const Options& options) {
    const int scale = options.scale;
    if (shot.width() != reference.width() * scale || shot.height() != reference.height() * scale) {
        std::printf("the screenshot is %dx%d, not %d times the reference's %dx%d\n", shot.width(),
                    shot.height(), scale, reference.width(), reference.height());
        return 1;
    }
    const BlockCount blocks =
        mixedBlocks(shot, Box{0, 0, reference.width(), reference.height()}, scale, options.ignored);
    const Difference difference =
        differingPixels(reference, logicalPicture(shot, scale), options.ignored);
    const double percent = difference.compared == 0
                               ? 0.0
                               : 100.0 * static_cast<double>(difference.differing) /
                                     static_cast<double>(difference.compared);
    std::printf("%lld of %lld blocks of %dx%d not of one colour; %lld of %lld logical pixels "
                "(%.3f %%) differ from the reference\n",
                blocks.mixed, blocks.blocks, scale, scale, difference.differing,
                difference.compared, percent);
    const bool exact = options.atMost == 0;
    return percent > options.atMost || (exact && blocks.mixed != 0) ? 1 : 0;
}

int uniform(const QImage& shot, const QStringList& boxes) {
    QSet<QRgb> colours;
    for (const QString& text : boxes) {
        const std::optional<Box> area = box(text);
        if (!area || area->x + area->width > shot.width() ||
            area->y + area->height > shot.height()) {
            std::fprintf(stderr, "mirelta-screen: not a box on the screenshot: %s\n",
                         qPrintable(text));
            return kUsageError;
        }
        for (int y = area->y; y < area->y + area->height; ++y) {
            for (int x = area->x; x < area->x + area->width; ++x) {
                colours.insert(shot.pixel(x, y) & 0xFFFFFFu);
            }
        }
    }
    if (colours.size() == 1) {
        std::printf("one colour, #%06X\n", *colours.begin());
        return 0;
    }
    std::printf("%lld colours\n", static_cast<long long>(colours.size()));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QStringList words;
    for (int i = 1; i < argc; ++i) {
        words << QString::fromLocal8Bit(argv[i]);
    }
    const QString command = words.value(0);
    if (command == QStringLiteral("grab") && words.size() == 2) {
        return grab(words[1]);
    }
    if (command == QStringLiteral("uniform") && words.size() >= 3) {
        const std::optional<QImage> shot = load(words[1]);
        return shot ? uniform(*shot, words.mid(2)) : kUsageError;
    }
    if (command == QStringLiteral("panel") && words.size() >= 4) {
        const std::optional<Options> parsed = options(words.mid(2));
        if (!parsed) {
            return usage();
        }
        const std::optional<QImage> shot = load(words[1]);
        return shot ? panel(*shot, *parsed) : kUsageError;
    }
    if (command == QStringLiteral("compare") && words.size() >= 5) {
        const std::optional<Options> parsed = options(words.mid(3));
        if (!parsed) {
            return usage();
        }
        const std::optional<QImage> reference = load(words[1]);
        const std::optional<QImage> shot = load(words[2]);
        return reference && shot ? compare(*reference, *shot, *parsed) : kUsageError;
    }
    return usage();
}
