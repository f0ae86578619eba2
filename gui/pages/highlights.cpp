#include "gui/pages/highlights.h"

#include "gui/widgets/clickable_label.h"
#include "gui/widgets/hover_highlights.h"

namespace mirelta {

void declareHighlights(HoverHighlights& hover, const HighlightedWidgets& widgets) {
    const QColor lime(0, 255, 0);
    const QColor aqua(0, 255, 255);
    const QColor yellow(255, 255, 0);
    const QColor tooltip(255, 255, 225);
    const QColor hidden = widgets.page->window()->palette().color(QPalette::Button);
    const MenuPanel::Labels& menu = widgets.menu->labels();
    ClickableLabel* author = menu.author;
    ClickableLabel* about = menu.about;
    ClickableLabel* settingsHelp = menu.settingsHelp;
    ClickableLabel* lessons = menu.lessons;
    ClickableLabel* personalHelp = menu.personalHelp;
    const PageLinks::Labels& links = widgets.links;
    ClickableLabel* forum = links.forum;
    ClickableLabel* site = links.site;
    ClickableLabel* standardTexts = links.standardTexts;
    ClickableLabel* showMenu = links.showMenu;
    ClickableLabel* recommended = links.recommended;
    ClickableLabel* deletion = widgets.deletion;
    ClickableLabel* ownText = widgets.ownText;

    hover.addLabel(author, lime, {about, settingsHelp, lessons, personalHelp});
    hover.addLabel(about, lime, {author, settingsHelp, lessons, personalHelp});
    hover.addLabel(settingsHelp, lime, {author, about, lessons, personalHelp});
    hover.addLabel(personalHelp, lime, {author, about, settingsHelp, lessons});
    hover.addLabel(lessons, hidden); // hidden: never lights up
    hover.addArea(widgets.menu, {author, about, settingsHelp, lessons, personalHelp, forum});
    hover.addLabel(forum, aqua, {site, standardTexts, showMenu, recommended});
    hover.addLabel(site, aqua, {forum, standardTexts, showMenu, recommended});
    hover.addLabel(standardTexts, lime, {forum, site, showMenu, recommended});
    hover.addLabel(showMenu, lime, {forum, site, standardTexts, recommended});
    hover.addLabel(recommended, yellow, {forum, site, standardTexts, showMenu});
    hover.addArea(links.bar, {forum, site, standardTexts, showMenu, recommended});
    hover.addLabel(deletion, tooltip);
    hover.addArea(widgets.page, {about, settingsHelp, lessons, personalHelp, standardTexts,
                                 showMenu, recommended, deletion});
    hover.addLabel(links.author, lime);
    hover.addArea(links.authorCard, {links.author});
    hover.addLabel(ownText, tooltip);
    hover.addArea(widgets.settings, {recommended, ownText});
    hover.addLabel(widgets.howTo, hidden);
    hover.addArea(widgets.editorWords, {widgets.howTo});
}

} // namespace mirelta
