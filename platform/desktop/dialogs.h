#pragma once
// Message boxes, questions and file-open dialogs, behind one interface so that the handlers can
// be driven and read by tests without a modal dialog.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace mirelta {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A plain message box with an OK button.
    virtual void message(const QString& text) = 0;
    // A question with Yes and No buttons and a question-mark icon; true for Yes.
    virtual bool ask(const QString& text, const QString& title) = 0;
    // A file-open dialog starting in `folder`; an empty result means cancelled.
    virtual QString openFile(const QString& folder, const QString& filter) = 0;
    // A warning that asks for one of `options`, the first being the default button; the index of
    // the option chosen, or nothing when the box was closed (or cancelled) without a choice. Where
    // no one can be asked (the tools without a screen) the last option is taken: callers make it
    // the one that keeps things as they were.
    virtual std::optional<int> choose(const QString& text, const QString& title,
                                      const QStringList& options) {
        (void)text;
        (void)title;
        if (options.isEmpty()) {
            return std::nullopt;
        }
        return static_cast<int>(options.size() - 1);
    }
};

// The real dialogs, modal over `parent`.
class WidgetDialogs : public Dialogs {
public:
    explicit WidgetDialogs(QWidget* parent) : parent_(parent) {}
    void message(const QString& text) override;
    bool ask(const QString& text, const QString& title) override;
    QString openFile(const QString& folder, const QString& filter) override;
    std::optional<int> choose(const QString& text, const QString& title,
                              const QStringList& options) override;

private:
    QWidget* parent_;
};

} // namespace mirelta
