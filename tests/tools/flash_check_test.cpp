// The flash checker's command line, run as a user runs it: a session played on its own timeline
// fails, recordings get their verdict by exit status, and bad input is refused with a message.

#include "tests/support/command_run.h"
#include "tools/flash_check/program_copy.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

namespace {

using CheckRun = mirelta::test::CommandRun; // standard error in `out` too

CheckRun check(const std::string& arguments) {
    return mirelta::test::runCommand(MIRELTA_FLASH_CHECK_PATH, arguments);
}

// A recording of black and white frames swapped `hertz` times a second each way.
class Recording {
public:
    Recording(double hertz, int frames, int rate, QSize size = {96, 72}) {
        QImage black(size, QImage::Format_RGB32);
        black.fill(Qt::black);
        QImage white(size, QImage::Format_RGB32);
        white.fill(Qt::white);
        for (int frame = 0; frame < frames; ++frame) {
            const bool second = static_cast<long>(frame * 2 * hertz / rate) % 2 == 1;
            // Names in numeric order, not in the order of their characters.
            (second ? white : black).save(path(QStringLiteral("frame%1.png").arg(frame)), "PNG");
        }
    }
    QString path(const QString& name) const { return QDir(folder_.path()).filePath(name); }
    std::string folder() const { return folder_.path().toStdString(); }

private:
    QTemporaryDir folder_;
};

} // namespace

TEST(FlashCheck, TheSpecifiedSessionFails) {
    const CheckRun run = check("--standard 2 --version m --speed medium --seconds 3");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("summary: 3 s, 3 failing"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("(regular stripes over a quarter of the screen)"), std::string::npos)
        << run.out;
    // A line a second.
    EXPECT_NE(run.out.find("\n     2 "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("\n     3 "), std::string::npos) << run.out;
}

TEST(FlashCheck, RecordingsGetTheirVerdict) {
    const Recording slow(1, 60, 30);
    const CheckRun passing = check("--frames " + slow.folder() + " --rate 30");
    EXPECT_EQ(passing.status, 0) << passing.out;
    EXPECT_NE(passing.out.find("summary: 2 s, 0 failing"), std::string::npos) << passing.out;
    const Recording fast(3, 60, 30);
    const CheckRun failing = check("--frames " + fast.folder() + " --rate 30 --summary");
    EXPECT_EQ(failing.status, 1) << failing.out;
    EXPECT_NE(failing.out.find("most flashes in a second 3"), std::string::npos) << failing.out;
    EXPECT_EQ(failing.out.find("second  transitions"), std::string::npos) << failing.out;
    // The same frames read at a slower rate flash slower, and pass.
    EXPECT_EQ(check("--frames " + fast.folder() + " --rate 10").status, 0);
}

TEST(FlashCheck, BadInputIsRefusedWithAMessage) {
    const auto refused = [](const std::string& arguments, const std::string& message) {
        const CheckRun run = check(arguments);
        EXPECT_EQ(run.status, 2) << arguments << "\n" << run.out;
        EXPECT_NE(run.out.find(message), std::string::npos) << arguments << "\n" << run.out;
    };
    QTemporaryDir empty;
    const std::string emptyPath = empty.path().toStdString();
    refused("--frames /nonexistent/frames --rate 30", "no folder /nonexistent/frames");
    refused("--frames " + emptyPath + " --rate 30", "no PNG frames in");
    refused("--frames " + emptyPath, "--frames needs --rate");
    refused("--frames " + emptyPath + " --rate 0", "--rate 0: a number above 0");
    refused("--frames " + emptyPath + " --rate 30 --standard 1", "do not apply");
    refused("--speed fast", "--speed fast: one of high, medium, low is needed");
    refused("--standard 6", "--standard 6: one of 0, 1, 2, 3, 4, 5 is needed");
    refused("--window 0x100", "--window 0x100: whole numbers from 1 to 8192");
    refused("--brightness 99", "--brightness 99");
    refused("--cell 65", "--cell 65");
    refused("--seconds", "--seconds: a value is needed");
    refused("--folder /nonexistent/program", "no folder /nonexistent/program");
    refused("--colour red", "--colour: no such option");

    const Recording broken(1, 3, 30);
    QFile bad(broken.path(QStringLiteral("frame1.png")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("not a picture");
    bad.close();
    refused("--frames " + broken.folder() + " --rate 30", "frame1.png is not a PNG picture");

    const Recording sizes(1, 3, 30);
    QImage other(50, 50, QImage::Format_RGB32);
    other.fill(Qt::gray);
    other.save(sizes.path(QStringLiteral("frame2.png")), "PNG");
    refused("--frames " + sizes.folder() + " --rate 30",
            "frame2.png is 50x50, the frames before it 96x72");
}

TEST(FlashCheck, SettingsGoIntoACopyOfTheSettingsFile) {
    const std::map<QByteArray, QByteArray> settings = {{"Rpol_ItemIndex", "1"},
                                                       {"Cbuk_Checked", "True"}};
    // Keys replaced where they stand, new ones at the top of the section, the rest kept.
    EXPECT_EQ(mirelta::withSettings("[Other]\r\nRpol_ItemIndex=0\r\n[TMirelta]\r\nEpov_Text=2\r\n"
                                    "Rpol_ItemIndex=0\r\n[After]\r\nx=1\r\n",
                                    settings),
              "[Other]\r\nRpol_ItemIndex=0\r\n[TMirelta]\r\nCbuk_Checked=True\r\nEpov_Text=2\r\n"
              "Rpol_ItemIndex=1\r\n[After]\r\nx=1\r\n");
    EXPECT_EQ(mirelta::withSettings("", settings),
              "[TMirelta]\r\nRpol_ItemIndex=1\r\nCbuk_Checked=True\r\n");
    EXPECT_EQ(mirelta::withSettings("[TMirelta]", {{"Rpol_ItemIndex", "1"}}),
              "[TMirelta]\r\nRpol_ItemIndex=1\r\n");
    EXPECT_EQ(mirelta::withSettings("x", {}), "x\r\n[TMirelta]\r\n");
}
