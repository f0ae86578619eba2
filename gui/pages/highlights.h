#pragma once
// Which labels of the window light up under the pointer, their normal colours, and what each
// label or panel puts back to normal. Each feature hands in the labels and panels it built.

#include "gui/pages/menu_panel.h"
#include "gui/pages/page_links.h"

class QWidget;

namespace mirelta {

class ClickableLabel;
class HoverHighlights;

struct HighlightedWidgets {
    QWidget* page; // the general page
    MenuPanel* menu;
    const PageLinks::Labels& links;
    ClickableLabel* deletion; // the choice's "Удалить"
    QWidget* settings;        // the settings panel
    ClickableLabel* ownText;  // its "Cвой текст"
    QWidget* editorWords;     // the editor's word fields
    ClickableLabel* howTo;    // its "Как составлять внушения ?"
};

void declareHighlights(HoverHighlights& hover, const HighlightedWidgets& widgets);

} // namespace mirelta
