// The declared settings bound to controls: a control takes its declared name and initial value,
// is read and set as the file writes it, and the recommended values go back through it. A control
// of the wrong kind, a setting bound twice or a kept setting with no control is caught as the
// window is built, not when the file is next written.

#include "display/picture_box.h"
#include "gui/settings/setting_bindings.h"
#include "gui/settings/settings_panel.h"
#include "gui/widgets/controls.h"
#include "platform/desktop/dialogs.h"
#include "tests/support/recording_dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <gtest/gtest.h>
#include <memory>

using namespace mirelta;

TEST(SettingBindings, AControlTakesItsDeclaredNameAndInitialValueAndIsReadAsTheFileWritesIt) {
    SettingBindings bindings;
    QWidget page;
    auto* sound = bindings.bind(setting::sound, new QCheckBox(&page));
    auto* passes = bindings.bind(setting::passes, new QLineEdit(&page));
    auto* level = bindings.bind(setting::brightnessLevel, new QSlider(&page));
    auto* speed = bindings.bind(
        setting::speed, new RadioGroup(QStringLiteral("Скорость"),
                                       {QStringLiteral("Высокая"), QStringLiteral("Средняя"),
                                        QStringLiteral("Низкая")},
                                       &page));
    EXPECT_EQ(sound->objectName(), QStringLiteral("Czv"));
    EXPECT_TRUE(sound->isChecked());
    EXPECT_EQ(passes->objectName(), QStringLiteral("Epov"));
    EXPECT_EQ(passes->text(), QStringLiteral("2"));
    EXPECT_EQ(level->minimum(), 100);
    EXPECT_EQ(level->maximum(), 500);
    EXPECT_EQ(level->value(), 250);
    EXPECT_EQ(speed->itemIndex(), 1);

    bindings.apply(setting::sound, QStringLiteral("False"));
    EXPECT_FALSE(sound->isChecked());
    EXPECT_EQ(bindings.value(setting::sound), QStringLiteral("False"));
    bindings.apply(setting::speed, QStringLiteral("7")); // no such item: left as it was
    EXPECT_EQ(bindings.value(setting::speed), QStringLiteral("1"));
    level->setValue(420);
    EXPECT_EQ(bindings.value(setting::brightnessLevel), QStringLiteral("420"));
}

// Through the settings panel, which binds every setting that has a recommended value.
TEST(SettingBindings, RecommendedValuesGoBackAndTheOthersStay) {
    SettingBindings bindings;
    test::RecordingDialogs dialogs;
    PictureBox photo;
    QWidget page;
    SettingsPanel panel(dialogs, QStringLiteral("/nowhere"), photo, bindings, &page);
    bindings.apply(setting::passes, QStringLiteral("7"));
    bindings.apply(setting::matrix, QStringLiteral("True"));
    bindings.apply(setting::speed, QStringLiteral("2"));
    bindings.apply(setting::name, QStringLiteral("Иван"));
    dialogs.answers.push_back(true);
    panel.offerRecommended();
    EXPECT_EQ(bindings.value(setting::passes), QStringLiteral("2"));
    EXPECT_EQ(bindings.value(setting::matrix), QStringLiteral("False"));
    EXPECT_EQ(bindings.value(setting::speed), QStringLiteral("1"));
    EXPECT_EQ(bindings.value(setting::name), QStringLiteral("Иван")); // no recommended value
}

TEST(SettingBindings, MistakesInBindingAreCaughtAsTheControlsAreMade) {
    SettingBindings bindings;
    QWidget page;
    EXPECT_THROW(bindings.bind(setting::sound, new QLineEdit(&page)), std::logic_error);
    bindings.bind(setting::matrix, new QCheckBox(&page));
    EXPECT_THROW(bindings.bind(setting::matrix, new QCheckBox(&page)), std::logic_error);
    EXPECT_THROW(bindings.value(setting::letter), std::logic_error);
    test::RecordingDialogs dialogs;
    SettingsStore store(QStringLiteral("/nowhere/polufabu.ini"), dialogs, false);
    EXPECT_THROW(bindings.declareStored(store), std::logic_error); // most kept settings unbound
}
