// The profile reader on arbitrary file contents: never crashes, finds values inside the
// content, and the integer read stays within 32 bits; a UTF-16 file becomes well-formed
// UTF-8.
#include "FuzzTargets.h"
#include "report/CsvStream.h"
#include "shell/IniFile.h"

#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string decoded = IniFile::Detail::DecodedProfile(bytes);
    if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) {
        if (!Quillmere::IsUtf8(decoded)) {
            std::abort();
        }
    } else if (decoded != bytes) {
        std::abort();
    }
    const std::string_view content(decoded);
    for (std::string_view key : {"UNIT_FLAG", "LANG_FLAG", "INI_FILENAME", "", "="}) {
        for (std::string_view section : {"SYSTEM", "system", "", "]"}) {
            const auto value = IniFile::Detail::FindValue(content, section, key);
            if (!value) {
                continue;
            }
            // A value is a view into the content, never past it.
            if (!value->empty() &&
                (value->data() < content.data() ||
                 value->data() + value->size() > content.data() + content.size())) {
                std::abort();
            }
            (void)IniFile::Detail::ParseInt(*value);
        }
    }
    return 0;
}
