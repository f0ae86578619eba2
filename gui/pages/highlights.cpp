#include "gui/pages/highlights.h"

#include "gui/widgets/clickable_label.h"
#include "gui/widgets/hover_highlights.h"

#include <stdexcept>

namespace mirelta {

void declareHighlights(HoverHighlights& hover, QWidget& window) {
    const auto find = [&window]<typename Widget = ClickableLabel>(const char* name) {
        auto* found = window.findChild<Widget*>(QString::fromLatin1(name));
        if (found == nullptr) {
            throw std::logic_error(std::string("no widget named ") + name + " to highlight");
        }
        return found;
    };
    const auto area = [&find](const char* name) { return find.operator()<QWidget>(name); };
    const QColor lime(0, 255, 0);
    const QColor aqua(0, 255, 255);
    const QColor yellow(255, 255, 0);
    const QColor tooltip(255, 255, 225);
    const QColor hidden = window.palette().color(QPalette::Button);
    ClickableLabel* author = find("R0");
    ClickableLabel* about = find("R1");
    ClickableLabel* settingsHelp = find("R2");
    ClickableLabel* lessons = find("R3");
    ClickableLabel* personalHelp = find("R4");
    ClickableLabel* forum = find("Rm1");
    ClickableLabel* site = find("Rm2");
    ClickableLabel* standardTexts = find("Rnast");
    ClickableLabel* showMenu = find("Rmenu");
    ClickableLabel* recommended = find("Rn");
    ClickableLabel* deletion = find("Rud");
    ClickableLabel* ownText = find("R5");

    hover.addLabel(author, lime, {about, settingsHelp, lessons, personalHelp});
    hover.addLabel(about, lime, {author, settingsHelp, lessons, personalHelp});
    hover.addLabel(settingsHelp, lime, {author, about, lessons, personalHelp});
    hover.addLabel(personalHelp, lime, {author, about, settingsHelp, lessons});
    hover.addLabel(lessons, hidden); // hidden: never lights up
    hover.addArea(area("Pmenu"), {author, about, settingsHelp, lessons, personalHelp, forum});
    hover.addLabel(forum, aqua, {site, standardTexts, showMenu, recommended});
    hover.addLabel(site, aqua, {forum, standardTexts, showMenu, recommended});
    hover.addLabel(standardTexts, lime, {forum, site, showMenu, recommended});
    hover.addLabel(showMenu, lime, {forum, site, standardTexts, recommended});
    hover.addLabel(recommended, yellow, {forum, site, standardTexts, showMenu});
    hover.addArea(area("Pzag"), {forum, site, standardTexts, showMenu, recommended});
    hover.addLabel(deletion, tooltip);
    hover.addArea(area("Titul"), {about, settingsHelp, lessons, personalHelp, standardTexts,
                                  showMenu, recommended, deletion});
    hover.addLabel(find("Ravt"), lime);
    hover.addArea(area("Pavtor"), {find("Ravt")});
    hover.addLabel(ownText, tooltip);
    hover.addArea(area("Pnast"), {recommended, ownText});
    hover.addLabel(find("R6"), hidden);
    hover.addArea(area("Pslov"), {find("R6")});
}

} // namespace mirelta
