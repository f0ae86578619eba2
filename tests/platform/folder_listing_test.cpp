#include "platform/files/folder_listing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

using namespace mirelta;

namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

std::vector<std::string> list(const QString& folder, bool recurse = true,
                              std::string_view only = {}) {
    std::vector<std::string> names;
    listFolderFiles(folder.toStdString(), recurse, &names, 0, only, ".txt");
    return names;
}

} // namespace

TEST(FolderListing, ListsTxtFilesByTheRules) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    touch(root.filePath(QStringLiteral("Бросить.txt")));
    touch(root.filePath(QStringLiteral("CAPS.TXT")));    // case-sensitive extension
    touch(root.filePath(QStringLiteral("a.b.txt")));     // four characters from the first dot
    touch(root.filePath(QStringLiteral("п.ра.txt")));    // counted as characters, not bytes
    touch(root.filePath(QStringLiteral(".hidden.txt"))); // hidden files too
    touch(root.filePath(QStringLiteral("notes.md")));
    touch(root.filePath(QStringLiteral("noextension")));
    touch(root.filePath(QStringLiteral("…")));
    root.mkpath(QStringLiteral("sub/deeper"));
    touch(root.filePath(QStringLiteral("sub/deeper/Глубоко.txt")));
    root.mkpath(QStringLiteral("folder.txt")); // a folder is tested like a file
    touch(root.filePath(QStringLiteral("folder.txt/inside.txt")));

    EXPECT_EQ(list(dir.path()), (std::vector<std::string>{"den.txt", "axt", "inside", "folder",
                                                          "Глубоко", "Бросить", "пtxt"}));
    EXPECT_EQ(list(dir.path(), false),
              (std::vector<std::string>{"den.txt", "axt", "folder", "Бросить", "пtxt"}));
    EXPECT_EQ(list(dir.path(), true, "Бросить.txt"), (std::vector<std::string>{"Бросить"}));
}

TEST(FolderListing, MissingFoldersNoListAndLinkLoopsAreHarmless) {
    QTemporaryDir dir;
    EXPECT_TRUE(list(dir.filePath(QStringLiteral("missing"))).empty());
    listFolderFiles(dir.path().toStdString(), true, nullptr, 0, {}, ".txt");

    const QDir root(dir.path());
    root.mkpath(QStringLiteral("loop"));
    touch(root.filePath(QStringLiteral("loop/one.txt")));
    std::filesystem::create_directory_symlink(
        dir.path().toStdString(), root.filePath(QStringLiteral("loop/back")).toStdString());
    EXPECT_EQ(list(dir.path()), (std::vector<std::string>{"one"}));
}
