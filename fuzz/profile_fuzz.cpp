// Arbitrary bytes as a settings file: reading never fails, and what is written reads back.

#include "profile_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    mirelta::ProfileFile profile = mirelta::ProfileFile::fromBytes(bytes);
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
