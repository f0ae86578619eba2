// The foreign-language window lists its lesson files.

#include "gui/language/foreign_language_window.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QDir& root, const QString& relative) {
    root.mkpath(QFileInfo(root.filePath(relative)).path());
    QFile file(root.filePath(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

QComboBox* combo(QWidget& window, const char* name) {
    return window.findChild<QComboBox*>(QString::fromLatin1(name));
}

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) {
        list.append(box->itemText(i));
    }
    return list;
}

} // namespace

TEST(LanguageWindow, ListsTheLessonFilesOfEnglishWhenShown) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    for (const char* file : {"Iniaz/angl/book/lesson1.txt", "Iniaz/angl/book/lesson2.txt",
                             "Iniaz/angl/book/Lesson3.TXT", "Iniaz/angl/book/part.one.txt",
                             "Iniaz/angl/book/extra/a.txt", "Iniaz/angl/book/old.txt/inner.txt",
                             "Iniaz/angl/slov/story.txt"}) {
        touch(root, QString::fromLatin1(file));
    }
    mirelta::ForeignLanguageWindow window(dir.path());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Иностранный язык"));
    EXPECT_EQ(combo(window, "cslov")->count(), 0);
    window.show();
    EXPECT_EQ(
        items(combo(window, "cslov")),
        (QStringList{QStringLiteral("a"), QStringLiteral("lesson1"), QStringLiteral("lesson2"),
                     QStringLiteral("inner"), QStringLiteral("old"), QStringLiteral("part.txt")}));
    EXPECT_EQ(items(combo(window, "cbook")), QStringList{QStringLiteral("story")});
    window.hide();
    window.show(); // emptied before it is filled again
    EXPECT_EQ(combo(window, "cslov")->count(), 6);

    combo(window, "Ciaz")->addItem(QStringLiteral("Немецкий"));
    touch(root, QStringLiteral("Iniaz/angl/slov/more.txt"));
    combo(window, "Ciaz")->setCurrentIndex(1);
    EXPECT_EQ(items(combo(window, "cbook")), QStringList{QStringLiteral("story")});
    combo(window, "Ciaz")->setCurrentIndex(0);
    EXPECT_EQ(items(combo(window, "cbook")),
              (QStringList{QStringLiteral("more"), QStringLiteral("story")}));
}

TEST(LanguageWindow, MissingLessonFoldersListNothing) {
    QTemporaryDir dir;
    mirelta::ForeignLanguageWindow window(dir.path());
    window.show();
    EXPECT_EQ(combo(window, "cslov")->count(), 0);
    EXPECT_EQ(combo(window, "cbook")->count(), 0);
}
