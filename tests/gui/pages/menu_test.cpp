// The menu strip, the link bar, the information pages and the labels that light up. The pages
// and links are tested on their own page; the highlights, which span every feature, and the menu's
// place over the tab row on the whole window.

#include "gui/pages/menu_panel.h"
#include "gui/pages/page_links.h"
#include "gui/widgets/clickable_label.h"
#include "gui/widgets/controls.h"
#include "gui/widgets/hover_highlights.h"
#include "tests/support/window_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using namespace mirelta;
using namespace mirelta::test;

namespace {

const QColor kLime(0, 255, 0);

void touchFile(const QString& file) {
    QDir().mkpath(QFileInfo(file).path());
    QFile touched(file);
    ASSERT_TRUE(touched.open(QIODevice::WriteOnly));
}

QStringList paragraphsOf(const QTextEdit* text) {
    QStringList list;
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
        list.append(block.text());
    }
    return list;
}

// The link bar and the information pages on a page of their own, with the menu strip.
class Pages : public ::testing::Test {
protected:
    Pages() {
        auto* page = new QWidget(&host_);
        auto* menu = new MenuPanel(&host_);
        auto* links = new PageLinks(page, *menu, folder_, shell);
        links->buildOverlays(page);
        host_.show();
    }
    template <typename Control> Control* control(const char* name) {
        auto* found = host_.findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    ClickableLabel* label(const char* name) { return control<ClickableLabel>(name); }
    QStringList paragraphs() { return paragraphsOf(control<QTextEdit>("Rhelp")); }
    void touch(const QString& relative) { touchFile(dir_.filePath(relative)); }

    RecordingShell shell;

private:
    QTemporaryDir dir_;
    ProgramFolder folder_{dir_.path()};
    QWidget host_;
};

class Menu : public WindowTest {
protected:
    ClickableLabel* label(const char* name) { return control<ClickableLabel>(name); }
    void enter(const char* name) { Q_EMIT label(name)->entered(); }
    void moveOver(const char* name) {
        QWidget* area = control<QWidget>(name);
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), area->mapToGlobal(QPointF(1, 1)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area, &move);
    }
};

} // namespace

TEST_F(Menu, MovingFromOneLabelToAnotherLightsOnlyTheNewOne) {
    shownWindow();
    enter("R2");
    EXPECT_EQ(label("R2")->background(), kHighlightColour);
    enter("R1");
    EXPECT_EQ(label("R1")->background(), kHighlightColour);
    EXPECT_EQ(label("R2")->background(), kLime);
    moveOver("Pmenu");
    EXPECT_EQ(label("R1")->background(), kLime);
    // The link bar's labels, and the panels that put them back.
    enter("Rn");
    EXPECT_EQ(label("Rn")->background(), kHighlightColour);
    moveOver("Pnast");
    EXPECT_EQ(label("Rn")->background(), QColor(255, 255, 0));
    enter("Rm1");
    moveOver("Pmenu"); // the menu strip puts the forum link back too
    EXPECT_EQ(label("Rm1")->background(), QColor(0, 255, 255));
}

TEST_F(Menu, ALabelNotInItsNormalColourStaysAsItIs) {
    shownWindow();
    label("R0")->setBackground(Qt::red);
    enter("R0");
    EXPECT_EQ(label("R0")->background(), QColor(Qt::red));
    enter("R1");
    EXPECT_EQ(label("R0")->background(), QColor(Qt::red)); // not lit, so not reset either
    enter("R1");                                           // already lit
    EXPECT_EQ(label("R1")->background(), kHighlightColour);
    enter("Rud");
    EXPECT_EQ(label("Rud")->background(), kHighlightColour);
    moveOver("Titul");
    EXPECT_EQ(label("Rud")->background(), QColor(255, 255, 225));
}

TEST_F(Pages, EachPageShowsItsTextOnceAndOpensItsDocument) {
    touch(QStringLiteral("О программе.doc"));
    label("R1")->clicked();
    label("R1")->clicked();
    EXPECT_EQ(paragraphs().size(), 20);
    EXPECT_EQ(paragraphs().first(),
              QStringLiteral("Программа помогает настроить мышление и подсознание человека"));
    EXPECT_TRUE(
        paragraphs()[19].contains(QStringLiteral("ОТКАЗ ОТ ОТВЕТСТВЕННОСТИ ЗА КОСВЕННЫЙ УЩЕРБ")));
    EXPECT_FALSE(control<QWidget>("Phelp")->isHidden());
    EXPECT_EQ(control<QWidget>("Phelp")->height(), 377);
    EXPECT_EQ(control<QWidget>("Rhelp")->height(), 350);
    EXPECT_EQ(control<QWidget>("Bzac")->y(), 357);
    ASSERT_EQ(shell.opened.size(), 2);
    EXPECT_TRUE(shell.opened[0].toLocalFile().endsWith(QStringLiteral("О программе.doc")));

    label("R2")->clicked();
    const QStringList settings = paragraphs();
    ASSERT_EQ(settings.size(), 29);
    EXPECT_EQ(settings[0],
              QStringLiteral("\"Повторить\" - сколько раз будет повторен текст настроя"));
    EXPECT_TRUE(settings[11].startsWith(QStringLiteral(" \"Пауза\"   сколько")));
    EXPECT_TRUE(settings[13].startsWith(QStringLiteral(" \"Убавлять\"")));
    EXPECT_TRUE(settings[25].endsWith(QStringLiteral("в длину и ширину и м")));

    label("R4")->clicked(); // "Внушения.doc" is missing: nothing is opened, nothing reported
    EXPECT_EQ(paragraphs().size(), 18);
    EXPECT_EQ(paragraphs()[13],
              QStringLiteral("С темой \"Настрои\". Потом вы получите текст Вашего "
                             "эксклюзивного настроя. И указания по его применению"));
    EXPECT_EQ(shell.opened.size(), 3);
    control<QPushButton>("Bzac")->click();
    EXPECT_TRUE(control<QWidget>("Phelp")->isHidden());
}

TEST_F(Pages, TheAuthorsCardAndTheLinksOpenThePagesThatShipWithTheProgram) {
    for (const char* page : {"forum", "suggestions", "index", "program", "author"}) {
        touch(QStringLiteral("Site/%1.html").arg(QLatin1String(page)));
    }
    label("R0")->clicked();
    EXPECT_FALSE(control<QWidget>("Pavtor")->isHidden());
    EXPECT_TRUE(label("Ravt")->text().startsWith(QStringLiteral("Автор программы")));
    label("Ravt")->clicked();
    control<QPushButton>("Bzavt")->click();
    EXPECT_TRUE(control<QWidget>("Pavtor")->isHidden());
    // A double click, as the window system delivers it (press, release, double click, release),
    // also delivers its first click: both pages open, each once.
    ClickableLabel* forum = label("Rm1");
    const QPointF at(3, 3);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, forum->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(forum, &event);
    }
    QStringList opened;
    for (const QUrl& url : shell.opened) {
        opened.append(QFileInfo(url.toLocalFile()).fileName());
    }
    EXPECT_EQ(opened, (QStringList{QStringLiteral("author.html"), QStringLiteral("forum.html"),
                                   QStringLiteral("suggestions.html")}));
    label("Rm2")->clicked();
    Q_EMIT label("Rm2")->doubleClicked();
    EXPECT_TRUE(shell.opened.last().toLocalFile().endsWith(QStringLiteral("program.html")));
}

// A page whose document is missing opens nothing and tells the user nothing.
TEST_F(Menu, AMissingDocumentIsNeitherOpenedNorReported) {
    shownWindow();
    label("R4")->clicked();
    EXPECT_FALSE(control<QWidget>("Phelp")->isHidden());
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Menu, TheMenuGoesBehindTheTabRowAndComesBack) {
    shownWindow();
    QWidget* menu = control<QWidget>("Pmenu");
    QTabBar* tabs = control<QTabWidget>("Pagenast")->tabBar();
    const QPoint onTabs = tabs->mapTo(&window(), QPoint(20, tabs->height() / 2));
    ASSERT_NE(window().childAt(onTabs), nullptr);
    EXPECT_TRUE(menu->isAncestorOf(window().childAt(onTabs)) || window().childAt(onTabs) == menu);
    label("Rnast")->clicked();
    EXPECT_TRUE(tabs->isAncestorOf(window().childAt(onTabs)) || window().childAt(onTabs) == tabs);
    label("Rmenu")->clicked();
    EXPECT_TRUE(menu->isAncestorOf(window().childAt(onTabs)) || window().childAt(onTabs) == menu);
}

// The window's title and the menu show the version the project's CMake declares, which also names
// the package.
TEST_F(Menu, TheTitleAndTheMenuShowTheProjectsVersion) {
    const QString version = QStringLiteral(MIRELTA_PROJECT_VERSION);
    ASSERT_FALSE(version.isEmpty());
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Мирельта ") + version);
    EXPECT_EQ(control<QLabel>("Label3")->text(), QStringLiteral("Версия ") + version);
}
