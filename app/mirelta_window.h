#pragma once
// The main window. For now it shows the standard suggestion that the program parses at start-up
// and what the parse made of it.

#include "record_table.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;

class TMirelta : public QWidget {
    Q_OBJECT
public:
    explicit TMirelta(QWidget* parent = nullptr);

private:
    void Abasa();

    mirelta::RecordTable Tslovo;
    mirelta::RecordTable Tschenar;
    int thesisCount = 0;
    QPlainTextEdit* Mkur = nullptr;
    QLabel* summary = nullptr;
};
