#include "rules/JobIdentity.h"

#include "catalogue/Catalogue.h"
#include "rules/Utf8.h"

namespace Quillmere {

namespace {

// C0 and C1 controls, DEL, and the line and paragraph separators a summary line would break
// at.
bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// Invisible characters that change how the text around them reads: the bidirectional
// embeddings, overrides and isolates (a tag with them shows the figures after it reversed:
// 63.11 as 11.36) and their marks, and the zero-width ones, which make two names that
// look the same differ, in a file name as anywhere.
bool IsFormatCharacter(char32_t c) {
    return c == 0x061C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) ||
           (c >= 0x2066 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB);
}

} // namespace

std::string IdentityProblem(IdentityItem item, std::string_view text, Language lang) {
    const IdentityRecord& record = IdentityItems[static_cast<std::size_t>(item)];
    const auto refused = [&](std::int16_t id, std::string_view extra = {}) {
        return Catalogue::Fill(Catalogue::Text(id, lang),
                               {Catalogue::Text(record.CaptionId, lang), extra});
    };
    std::size_t characters = 0;
    for (std::string_view rest = text; !rest.empty(); ++characters) {
        const auto [c, length] = Utf8CodePoint(rest);
        if (length == 0) {
            return refused(Catalogue::JobText::NotUtf8);
        }
        if (IsControl(c)) {
            return refused(Catalogue::JobText::ControlCharacter);
        }
        if (IsFormatCharacter(c)) {
            return refused(Catalogue::JobText::FormatCharacter);
        }
        rest.remove_prefix(length);
    }
    if (characters > record.MaxLength) {
        return refused(Catalogue::JobText::TooLong, std::to_string(record.MaxLength));
    }
    return {};
}

std::string ReportFileName(std::string_view tag, std::string_view stamp) {
    constexpr std::size_t MaxTagCharacters = 40;
    std::string safe;
    std::size_t characters = 0;
    bool gap = false; // a run of refused characters, written as one '-'
    for (std::string_view rest = tag; !rest.empty() && characters < MaxTagCharacters;) {
        const auto [c, length] = Utf8CodePoint(rest);
        const std::size_t taken = length == 0 ? 1 : length;
        const bool kept = length != 0 && !IsControl(c) && !IsFormatCharacter(c) && c != 0x3000 &&
                          (c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                           (c >= 'a' && c <= 'z') || c == '-' || c == '_' || c == '.');
        if (kept) {
            if (gap && !safe.empty()) {
                safe += '-';
                ++characters;
            }
            gap = false;
            safe.append(rest.substr(0, taken));
            ++characters;
        } else {
            gap = true;
        }
        rest.remove_prefix(taken);
    }
    // A leading dot would hide the file; dots and dashes at the end read as typing slips.
    while (!safe.empty() && (safe.front() == '.' || safe.front() == '-')) {
        safe.erase(0, 1);
    }
    while (!safe.empty() && (safe.back() == '.' || safe.back() == '-')) {
        safe.pop_back();
    }
    return "quillmere-" + (safe.empty() ? std::string() : safe + "-") + std::string(stamp) + ".pdf";
}

} // namespace Quillmere
