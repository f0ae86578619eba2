#pragma once
// The behaviour the handlers rely on from their controls, the same for every control of a kind:
//  - a check box runs its click reaction whenever its state changes, by the user or by code;
//  - a radio group runs its click reaction whenever its item changes to another item that is not
//    -1 (no item), by the user or by code;
//  - an edit field runs its change reaction on every change of its text, by the user or by code;
//  - a combo box runs its change reaction only on the user's changes (typing, picking an entry);
//    setting its text from code runs nothing.

#include <QGroupBox>
#include <QStringList>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;

namespace mirelta {

// Names a control (its Qt object name is the name the handlers know it by) and puts it in place.
template <typename Control> Control* place(Control* control, const char* name, QRect geometry) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

// A framed panel that fills its background, as the pages' panels and overlays are.
QFrame* framedPanel(QWidget* parent, const char* name, QRect geometry);

void onClick(QCheckBox* box, std::function<void()> reaction);
void onChange(QLineEdit* field, std::function<void()> reaction);
void onUserChange(QComboBox* box, std::function<void()> reaction);

// A captioned group of radio buttons with an item index, -1 for none.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);
    int count() const;

Q_SIGNALS:
    void clicked();

private:
    void select(int index);

    QButtonGroup* buttons_;
    int itemIndex_ = -1;
};

void onClick(RadioGroup* group, std::function<void()> reaction);

} // namespace mirelta
