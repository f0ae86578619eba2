#include "foreign_language_window.h"

TFiniaz::TFiniaz(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Finiaz"));
    setWindowTitle(QStringLiteral("Обучение иностранному языку"));
}
