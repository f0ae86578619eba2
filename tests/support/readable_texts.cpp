#include "tests/support/readable_texts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QWidget>
#include <optional>
#include <vector>

namespace mirelta::test {
namespace {

// Where a widget draws its text, in its own coordinates, and the room it has for it.
struct DrawnText {
    const QWidget* widget;
    QString text;
    QRect drawn; // where the text's pixels fall
    QRect room;  // where the widget lets them fall
};

QString describe(const DrawnText& text) {
    const QString name = text.widget->objectName().isEmpty()
                             ? QString::fromLatin1(text.widget->metaObject()->className())
                             : text.widget->objectName();
    return name + QStringLiteral(" «") + QString(text.text).replace(u'\n', u' ') +
           QStringLiteral("»");
}

QRect textRect(const QWidget& widget, const QRect& room, int flags, const QString& text) {
    return widget.fontMetrics().boundingRect(room, flags, text);
}

std::optional<DrawnText> labelText(const QLabel& label) {
    if (label.text().isEmpty() || label.textFormat() == Qt::RichText) {
        return std::nullopt;
    }
    const QRect room = label.contentsRect().adjusted(label.margin(), label.margin(),
                                                     -label.margin(), -label.margin());
    const int flags =
        static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    return DrawnText{&label, label.text(), textRect(label, room, flags, label.text()), room};
}

std::optional<DrawnText> buttonText(const QAbstractButton& button) {
    if (button.text().isEmpty()) {
        return std::nullopt;
    }
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (qobject_cast<const QCheckBox*>(&button) != nullptr) {
        contents = QStyle::SE_CheckBoxContents;
        flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    } else if (qobject_cast<const QRadioButton*>(&button) != nullptr) {
        contents = QStyle::SE_RadioButtonContents;
        flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    }
    const QRect room = button.style()->subElementRect(contents, &option, &button);
    return DrawnText{&button, button.text(), textRect(button, room, flags, button.text()), room};
}

std::optional<DrawnText> groupTitle(const QGroupBox& group) {
    if (group.title().isEmpty()) {
        return std::nullopt;
    }
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label = group.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                      QStyle::SC_GroupBoxLabel, &group);
    const QRect drawn = textRect(group, label, Qt::AlignLeft | Qt::AlignVCenter, group.title());
    return DrawnText{&group, group.title(), drawn, group.rect()};
}

std::optional<DrawnText> drawnText(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return labelText(*label);
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return buttonText(*button);
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        return groupTitle(*group);
    }
    return std::nullopt;
}

} // namespace

QStringList unreadableTexts(const QWidget& top) {
    std::vector<const QWidget*> widgets{&top};
    for (const QWidget* child : top.findChildren<QWidget*>()) {
        if (child->isVisibleTo(&top) && !child->isWindow()) {
            widgets.push_back(child);
        }
    }
    QStringList problems;
    std::vector<std::pair<DrawnText, QRect>> placed; // each text and where it lies in `top`
    for (const QWidget* widget : widgets) {
        const std::optional<DrawnText> text = drawnText(*widget);
        if (!text) {
            continue;
        }
        if (!text->room.contains(text->drawn)) {
            problems.append(describe(*text) + QStringLiteral(" is cut off by its own rectangle"));
        }
        // Every widget around it clips it to its rectangle.
        QRect drawn = text->drawn;
        for (const QWidget* inner = widget; inner != &top; inner = inner->parentWidget()) {
            drawn.translate(inner->pos());
            const QWidget* outer = inner->parentWidget();
            // A window's edges are the screen's, which a test does not have: it only places.
            if (outer != &top || !top.isWindow()) {
                if (!outer->rect().contains(drawn)) {
                    problems.append(describe(*text) + QStringLiteral(" is cut off by ") +
                                    (outer->objectName().isEmpty()
                                         ? QString::fromLatin1(outer->metaObject()->className())
                                         : outer->objectName()));
                    break;
                }
            }
        }
        for (const auto& [other, otherPlace] : placed) {
            if (otherPlace.intersects(drawn)) {
                problems.append(describe(*text) + QStringLiteral(" overlaps ") + describe(other));
            }
        }
        placed.emplace_back(*text, drawn);
    }
    return problems;
}

} // namespace mirelta::test
