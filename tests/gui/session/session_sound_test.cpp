// The scenario sound through the real Qt Multimedia player, on a sound server whose only output is
// a null sink (tests/support/null_sink.sh runs this test): a loop asked to play while it plays goes
// on, and a session's sound stops before its closing message.

#include "platform/sound/qt_sound_player.h"
#include "tests/support/window_fixture.h"

#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QPushButton>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <thread>

using namespace mirelta;
using namespace mirelta::test;

namespace {

// Two seconds of a quiet 440 Hz tone, 16-bit PCM, mono, 22050 samples a second.
QByteArray toneWav() {
    constexpr int kRate = 22050;
    QByteArray samples;
    for (int i = 0; i < 2 * kRate; ++i) {
        const auto value = static_cast<qint16>(2000 * std::sin(i * 2 * M_PI * 440 / kRate));
        samples.append(reinterpret_cast<const char*>(&value), 2);
    }
    const auto u32 = [](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        return QByteArray(reinterpret_cast<const char*>(&le), 4);
    };
    const auto u16 = [](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        return QByteArray(reinterpret_cast<const char*>(&le), 2);
    };
    return "RIFF" + u32(36 + samples.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(kRate) +
           u32(kRate * 2) + u16(2) + u16(16) + "data" + u32(samples.size()) + samples;
}

QString writeTone(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(toneWav());
    return path;
}

// The player's effect, and every change of its playing it makes while watched.
struct WatchedEffect {
    explicit WatchedEffect(QtSoundPlayer& player) : effect(player.findChild<QSoundEffect*>()) {
        QObject::connect(effect, &QSoundEffect::playingChanged, &watching,
                         [this] { changes.append(effect->isPlaying()); });
    }
    QSoundEffect* effect;
    QList<bool> changes;
    QObject watching; // ends the watch with this
};

// Runs `call` on a thread of its own, as the session calls the player, and waits until the
// player's own thread has carried out what it handed over.
template <typename Call> void fromSessionThread(QtSoundPlayer& player, Call call) {
    bool handedOver = false;
    std::thread session([&] {
        call();
        QMetaObject::invokeMethod(
            &player, [&] { handedOver = true; }, Qt::QueuedConnection);
    });
    session.join();
    EXPECT_TRUE(QTest::qWaitFor([&] { return handedOver; }, 10000));
}

class RealSound : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(QMediaDevices::audioOutputs().isEmpty())
            << "no sound output: run this test under tests/support/null_sink.sh";
    }
};

} // namespace

// At "Старт" the session asks for the sound once its preparation has started it, and again when the
// preparation is over: QSoundEffect starts a sound that plays from its beginning again.
TEST_F(RealSound, PlayingASoundThatPlaysLeavesItPlaying) {
    QTemporaryDir folder;
    const QString file = writeTone(folder.filePath(QStringLiteral("tone.wav")));
    QtSoundPlayer player;
    WatchedEffect watched(player);
    fromSessionThread(player, [&] {
        ASSERT_TRUE(player.open(file));
        player.play();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return watched.effect->isLoaded(); }, 10000));
    ASSERT_TRUE(watched.effect->isPlaying());
    EXPECT_EQ(watched.changes, QList<bool>{true});

    fromSessionThread(player, [&] { player.play(); });
    QTest::qWait(300); // whatever the sound server reports back
    EXPECT_TRUE(watched.effect->isPlaying());
    EXPECT_EQ(watched.changes, QList<bool>{true}); // never stopped, so never started again
    EXPECT_FALSE(player.stopped());

    fromSessionThread(player, [&] { player.stop(); });
    EXPECT_FALSE(watched.effect->isPlaying());
    fromSessionThread(player, [&] { player.play(); });
    EXPECT_TRUE(watched.effect->isPlaying()); // a stopped sound starts again
}

namespace {

class SessionSound : public WindowTest {
protected:
    SessionSound() { soundPlayer = &player; }
    void SetUp() override {
        ASSERT_FALSE(QMediaDevices::audioOutputs().isEmpty())
            << "no sound output: run this test under tests/support/null_sink.sh";
    }
    QtSoundPlayer player;
};

} // namespace

// The closing message waits for the user: the loop must not go on sounding behind it.
TEST_F(SessionSound, TheSoundStopsBeforeTheClosingMessage) {
    writeTone(path(QStringLiteral("Sound/tone.wav")));
    writePersonal(QStringLiteral("Звук"), ">\n@1#1%$0&10^tone.wav@\nЯ могу\n<\n");
    writeSettings("[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xC7\xE2\xF3\xEA\r\n"
                  "Epov_Text=1\r\nCzv_Checked=True\r\n");
    WatchedEffect watched(player);
    QList<bool> playingAtMessage;
    dialogs.onMessage = [&](const QString&) {
        playingAtMessage.append(watched.effect->isPlaying());
    };
    shownWindow();
    control<QPushButton>("start")->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith(QStringLiteral("Сеанс окончен")));
    EXPECT_FALSE(watched.changes.isEmpty()); // the session played it
    EXPECT_EQ(playingAtMessage, QList<bool>{false});
}
