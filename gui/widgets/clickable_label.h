#pragma once
// A label that acts as a link: hand cursor, a click signal, a background colour of its own.

#include <QColor>
#include <QLabel>

namespace mirelta {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    ClickableLabel(const QString& caption, QWidget* parent = nullptr);

    void setBackground(const QColor& colour);
    QColor background() const;
    void setUnderlined(bool underlined);

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void entered();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    bool afterDoubleClick_ = false;
};

} // namespace mirelta
