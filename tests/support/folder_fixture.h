#pragma once
// A temporary program folder (with empty Text, Image and Sound) for the tests of the window and
// of its features, and the files a test puts there or reads back.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

namespace mirelta::test {

class ProgramFolderTest : public ::testing::Test {
protected:
    ProgramFolderTest();

    QString path(const QString& relative) const { return folder_.filePath(relative); }
    QString folderPath() const { return folder_.path(); }
    void writeSettings(const QByteArray& bytes);
    QByteArray settingsBytes() const;
    // A personal suggestion in Text/, written from UTF-8 as Windows-1251 with CR LF.
    void writePersonal(const QString& title, const std::string& utf8);

private:
    QTemporaryDir folder_;
};

} // namespace mirelta::test
