// Where the program keeps what it writes, on real temporary folders: a program folder of the
// user's keeps everything beside the executable; an installed program (an executable in bin/ with
// its data in share/mirelta/) gives each user a folder of their own, made on the first start with
// copies of the shipped pictures and sounds, and never touches it again.

#include "platform/files/user_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace mirelta;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Sets an environment variable for the length of a test and puts back what was there.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<QByteArray>& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) {
            saved_ = qgetenv(name);
        }
        if (value) {
            qputenv(name, *value);
        } else {
            qunsetenv(name);
        }
    }
    ~ScopedEnvironment() {
        if (saved_) {
            qputenv(name_, *saved_);
        } else {
            qunsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> saved_;
};

class UserFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        // An installed program as the package lays it out, under a scratch root.
        bin_ = root_.filePath(QStringLiteral("usr/bin"));
        shipped_ = root_.filePath(QStringLiteral("usr/share/mirelta"));
        writeFile(bin_ + QStringLiteral("/mirelta"), "executable");
        writeFile(shipped_ + QStringLiteral("/Image/tabak/tab2.jpeg"), "a picture");
        writeFile(shipped_ + QStringLiteral("/Sound/mysound/ser.wav"), "a sound");
        writeFile(shipped_ + QStringLiteral("/Site/index.html"), "a page");
        writeFile(shipped_ + QStringLiteral("/Внушения.doc"), "a document");
        home_ = root_.filePath(QStringLiteral("home/первый/.local/share"));
    }

    QString path(const QString& relative) const { return root_.filePath(relative); }

    QTemporaryDir root_;
    QString bin_;
    QString shipped_;
    QString home_;
};

TEST_F(UserFoldersTest, AWritableProgramFolderKeepsEverythingBesideTheExecutable) {
    const QString folder = path(QStringLiteral("Мирельта"));
    writeFile(folder + QStringLiteral("/mirelta"), "executable");
    writeFile(folder + QStringLiteral("/Image/x.gif"), "a picture");

    const FolderLayout layout = chooseFolders(folder, true, home_);
    EXPECT_FALSE(layout.installed);
    EXPECT_EQ(layout.user, folder);
    EXPECT_EQ(layout.shipped, folder);

    const PreparedFolders prepared = prepareFolders(layout);
    EXPECT_TRUE(prepared.problem.isEmpty()) << prepared.problem.toStdString();
    EXPECT_EQ(prepared.folder.settingsFile(), folder + QStringLiteral("/polufabu.ini"));
    EXPECT_EQ(prepared.folder.text(), folder + QStringLiteral("/Text"));
    EXPECT_EQ(prepared.folder.image(), folder + QStringLiteral("/Image"));
    EXPECT_EQ(prepared.folder.file(QStringLiteral("Site/index.html")),
              folder + QStringLiteral("/Site/index.html"));
    // Nothing of the user's data folder is made for a program folder.
    EXPECT_FALSE(QFileInfo::exists(home_));
}

TEST_F(UserFoldersTest, AnInstalledProgramFindsWhatItShipsBesideItsBinFolder) {
    // The executable's folder may well be writable (root, a scratch root): the layout decides.
    const FolderLayout layout = chooseFolders(bin_, true, home_);
    EXPECT_TRUE(layout.installed);
    EXPECT_EQ(layout.shipped, QDir::cleanPath(shipped_));
    EXPECT_EQ(layout.user, home_ + QStringLiteral("/Мирельта"));
}

TEST_F(UserFoldersTest, TheFirstStartMakesTheUsersOwnFolderWithCopiesOfThePicturesAndSounds) {
    const PreparedFolders prepared = prepareFolders(chooseFolders(bin_, true, home_));
    ASSERT_TRUE(prepared.problem.isEmpty()) << prepared.problem.toStdString();
    const QString user = home_ + QStringLiteral("/Мирельта");

    EXPECT_EQ(prepared.folder.path(), user);
    EXPECT_EQ(prepared.folder.settingsFile(), user + QStringLiteral("/polufabu.ini"));
    EXPECT_TRUE(QFileInfo(user + QStringLiteral("/Text")).isDir());
    EXPECT_EQ(readFile(user + QStringLiteral("/Image/tabak/tab2.jpeg")), "a picture");
    EXPECT_EQ(readFile(user + QStringLiteral("/Sound/mysound/ser.wav")), "a sound");
    // Pages and documents are read where they ship, never copied.
    EXPECT_FALSE(QFileInfo::exists(user + QStringLiteral("/Site")));
    EXPECT_EQ(prepared.folder.file(QStringLiteral("Внушения.doc")),
              QDir::cleanPath(shipped_) + QStringLiteral("/Внушения.doc"));
    EXPECT_FALSE(QFileInfo::exists(user + QStringLiteral("/Image.copying")));

    // Another user on the machine may not look in, nor into the data folders made above it.
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(user).permissions() & others, QFile::Permissions());
    EXPECT_EQ(QFileInfo(home_).permissions() & others, QFile::Permissions());
    // Nothing is written where the program is installed.
    EXPECT_FALSE(QFileInfo::exists(shipped_ + QStringLiteral("/polufabu.ini")));
    EXPECT_FALSE(QFileInfo::exists(bin_ + QStringLiteral("/polufabu.ini")));
    EXPECT_FALSE(QFileInfo::exists(shipped_ + QStringLiteral("/Text")));
}

TEST_F(UserFoldersTest, LaterStartsLeaveTheUsersPicturesAndSoundsAsTheUserLeftThem) {
    const FolderLayout layout = chooseFolders(bin_, true, home_);
    ASSERT_TRUE(prepareFolders(layout).problem.isEmpty());
    const QString user = layout.user;
    writeFile(user + QStringLiteral("/Image/tabak/tab2.jpeg"), "the user's own picture");
    ASSERT_TRUE(QFile::remove(user + QStringLiteral("/Sound/mysound/ser.wav")));
    writeFile(user + QStringLiteral("/polufabu.ini"), "[TMirelta]\r\n");

    const PreparedFolders again = prepareFolders(layout);
    EXPECT_TRUE(again.problem.isEmpty()) << again.problem.toStdString();
    EXPECT_EQ(readFile(user + QStringLiteral("/Image/tabak/tab2.jpeg")), "the user's own picture");
    EXPECT_FALSE(QFileInfo::exists(user + QStringLiteral("/Sound/mysound/ser.wav")));
    EXPECT_EQ(readFile(user + QStringLiteral("/polufabu.ini")), "[TMirelta]\r\n");
}

TEST_F(UserFoldersTest, ACopyCutShortIsMadeAgainWhole) {
    const FolderLayout layout = chooseFolders(bin_, true, home_);
    // What a first start that ended in the middle of its copy leaves behind.
    writeFile(layout.user + QStringLiteral("/Image.copying/tabak/half.jpeg"), "half");

    ASSERT_TRUE(prepareFolders(layout).problem.isEmpty());
    EXPECT_EQ(readFile(layout.user + QStringLiteral("/Image/tabak/tab2.jpeg")), "a picture");
    EXPECT_FALSE(QFileInfo::exists(layout.user + QStringLiteral("/Image/tabak/half.jpeg")));
    EXPECT_FALSE(QFileInfo::exists(layout.user + QStringLiteral("/Image.copying")));
}

TEST_F(UserFoldersTest, TwoUsersHaveTwoFolders) {
    const QString otherHome = path(QStringLiteral("home/второй/.local/share"));
    const PreparedFolders first = prepareFolders(chooseFolders(bin_, true, home_));
    const PreparedFolders second = prepareFolders(chooseFolders(bin_, true, otherHome));
    ASSERT_TRUE(first.problem.isEmpty());
    ASSERT_TRUE(second.problem.isEmpty());
    EXPECT_NE(first.folder.settingsFile(), second.folder.settingsFile());
    EXPECT_NE(first.folder.text(), second.folder.text());
    writeFile(first.folder.settingsFile(), "first");
    EXPECT_FALSE(QFileInfo::exists(second.folder.settingsFile()));
    EXPECT_EQ(readFile(second.folder.image() + QStringLiteral("/tabak/tab2.jpeg")), "a picture");
}

TEST_F(UserFoldersTest, AProgramFolderTheUserMayNotWriteToGetsAFolderOfTheUsers) {
    const QString folder = path(QStringLiteral("диск/Мирельта"));
    writeFile(folder + QStringLiteral("/mirelta"), "executable");
    writeFile(folder + QStringLiteral("/Image/x.gif"), "a picture on the disc");

    const FolderLayout layout = chooseFolders(folder, false, home_);
    EXPECT_TRUE(layout.installed);
    EXPECT_EQ(layout.shipped, folder);
    EXPECT_EQ(layout.user, home_ + QStringLiteral("/Мирельта"));
    ASSERT_TRUE(prepareFolders(layout).problem.isEmpty());
    EXPECT_EQ(readFile(layout.user + QStringLiteral("/Image/x.gif")), "a picture on the disc");
    // No Sound folder ships there: the user still gets one for the editor to choose from.
    EXPECT_TRUE(QFileInfo(layout.user + QStringLiteral("/Sound")).isDir());
}

TEST_F(UserFoldersTest, AFolderThatCannotBeMadeIsSaidAndTheShippedFolderServes) {
    // The user's data folder lies under a file, where no folder can be made.
    writeFile(path(QStringLiteral("a file")), "not a folder");
    const FolderLayout layout =
        chooseFolders(bin_, true, path(QStringLiteral("a file/.local/share")));

    const PreparedFolders prepared = prepareFolders(layout);
    EXPECT_TRUE(prepared.problem.startsWith(QStringLiteral("Не удаётся создать папку")))
        << prepared.problem.toStdString();
    EXPECT_TRUE(prepared.problem.contains(layout.user)) << prepared.problem.toStdString();
    EXPECT_EQ(prepared.folder.image(), QDir::cleanPath(shipped_) + QStringLiteral("/Image"));
}

TEST(UserDataHomeTest, FollowsTheXdgRule) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const ScopedEnvironment homeVariable("HOME", home.path().toUtf8());
    {
        const ScopedEnvironment data("XDG_DATA_HOME", QByteArray("/srv/данные"));
        EXPECT_EQ(userDataHome(), QStringLiteral("/srv/данные"));
    }
    {
        // A relative path is to be ignored, as if it were not set.
        const ScopedEnvironment data("XDG_DATA_HOME", QByteArray("relative/data"));
        EXPECT_EQ(userDataHome(), home.path() + QStringLiteral("/.local/share"));
    }
    {
        const ScopedEnvironment data("XDG_DATA_HOME", std::nullopt);
        EXPECT_EQ(userDataHome(), home.path() + QStringLiteral("/.local/share"));
    }
}

TEST_F(UserFoldersTest, TheRunningProgramsFoldersComeFromItsExecutableAndTheEnvironment) {
    const ScopedEnvironment data("XDG_DATA_HOME", home_.toUtf8());
    const PreparedFolders prepared = prepareProgramFolders(bin_);
    ASSERT_TRUE(prepared.problem.isEmpty()) << prepared.problem.toStdString();
    EXPECT_EQ(prepared.folder.settingsFile(), home_ + QStringLiteral("/Мирельта/polufabu.ini"));
    EXPECT_EQ(readFile(prepared.folder.sound() + QStringLiteral("/mysound/ser.wav")), "a sound");
}

} // namespace
