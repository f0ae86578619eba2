#include "gui/widgets/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace mirelta;

TEST(Controls, ACheckBoxReactsToEveryChangeFromCodeOrUser) {
    QCheckBox box;
    int clicks = 0;
    onClick(&box, [&] { ++clicks; });
    box.setChecked(true);
    box.setChecked(true); // no change, no reaction
    EXPECT_EQ(clicks, 1);
    box.click();
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(box.isChecked());
}

TEST(Controls, ARadioGroupReactsToANewItemOtherThanNone) {
    RadioGroup group(QStringLiteral("Пол"), {QStringLiteral("Мужчина"), QStringLiteral("Женщина")});
    std::vector<int> seen;
    onClick(&group, [&] { seen.push_back(group.itemIndex()); });
    group.setItemIndex(1);
    group.setItemIndex(1);
    group.setItemIndex(-1); // none: no reaction, no button left checked
    EXPECT_EQ(group.itemIndex(), -1);
    for (QRadioButton* button : group.findChildren<QRadioButton*>()) {
        EXPECT_FALSE(button->isChecked());
    }
    group.setItemIndex(0);
    group.findChildren<QRadioButton*>()[1]->click(); // the user
    group.findChildren<QRadioButton*>()[1]->click(); // the same item again
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1}));
    group.setItemIndex(7); // no such item: none
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_EQ(group.count(), 2);
    EXPECT_EQ(group.findChildren<QRadioButton*>()[1]->text(), QStringLiteral("Женщина"));
}

TEST(Controls, AComboBoxReactsToTheUserOnly) {
    QComboBox box;
    box.setEditable(true);
    box.addItems({QStringLiteral("один"), QStringLiteral("два")});
    int changes = 0;
    onUserChange(&box, [&] { ++changes; });
    box.setEditText(QStringLiteral("из кода"));
    box.setCurrentIndex(1);
    EXPECT_EQ(changes, 0);
    QTest::keyClicks(box.lineEdit(), QStringLiteral("ab"));
    EXPECT_EQ(changes, 2);   // every keystroke
    Q_EMIT box.activated(0); // what picking an entry in the list sends
    EXPECT_EQ(changes, 3);
}

TEST(Controls, AnEditFieldReactsToEveryChangeOfItsText) {
    QLineEdit field;
    QStringList seen;
    onChange(&field, [&] { seen.append(field.text()); });
    field.setText(QStringLiteral("5"));
    QTest::keyClicks(&field, QStringLiteral("x"));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("5"), QStringLiteral("5x")}));
}
