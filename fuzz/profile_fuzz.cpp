// Arbitrary bytes as a settings file: reading never fails, what is written reads back, and
// writing changes no line but its own.

#include "settings/profile_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    mirelta::ProfileFile profile = mirelta::ProfileFile::fromBytes(std::string(bytes));
    for (const char* key : {"FormVersion", "Epov_Text", "Ename_Text", "Cperson_Text"}) {
        const auto value = profile.read("TMirelta", key);
        if (value && value->size() > mirelta::ProfileFile::kMaxValueLength) {
            __builtin_trap();
        }
        (void)mirelta::stored_value::parseIndex(value.value_or(""));
        (void)mirelta::stored_value::parseChecked(value.value_or(""));
    }
    // A value taken from the input itself, written and read back through a fresh parse.
    const std::string value(bytes.substr(0, std::min<std::size_t>(bytes.size(), 40)));
    std::string clean;
    for (const char c : value) {
        if (c != '\r' && c != '\n') {
            clean += c;
        }
    }
    const std::string encoded = mirelta::stored_value::encodeText(clean);
    profile.write("TMirelta", "Ename_Text", encoded);
    // Only the key's own line may change: what differs between the input and the file written
    // lies within one line of the input, or is only added.
    const std::string& written = profile.toBytes();
    std::size_t head = 0;
    while (head < bytes.size() && head < written.size() && bytes[head] == written[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < bytes.size() - head && tail < written.size() - head &&
           bytes[bytes.size() - 1 - tail] == written[written.size() - 1 - tail]) {
        ++tail;
    }
    if (bytes.substr(head, bytes.size() - head - tail).find_first_of("\r\n") !=
        std::string_view::npos) {
        __builtin_trap();
    }
    const auto reread =
        mirelta::ProfileFile::fromBytes(profile.toBytes()).read("TMirelta", "Ename_Text");
    const std::string expected = mirelta::ProfileFile::fromBytes("[s]\r\nk=" + encoded + "\r\n")
                                     .read("s", "k")
                                     .value_or("?");
    if (!reread || *reread != expected) {
        __builtin_trap();
    }
    return 0;
}
