#pragma once
// Dialogs that tests answer and read: messages are recorded, questions get prepared answers and
// file dialogs return prepared paths.

#include "platform/desktop/dialogs.h"
#include "platform/desktop/shell.h"

#include <QList>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>

namespace mirelta::test {

class RecordingDialogs : public Dialogs {
public:
    void message(const QString& text) override {
        messages.append(text);
        if (onMessage) {
            onMessage(text);
        }
        // A user reading the box: the program's timers go on firing meanwhile, as they do under a
        // real modal message box.
        if (readingMilliseconds > 0) {
            QTest::qWait(readingMilliseconds);
        }
    }
    bool ask(const QString& text, const QString& title) override {
        questions.append(title + QStringLiteral(": ") + text);
        const bool answer = answers.empty() ? false : answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }
    QString openFile(const QString& folder, const QString&) override {
        openedFolders.append(folder);
        QString file = files.empty() ? QString() : files.front();
        if (!files.empty()) {
            files.pop_front();
        }
        return file;
    }

    // The warnings with a choice are recorded as their titles and texts; each takes the next
    // prepared choice (nothing: closed without one). With none prepared the last option is taken:
    // the tests written before the warning play the session they were written for.
    std::optional<int> choose(const QString& text, const QString& title,
                              const QStringList& options) override {
        warnings.append(title + QStringLiteral(": ") + text);
        warningOptions = options;
        if (choices.empty()) {
            return options.isEmpty() ? std::nullopt : std::optional<int>(options.size() - 1);
        }
        const std::optional<int> choice = choices.front();
        choices.pop_front();
        return choice;
    }

    // How long each message stays open.
    int readingMilliseconds = 0;
    // Runs as each message opens: what the user hears and sees at that moment.
    std::function<void(const QString&)> onMessage;
    QStringList messages;
    QStringList questions;
    QStringList openedFolders;
    std::deque<bool> answers;
    std::deque<QString> files;
    QStringList warnings;
    QStringList warningOptions;
    std::deque<std::optional<int>> choices;
};

class RecordingShell : public Shell {
public:
    void open(const QUrl& address) override { opened.append(address); }
    QList<QUrl> opened;
};

} // namespace mirelta::test
