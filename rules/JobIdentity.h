#pragma once

// The job's identity: where it was measured and by whom, kept beside the computed job so
// that a summary or a report can be tied to its pipe a month later. Never an input to the
// computation.

#include "catalogue/Language.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Quillmere {

enum class IdentityItem { Site, Tag, Installer, Note };

struct IdentityRecord {
    IdentityItem Item;
    std::int16_t CaptionId;  // "SITE", "現場"
    std::string_view Column; // the sheet column; the option is "--" + Column
    std::string_view Key;    // the page's record and the JSON "job" object
    std::size_t MaxLength;   // in characters (code points)
};

inline constexpr std::array<IdentityRecord, 4> IdentityItems{{
    {IdentityItem::Site, 4530, "site", "site", 100},
    {IdentityItem::Tag, 4531, "tag", "tag", 40},
    {IdentityItem::Installer, 4532, "installer", "installer", 60},
    {IdentityItem::Note, 4533, "note", "note", 300},
}};

struct JobIdentity {
    std::array<std::string, IdentityItems.size()> Texts; // by IdentityItem

    std::string& operator[](IdentityItem item) { return Texts[static_cast<std::size_t>(item)]; }
    const std::string& operator[](IdentityItem item) const {
        return Texts[static_cast<std::size_t>(item)];
    }
    bool Empty() const {
        for (const std::string& text : Texts) {
            if (!text.empty()) {
                return false;
            }
        }
        return true;
    }
};

// Why `text` cannot be kept as `item`, in the language of `lang`; "" when it can. A
// control character (a line break, a tab, ESC) would break the summary's one line per
// caption or reach a terminal; text that is not UTF-8 cannot be printed as typed.
std::string IdentityProblem(IdentityItem item, std::string_view text, Language lang);

// The report's proposed file name, "quillmere-FT-101-20261209-034812.pdf": the tag made
// safe for a file name (path separators, blanks and characters file systems refuse become
// '-', at most 40 characters), then `stamp` (the time to the second). Without a tag,
// "quillmere-20261209-034812.pdf".
std::string ReportFileName(std::string_view tag, std::string_view stamp);

} // namespace Quillmere
