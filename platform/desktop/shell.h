#pragma once
// Opening documents and web pages with the user's default programs, behind an interface that
// tests can record. Failures are not reported: the program goes on as if nothing was asked.

#include <QUrl>

namespace mirelta {

class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QUrl& address) = 0;
};

class DesktopShell : public Shell {
public:
    void open(const QUrl& address) override;
};

} // namespace mirelta
