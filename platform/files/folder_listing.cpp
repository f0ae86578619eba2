#include "platform/files/folder_listing.h"

#include <algorithm>

namespace mirelta {
namespace {

// The one-character name "…", which the listing skips like "." and "..".
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

// Removes the characters (not bytes) [first, first + count) of a UTF-8 name.
std::string removeCharacters(const std::string& name, std::size_t first, int count) {
    std::size_t end = first;
    for (int i = 0; i < count && end < name.size(); ++i) {
        ++end;
        while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    return name.substr(0, first) + name.substr(end);
}

} // namespace

void listFolderFiles(const std::filesystem::path& folder, bool recurse,
                     std::vector<std::string>* list, int depth, std::string_view onlyName,
                     std::string_view extension) {
    std::error_code error;
    if (list == nullptr || !std::filesystem::is_directory(folder, error)) {
        return;
    }
    std::vector<std::filesystem::directory_entry> entries;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename() < b.path().filename();
    });
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name == "." || name == ".." || name == kEllipsis) {
            continue;
        }
        if (recurse && !entry.is_symlink(error) && entry.is_directory(error)) {
            listFolderFiles(entry.path(), recurse, list, depth + 1, onlyName, extension);
        }
        const std::size_t lastDot = name.rfind('.');
        const std::string_view entryExtension = lastDot == std::string::npos
                                                    ? std::string_view()
                                                    : std::string_view(name).substr(lastDot);
        if (!extension.empty() && entryExtension != extension) {
            continue;
        }
        if (!onlyName.empty() && name != onlyName) {
            continue;
        }
        const std::size_t firstDot = name.find('.');
        list->push_back(firstDot == std::string::npos ? name : removeCharacters(name, firstDot, 4));
    }
}

} // namespace mirelta
