#pragma once
// Writing a file so that a failure never leaves half of it: the bytes go to a new file beside the
// old one, which is then put in its place in one step.

#include <QString>
#include <string_view>

namespace mirelta {

bool writeFileAtomically(const QString& path, std::string_view bytes);

} // namespace mirelta
