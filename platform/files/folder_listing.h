#pragma once
// Listing the files of a folder by extension, as the personal-suggestion list and the lesson
// lists are filled.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mirelta {

// Adds to `list` the names (UTF-8) of the entries of `folder` whose extension, from the last dot,
// equals `extension` exactly (".TXT" is not ".txt"), and, when `onlyName` is not empty, whose
// name is `onlyName`. Each name loses the four characters from its first dot. Subfolders are
// listed first when `recurse` is set, their names added without any folder part; a folder whose
// own name has the extension is listed too, after its contents. Entries come in name order.
// Nothing happens when `list` is null or the folder does not exist. Linked folders are not
// followed, so a link loop cannot make the listing endless.
void listFolderFiles(const std::filesystem::path& folder, bool recurse,
                     std::vector<std::string>* list, int depth, std::string_view onlyName,
                     std::string_view extension);

} // namespace mirelta
