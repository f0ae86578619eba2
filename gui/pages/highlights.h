#pragma once
// Which labels of the window light up under the pointer, their normal colours, and what each
// label or panel puts back to normal. The labels and panels are found by their object names, so
// the features that build them need not hand them out.

class QWidget;

namespace mirelta {

class HoverHighlights;

void declareHighlights(HoverHighlights& hover, QWidget& window);

} // namespace mirelta
