#pragma once
// Whether every text a window shows can be read whole: measured with each widget's own font, a
// text must fit its widget's rectangle, lie inside every rectangle around it (a parent clips its
// children) and overlap no other widget's text.

#include <QStringList>

class QWidget;

namespace mirelta::test {

// One line for each text of `top` and its visible widgets that cannot be read whole, naming the
// widget, its text and why; empty when every text can be read.
QStringList unreadableTexts(const QWidget& top);

} // namespace mirelta::test
