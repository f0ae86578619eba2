#pragma once
// Labels that light up while the pointer is over them, from one table: each label has its normal
// colour; entering a label lights it (if it shows its normal colour) and puts a list of other
// labels back to normal; moving over a panel puts its list of labels back to normal.

#include <QColor>
#include <QObject>
#include <map>
#include <vector>

class QWidget;

namespace mirelta {

class ClickableLabel;

inline const QColor kHighlightColour(166, 202, 240);

class HoverHighlights : public QObject {
    Q_OBJECT
public:
    explicit HoverHighlights(QObject* parent = nullptr) : QObject(parent) {}

    // The label's normal colour; entering it lights it and resets `resets`.
    void addLabel(ClickableLabel* label, const QColor& normal,
                  std::vector<ClickableLabel*> resets = {});
    // Moving the pointer over `area` resets `resets`.
    void addArea(QWidget* area, std::vector<ClickableLabel*> resets);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void entered(ClickableLabel* label);
    void movedOver(QWidget* area);
    void reset(const std::vector<ClickableLabel*>& labels);

    std::map<ClickableLabel*, QColor> normal_;
    std::map<QObject*, std::vector<ClickableLabel*>> resets_;
};

} // namespace mirelta
