#include "tests/support/folder_fixture.h"

#include "text/cp1251.h"

#include <QDir>
#include <QFile>

namespace mirelta::test {

ProgramFolderTest::ProgramFolderTest() {
    for (const char* sub : {"Text", "Image", "Sound"}) {
        QDir(folder_.path()).mkpath(QString::fromLatin1(sub));
    }
}

void ProgramFolderTest::writeSettings(const QByteArray& bytes) {
    QFile file(path(QStringLiteral("polufabu.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ProgramFolderTest::settingsBytes() const {
    QFile file(path(QStringLiteral("polufabu.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ProgramFolderTest::writePersonal(const QString& title, const std::string& utf8) {
    QFile file(path(QStringLiteral("Text/") + title + QStringLiteral(".txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = cp1251::normaliseLineBreaks(cp1251::fromUtf8(utf8));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

} // namespace mirelta::test
