// The string catalogue: both languages for every id the window uses, and the offset rule.
#include "catalogue/Catalogue.h"

#include <gtest/gtest.h>

#include <string>

using Quillmere::Language;

namespace {

constexpr int UsedIds[] = {1,    790,  800,  1100, 1110, 1120, 1240, 1380, 1967, 2050, 2060, 2200,
                           2210, 2760, 2770, 2780, 2790, 2800, 2810, 2820, 2830, 2840, 2850, 2860,
                           2861, 2880, 2890, 2900, 2910, 2920, 2930, 2940, 2950, 2960, 2970, 2980,
                           2990, 3000, 3010, 3020, 3030, 3040, 3050, 3060, 3070, 3080, 3090, 3100,
                           3101, 3140, 3150, 3920, 3921, 3922, 3926, 4401, 4402, 4460};

std::string Ja(std::int16_t id) {
    return std::string(Catalogue::Text(id, Language::Japanese));
}
std::string En(std::int16_t id) {
    return std::string(Catalogue::Text(id, Language::English));
}

} // namespace

TEST(Catalogue, EveryUsedIdExistsInBothLanguages) {
    static_assert(std::size(UsedIds) == 58);
    for (int id : UsedIds) {
        EXPECT_TRUE(Catalogue::Find(id)) << id;
        EXPECT_TRUE(Catalogue::Find(id + 5000)) << id + 5000;
        EXPECT_FALSE(Catalogue::Find(id)->empty()) << id;
    }
    for (std::int16_t id = Catalogue::ErrorText::TypeMismatch;
         id <= Catalogue::ErrorText::Unexpected; ++id) {
        EXPECT_FALSE(Ja(id).empty()) << id;
        EXPECT_FALSE(En(id).empty()) << id;
    }
}

// The texts the window shows as it always has are checked beside the table
// (catalogue/Catalogue.cpp), at compile time.

TEST(Catalogue, LookupFailures) {
    EXPECT_THROW(Catalogue::Text(2, Language::Japanese), std::out_of_range);
    EXPECT_THROW(Catalogue::Text(2, Language::English), std::out_of_range);
    EXPECT_THROW(Catalogue::Text(32000, Language::English), std::overflow_error);
    EXPECT_NO_THROW(Catalogue::Text(4460, Language::English)); // 9460, the largest sum in use
    EXPECT_FALSE(Catalogue::Find(0));
    EXPECT_FALSE(Catalogue::Find(-5000));
    EXPECT_FALSE(Catalogue::Find(10001));
}
