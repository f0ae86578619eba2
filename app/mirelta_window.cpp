#include "mirelta_window.h"

#include "cp1251.h"
#include "standard_texts.h"
#include "suggestion_parser.h"
#include "suggestion_tables.h"

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
QString fromCp1251(std::string_view bytes) {
    return QString::fromStdString(mirelta::cp1251::toUtf8(bytes));
}
} // namespace

TMirelta::TMirelta(QWidget* parent)
    : QWidget(parent), Tslovo(mirelta::makeLettersTable()), Tschenar(mirelta::makeScenarioTable()) {
    setObjectName(QStringLiteral("Mirelta"));
    setWindowTitle(QStringLiteral("Мирельта 1.779"));
    auto* layout = new QVBoxLayout(this);
    Mkur = new QPlainTextEdit(this);
    Mkur->setObjectName(QStringLiteral("Mkur"));
    Mkur->setReadOnly(true);
    Mkur->setPlainText(fromCp1251(mirelta::standardText(0)));
    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    layout->addWidget(Mkur);
    layout->addWidget(summary);
    Abasa();
}

void TMirelta::Abasa() {
    const std::string text = mirelta::cp1251::normaliseLineBreaks(mirelta::standardText(0));
    const mirelta::ParseOutcome outcome =
        mirelta::parseSuggestion({.text = text, .sexItem = 0}, Tslovo, Tschenar);
    if (!outcome.completed) {
        QMessageBox::information(this, windowTitle(), fromCp1251(outcome.message));
        return;
    }
    thesisCount = *outcome.thesisCount;
    summary->setText(
        QStringLiteral("Тезисов: %1, букв: %2").arg(thesisCount).arg(Tslovo.rowCount()));
}
