// The profile reader on arbitrary file contents: never crashes, finds values inside the
// content, and the integer read stays within 32 bits.
#include "FuzzTargets.h"
#include "ModFileProc.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    for (std::string_view key : {"UNIT_FLAG", "LANG_FLAG", "INI_FILENAME", "", "="}) {
        for (std::string_view section : {"SYSTEM", "system", "", "]"}) {
            const auto value = ModFileProc::Detail::FindValue(content, section, key);
            if (!value) {
                continue;
            }
            // A value is a view into the content, never past it.
            if (!value->empty() && (value->data() < content.data() ||
                                    value->data() + value->size() > content.data() + size)) {
                std::abort();
            }
            (void)ModFileProc::Detail::ParseInt(*value);
        }
    }
    return 0;
}
