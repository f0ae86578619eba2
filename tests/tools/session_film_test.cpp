// The session film: a session played by the program's window and pacer on a clock that only
// jumps, handed over refresh by refresh as whole-window pictures.

#include "platform/desktop/dialogs.h"
#include "tools/flash_check/session_film.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mirelta;

namespace {

class QuietDialogs : public Dialogs {
public:
    void message(const QString& text) override { messages.push_back(text); }
    bool ask(const QString&, const QString&) override { return false; }
    QString openFile(const QString&, const QString&) override { return {}; }
    QStringList messages;
};

// A program folder with the neuroses suggestion chosen and nothing else.
class Folder {
public:
    Folder() {
        QDir(folder_.path()).mkpath(QStringLiteral("Text"));
        QFile ini(QDir(folder_.path()).filePath(QStringLiteral("polufabu.ini")));
        if (ini.open(QIODevice::WriteOnly)) {
            ini.write("[TMirelta]\r\nRgnast_ItemIndex=4\r\nEpov_Text=1\r\n");
        }
    }
    QString path() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
};

struct Filmed {
    FilmEnd end = FilmEnd::NotStarted;
    long refreshes = 0;
    long pictures = 0;
    bool everyPictureFillsTheWindow = true;
    QImage last;
};

Filmed film(QSize window, double hertz, long most) {
    const Folder folder;
    QuietDialogs dialogs;
    Filmed filmed;
    filmed.end =
        playSessionFilm({.folder = folder.path(), .window = window, .refreshHz = hertz}, dialogs,
                        [&](const QImage& picture, long refreshes) {
                            EXPECT_GE(refreshes, 1);
                            filmed.everyPictureFillsTheWindow =
                                filmed.everyPictureFillsTheWindow && picture.size() == window;
                            filmed.refreshes += refreshes;
                            ++filmed.pictures;
                            filmed.last = picture.copy();
                            return filmed.refreshes < most;
                        });
    return filmed;
}

} // namespace

TEST(SessionFilm, HandsOverTheWholeWindowRefreshByRefreshUntilCut) {
    const Filmed filmed = film({800, 600}, 60, 600);
    EXPECT_EQ(filmed.end, FilmEnd::Cut);
    // The reel is asked no more once it said so; the last picture may count more refreshes.
    EXPECT_GE(filmed.refreshes, 600);
    EXPECT_LT(filmed.pictures, filmed.refreshes); // states last more than a refresh
    EXPECT_GT(filmed.pictures, 100);
    EXPECT_TRUE(filmed.everyPictureFillsTheWindow);
    // The panel in the middle of the window, as the window places it, and rings around it: after
    // ten seconds more than the window's background outside the panel.
    const QImage& last = filmed.last;
    const QRgb ground = last.pixel(0, 0);
    const QRect panel((800 - 425) / 2, (600 - 425) / 2, 425, 425);
    long inPanel = 0;
    long rings = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (last.pixel(x, y) != ground) {
                (panel.contains(x, y) ? inPanel : rings) += 1;
            }
        }
    }
    EXPECT_GT(inPanel, 425 * 425 / 2);
    EXPECT_GT(rings, 1000);
}

TEST(SessionFilm, TheSameSpanOfSessionAtAnyRefresh) {
    // The pacer keeps a session's timeline on any screen: ten seconds are ten seconds' refreshes,
    // and a faster screen shows the states no fewer times.
    const Filmed at60 = film({640, 480}, 60, 600);
    const Filmed at144 = film({640, 480}, 144, 1440);
    EXPECT_EQ(at60.end, FilmEnd::Cut);
    EXPECT_EQ(at144.end, FilmEnd::Cut);
    EXPECT_GE(at144.pictures, at60.pictures);
    EXPECT_LT(at144.pictures, 2 * at60.pictures);
}
