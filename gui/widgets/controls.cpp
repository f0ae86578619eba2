#include "gui/widgets/controls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mirelta {

QFrame* framedPanel(QWidget* parent, const char* name, QRect geometry) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

void onClick(QCheckBox* box, std::function<void()> reaction) {
    QObject::connect(box, &QCheckBox::toggled, box,
                     [reaction = std::move(reaction)] { reaction(); });
}

void onChange(QLineEdit* field, std::function<void()> reaction) {
    QObject::connect(field, &QLineEdit::textChanged, field,
                     [reaction = std::move(reaction)] { reaction(); });
}

void onUserChange(QComboBox* box, std::function<void()> reaction) {
    auto shared = std::make_shared<std::function<void()>>(std::move(reaction));
    QObject::connect(box, &QComboBox::activated, box, [shared] { (*shared)(); });
    if (QLineEdit* edit = box->lineEdit()) {
        QObject::connect(edit, &QLineEdit::textEdited, box, [shared] { (*shared)(); });
    }
}

void onClick(RadioGroup* group, std::function<void()> reaction) {
    QObject::connect(group, &RadioGroup::clicked, group,
                     [reaction = std::move(reaction)] { reaction(); });
}

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_->addButton(button, i);
        layout->addWidget(button);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, [this](int id) { select(id); });
}

int RadioGroup::count() const {
    return static_cast<int>(buttons_->buttons().size());
}

void RadioGroup::setItemIndex(int index) {
    if (index < -1 || index >= count()) {
        index = -1;
    }
    if (index == -1) {
        // An exclusive group keeps one button checked; it lets go only while not exclusive.
        buttons_->setExclusive(false);
        for (QAbstractButton* button : buttons_->buttons()) {
            button->setChecked(false);
        }
        buttons_->setExclusive(true);
        itemIndex_ = -1;
        return;
    }
    buttons_->button(index)->setChecked(true);
    select(index);
}

void RadioGroup::select(int index) {
    if (index == itemIndex_) {
        return;
    }
    itemIndex_ = index;
    Q_EMIT clicked();
}

} // namespace mirelta
