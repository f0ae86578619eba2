// The gentle session against the flash rules, on the session's own timeline: a few combinations
// of the settings, each over its first seconds, with the worst photo and pictures (a black and
// white checkerboard after every "Я", every thesis picture saturated red or the checkerboard),
// pass with no flash too many and no red flash; the full session of the same settings fails,
// so the measuring itself sees flashes. The whole matrix is tools/measure-gentle.sh's.

#include "gui/settings/settings_panel.h"
#include "safety/flash_monitor.h"
#include "safety/flash_report.h"
#include "tests/support/recording_dialogs.h"
#include "tools/flash_check/session_film.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace mirelta;

namespace {

struct Combination {
    int suggestion;
    int version;
    int speed;
    bool matrix;
    int view;
    double refreshHz;
    std::optional<int> brightness; // none: off
    bool redPictures;              // else the checkerboard
};

QImage checkerboard() {
    QImage picture(425, 425, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, (x / 25 + y / 25) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    }
    return picture;
}

QImage saturatedRed() {
    QImage picture(425, 425, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    return picture;
}

// A program folder playing `combination` once, whose photo and every picture the standard
// suggestions name are the worst pictures.
class WorstFolder {
public:
    explicit WorstFolder(const Combination& combination) {
        QDir root(folder_.path());
        root.mkpath(QStringLiteral("Text"));
        const QString photo = folder_.filePath(QStringLiteral("photo.bmp"));
        EXPECT_TRUE(checkerboard().save(photo, "BMP"));
        const QImage picture = combination.redPictures ? saturatedRed() : checkerboard();
        QDirIterator shipped(QStringLiteral(MIRELTA_SHIPPED_IMAGES), QDir::Files,
                             QDirIterator::Subdirectories);
        while (shipped.hasNext()) {
            const QString name =
                QDir(QStringLiteral(MIRELTA_SHIPPED_IMAGES)).relativeFilePath(shipped.next());
            root.mkpath(QFileInfo(QStringLiteral("Image/") + name).path());
            EXPECT_TRUE(picture.save(root.filePath(QStringLiteral("Image/") + name), "BMP"));
        }
        QFile settings(root.filePath(QStringLiteral("polufabu.ini")));
        EXPECT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(
            QStringLiteral("[TMirelta]\r\nRgnast_ItemIndex=%1\r\nRpol_ItemIndex=%2\r\n"
                           "Rskor_ItemIndex=%3\r\nCmatr_Checked=%4\r\nCbuk_Checked=%5\r\n"
                           "Rvid_ItemIndex=%6\r\nEpov_Text=1\r\nCfoto_Checked=True\r\n"
                           "Openf_FileName=%7\r\n")
                .arg(combination.suggestion)
                .arg(combination.version)
                .arg(combination.speed)
                .arg(combination.matrix ? "True" : "False")
                .arg(combination.matrix ? "False" : "True")
                .arg(combination.view)
                .arg(photo)
                .toUtf8());
    }
    QString path() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
};

FlashSummary judge(const Combination& combination, bool gentle, double seconds) {
    const WorstFolder folder(combination);
    FlashMonitor monitor(QSize(1024, 768), {.framesPerSecond = combination.refreshHz});
    FlashReport report(combination.refreshHz);
    const FilmSetup setup{
        .folder = folder.path(),
        .refreshHz = combination.refreshHz,
        .beforeStart =
            [&](QWidget& window) {
                window.findChild<QCheckBox*>(QStringLiteral("Ciar"))
                    ->setChecked(combination.brightness.has_value());
                window.findChild<QSlider*>(QStringLiteral("Tiar"))
                    ->setValue(combination.brightness.value_or(250));
                window.findChild<SettingsPanel*>()->chooseSession(gentle);
            },
    };
    test::RecordingDialogs dialogs;
    const long frames = std::lround(seconds * combination.refreshHz);
    const FilmEnd end = playSessionFilm(setup, dialogs, [&](const QImage& window, long refreshes) {
        report.add(monitor.add(window));
        for (long i = 1; i < refreshes; ++i) {
            report.add(monitor.hold());
        }
        return monitor.framesKept() < frames;
    });
    EXPECT_NE(end, FilmEnd::NotStarted) << dialogs.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(dialogs.warnings.isEmpty()); // the choice was made before "Старт"
    return report.summary();
}

} // namespace

TEST(GentleFlashes, GentleSessionsPassWhereTheFullOnesFail) {
    const Combination combinations[] = {
        {2, 0, 0, false, 0, 60, 500, true},           // alcohol, fastest letters, red pictures
        {0, 1, 1, true, 1, 144, std::nullopt, false}, // smoking, women's, matrix, inverse
        {4, 0, 2, false, 2, 60, 100, true},           // neuroses, slow, hidden
        {5, 1, 0, true, 0, 144, 250, false},          // weight loss, matrix at the fastest
    };
    for (const Combination& combination : combinations) {
        SCOPED_TRACE(testing::Message() << "suggestion " << combination.suggestion << " at "
                                        << combination.refreshHz << " Hz");
        const FlashSummary gentle = judge(combination, true, 8);
        EXPECT_GE(gentle.seconds, 8);
        EXPECT_EQ(gentle.failingSeconds, 0);
        EXPECT_EQ(gentle.extendedSeconds, 0);
        EXPECT_EQ(gentle.redFlashes, 0);
        EXPECT_LE(gentle.mostFlashes, 3);
    }
    const FlashSummary full = judge(combinations[0], false, 3);
    EXPECT_GT(full.failingSeconds, 0);
    EXPECT_GT(full.mostFlashes, 3);
}
