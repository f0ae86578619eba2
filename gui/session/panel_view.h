#pragma once
// The display panel on the window: during a session it shows the newest frame the session
// presented; otherwise the settings pages lie over it.

#include <QWidget>

namespace mirelta {

class FrameExchange;

class PanelView : public QWidget {
    Q_OBJECT
public:
    PanelView(const FrameExchange& frames, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const FrameExchange& frames_;
};

} // namespace mirelta
