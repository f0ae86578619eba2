#include "tests/support/window_fixture.h"

#include "text/cp1251.h"

#include <QDir>
#include <QFile>

namespace mirelta::test {

WindowTest::WindowTest() {
    for (const char* sub : {"Text", "Image", "Sound"}) {
        QDir(folder_.path()).mkpath(QString::fromLatin1(sub));
    }
}

mirelta::MainWindow& WindowTest::window() {
    if (!window_) {
        window_ = std::make_unique<mirelta::MainWindow>(
            ProgramFolder(folder_.path()),
            WindowServices{.dialogs = dialogs,
                           .sound = soundPlayer != nullptr ? *soundPlayer : sound,
                           .driver = pacedSessions ? nullptr : &driver,
                           .shell = &shell});
    }
    return *window_;
}

mirelta::MainWindow& WindowTest::shownWindow() {
    window().showAtStart();
    return *window_;
}

void WindowTest::closeWindow() {
    window().close();
}

void WindowTest::writeSettings(const QByteArray& bytes) {
    QFile file(path(QStringLiteral("polufabu.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray WindowTest::settingsBytes() const {
    QFile file(path(QStringLiteral("polufabu.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WindowTest::writePersonal(const QString& title, const std::string& utf8) {
    QFile file(path(QStringLiteral("Text/") + title + QStringLiteral(".txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = cp1251::normaliseLineBreaks(cp1251::fromUtf8(utf8));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

} // namespace mirelta::test
