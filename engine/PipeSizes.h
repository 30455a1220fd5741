#pragma once

// Standard pipe sizes: outer diameter and wall thickness as the standards give them, so
// that an installer at a "100A Sch40" pipe need not look them up. Numbers only; which
// table a text such as "NPS 4 Sch40" means is the rules layer's to say.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace Quillmere {

inline constexpr std::size_t MaxSchedules = 13;

// A size's short name kept inside its row. Rows holding pointers would be written by the
// loader at every start, all of the tables, though most runs never look at one.
class ShortName {
public:
    static constexpr std::size_t Capacity = 15;

    template <std::size_t N>
    consteval ShortName(const char (&text)[N]) : length_(static_cast<unsigned char>(N - 1)) {
        static_assert(N - 1 <= Capacity, "a size's name is longer than a row keeps");
        for (std::size_t i = 0; i + 1 < N; ++i) {
            text_[i] = text[i];
        }
    }
    constexpr std::string_view View() const { return {text_, length_}; }
    constexpr operator std::string_view() const { return View(); }
    constexpr bool empty() const { return length_ == 0; }
    constexpr std::size_t size() const { return length_; }
    friend constexpr bool operator==(const ShortName& a, std::string_view b) {
        return a.View() == b;
    }

private:
    char text_[Capacity]{};
    unsigned char length_;
};

// One size of a standard. A wall of 0 means the standard gives none for that schedule.
// Inch figures only where the standard itself gives them (ASME); 0 elsewhere.
struct PipeSizeRow {
    ShortName Size;  // "100A", "1-1/2" (NPS), "100" (PVC nominal size)
    ShortName Alias; // the JIS inch designation "4B"; empty where there is none
    double OuterMm;
    std::array<double, MaxSchedules> WallMm;
    double OuterInch = 0;
    std::array<double, MaxSchedules> WallInch{};
};

// What a standard's pipes are made of, as the pipe list names it; Any where its sizes serve
// several materials (B36.10M's are also stainless and PVC Sch 40/80 pipe).
enum class PipeMaterialKey { Any, CarbonSteel, Stainless, Pvc, DuctileIron, Copper };

// The cement-mortar lining a standard gives pipes of nominal sizes up to UpTo (inclusive),
// from the band before it; the bands in rising order.
struct LiningBand {
    double UpTo;
    double ThicknessMm;
};

// A lining standard and its bands; none for a pipe standard whose lining is not held.
struct LiningTable {
    std::string_view Standard; // "ISO 4179"
    std::string_view Edition;  // "2005"
    std::span<const LiningBand> Bands;
};

struct PipeTable {
    std::string_view Key;      // "SGP", "STPG", "SUS", "NPS", "NPS-S", "VP", "VU"
    std::string_view Standard; // "JIS G 3454"
    std::string_view Edition;  // "2017"
    // The wall columns' names ("Sch40", "STD"); a single "" where the standard has one wall.
    std::span<const std::string_view> Schedules;
    std::span<const PipeSizeRow> Rows;
    bool InchFigures; // walls and diameters given in inches as well
    PipeMaterialKey Material;
    // The cement-mortar lining of the standard's pipes ("DN100 K9 mortar"), where held.
    const LiningTable* Mortar = nullptr;
};

// Every table: JIS steel, ASME steel, PVC, ductile iron, light-gauge stainless, copper.
std::span<const PipeTable> PipeTables();

} // namespace Quillmere
