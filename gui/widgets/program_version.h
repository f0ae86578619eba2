#pragma once
// The program's version, as the project's CMake declares it once: the window's title and the
// menu show it, and the package is named by it.

#include <QString>

namespace mirelta {

QString programVersion();

} // namespace mirelta
