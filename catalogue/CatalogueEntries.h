#pragma once

// The catalogue's entries, kept in parts by what they are texts of; each part sorted by id.

#include "catalogue/CatalogueIds.h"

#include <span>
#include <string_view>

namespace Catalogue::Detail {

struct Entry {
    int id;
    std::string_view japanese; // stored at id
    std::string_view english;  // stored at id + 5000
};

// The window's own texts (ids below 4500).
std::span<const Entry> WindowEntries();
// The texts of what the tool adds: records, helpers, menus, files, messages (4500 on).
std::span<const Entry> ToolEntries();
// How sure a spacing is, and the converter's check (4600 on).
std::span<const Entry> CheckEntries();
// The measuring point: fittings, straight runs and the sensors' places (4700 on).
std::span<const Entry> SiteEntries();

template <std::size_t N> constexpr bool SortedAndUnique(const Entry (&entries)[N]) {
    for (std::size_t i = 1; i < N; ++i) {
        if (entries[i - 1].id >= entries[i].id) {
            return false;
        }
    }
    return true;
}

} // namespace Catalogue::Detail
