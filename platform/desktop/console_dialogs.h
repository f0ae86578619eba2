#pragma once
// The dialogs of the command-line tools, which have no screen: messages go to standard error,
// questions are answered "no", no file is ever chosen, and a choice takes the option that keeps
// things as they were.

#include "platform/desktop/dialogs.h"

#include <QString>
#include <iostream>

namespace mirelta {

class ConsoleDialogs : public Dialogs {
public:
    void message(const QString& text) override {
        std::cerr << "message: "
                  << QString(text).replace(QLatin1Char('\r'), QLatin1Char(' ')).toStdString()
                  << '\n';
    }
    bool ask(const QString&, const QString&) override { return false; }
    QString openFile(const QString&, const QString&) override { return {}; }
};

} // namespace mirelta
