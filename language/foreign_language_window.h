#pragma once
// The second window, for learning foreign-language words. It is created with the program and
// stays hidden.

#include <QWidget>

class TFiniaz : public QWidget {
    Q_OBJECT
public:
    explicit TFiniaz(QWidget* parent = nullptr);
};
