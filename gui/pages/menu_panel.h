#pragma once
// The menu strip over the display panel: the information labels and the version.

#include <QFrame>

class QLabel;

namespace mirelta {

class ClickableLabel;

class MenuPanel : public QFrame {
    Q_OBJECT
public:
    explicit MenuPanel(QWidget* parent);

    ClickableLabel* R0;
    ClickableLabel* R1;
    ClickableLabel* R2;
    ClickableLabel* R3;
    ClickableLabel* R4;
    QLabel* Label3;
};

} // namespace mirelta
