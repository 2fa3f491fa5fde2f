// Fuzz target of the INI reader: any bytes parse, and what a lookup answers obeys the
// private-profile rules whatever the file held.
#include "platform/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kelvara {
namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

int fuzzOne(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IniFile ini = IniFile::parse(text);

    const char* const sections[] = {"Preferences", "UserInterface", "", "a"};
    const char* const keys[] = {"ChineseType", "LanguageFileName", "", "k"};
    for (const char* section : sections) {
        for (const char* key : keys) {
            const std::string v = ini.value(section, key,
                                            "\x01"
                                            "default");
            if (v == "\x01"
                     "default")
                continue;
            // A found value has no blanks at its ends unless they were quoted, never holds a
            // line end, and came out of the file.
            require(v.find('\n') == std::string::npos);
            require(v.size() <= size);
            if (!v.empty() && (isBlank(v.front()) || isBlank(v.back())))
                require(text.find("\"" + v + "\"") != std::string_view::npos ||
                        text.find("'" + v + "'") != std::string_view::npos);
            // Lookups ignore the case of names.
            std::string upper(section), upperKey(key);
            for (char& c : upper)
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            for (char& c : upperKey)
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            require(ini.value(upper, upperKey, "") == v);
        }
    }
    return 0;
}

} // namespace
} // namespace kelvara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return kelvara::fuzzOne(data, size);
}
