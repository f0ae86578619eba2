// Every text of the main window and of the foreign-language window can be read whole: none is cut
// off by its widget or a widget around it, and none overlaps another. CTest runs this at scale 1
// and again with QT_SCALE_FACTOR=2.

#include "gui/language/foreign_language_window.h"
#include "gui/widgets/controls.h"
#include "tests/support/readable_texts.h"
#include "tests/support/window_fixture.h"

#include <QLabel>

using namespace mirelta;
using namespace mirelta::test;

namespace {

class ReadableTexts : public WindowTest {};

} // namespace

// As the screenshots show it: the border gone and the window over a 1024 x 768 screen (at scale 2
// that screen has 2048 x 1536 pixels).
TEST_F(ReadableTexts, EveryTextOfTheSettingsViewCanBeReadWhole) {
    shownWindow();
    window().switchBorderOff();
    window().setGeometry(0, 0, 1024, 768);
    EXPECT_EQ(unreadableTexts(window()).join(u'\n').toStdString(), "");
}

TEST_F(ReadableTexts, EveryTextOfTheLanguageWindowCanBeReadWhole) {
    ForeignLanguageWindow language(folderPath());
    language.show();
    EXPECT_EQ(unreadableTexts(language).join(u'\n').toStdString(), "");
}

// The check itself: a group too low for its last item, a caption too narrow for its word and two
// captions over one another are each found.
TEST(ReadableTextsCheck, FindsCutAndOverlappingTexts) {
    QWidget page;
    page.resize(300, 200);
    auto* version = new RadioGroup(QStringLiteral("Пол"),
                                   {QStringLiteral("Мужчина"), QStringLiteral("Женщина")}, &page);
    version->setGeometry(0, 0, 105, 30);
    auto* narrow = new QLabel(QStringLiteral("предложение"), &page);
    narrow->setGeometry(150, 0, 20, 20);
    auto* first = new QLabel(QStringLiteral("Пауза"), &page);
    first->setGeometry(150, 100, 60, 20);
    auto* second = new QLabel(QStringLiteral("слово"), &page);
    second->setGeometry(160, 100, 60, 20);
    page.show();
    const QString problems = unreadableTexts(page).join(u'\n');
    EXPECT_TRUE(problems.contains(QStringLiteral("«Женщина» is cut off by")))
        << problems.toStdString();
    EXPECT_TRUE(problems.contains(QStringLiteral("«предложение» is cut off by its own rectangle")))
        << problems.toStdString();
    EXPECT_TRUE(problems.contains(QStringLiteral("«слово» overlaps QLabel «Пауза»")))
        << problems.toStdString();

    version->setGeometry(0, 0, 105, 60);
    narrow->setGeometry(150, 0, 100, 20);
    second->setGeometry(160, 130, 60, 20);
    EXPECT_EQ(unreadableTexts(page).join(u'\n').toStdString(), "");
}
