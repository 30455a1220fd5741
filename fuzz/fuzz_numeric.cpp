// The leave-field character check together with the text-to-number conversion: a text the
// check accepts either converts to a finite number or is refused; nothing returns NaN.
#include "FuzzTargets.h"
#include "engine/Engine.h"
#include "shell/RunSettings.h"

#include <cmath>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::u16string wide;
    for (unsigned char c : bytes) {
        wide.push_back(c < 0xF0 ? char16_t{c} : static_cast<char16_t>(0xFF10 + (c & 0x0F)));
    }
    const std::int32_t length = static_cast<std::int32_t>(wide.size());
    const std::int32_t verdict = RunSettings::IsNumericText(wide, length);
    if (verdict == 1 && !wide.empty()) {
        std::abort();
    }
    try {
        const double value = Quillmere::ParseNumberText(bytes);
        if (!std::isfinite(value)) {
            std::abort();
        }
        // Whatever converts is made only of characters the check allows.
        if (verdict != 0) {
            std::abort();
        }
        if (Quillmere::HasMisplacedComma(bytes)) {
            std::abort(); // a decimal comma never converts
        }
        (void)Quillmere::DefaultNumberText(value);
        // Every grouping the program writes reads back.
        const std::string grouped = Quillmere::FormatGroupedFixed(value, 3);
        if (Quillmere::HasMisplacedComma(grouped)) {
            std::abort();
        }
        (void)Quillmere::ParseNumberText(grouped);
    } catch (const Quillmere::EngineError& error) {
        if (error.kind() != Quillmere::ErrorKind::TypeMismatch &&
            error.kind() != Quillmere::ErrorKind::Overflow) {
            std::abort();
        }
    }
    return 0;
}
