#include "platform/desktop/shell.h"

#include <QDesktopServices>

namespace mirelta {

void DesktopShell::open(const QUrl& address) {
    QDesktopServices::openUrl(address);
}

} // namespace mirelta
