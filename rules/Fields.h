#pragma once

// The six numeric input fields, described once: their captions, units, limits and typing
// lengths, the job sheet's column and the command line's option for each, and the order
// the execute command reads them in. The window's rows, the page's rows, the leave-field
// check, the reading of the entries and quillmere-calc's columns all come from here.

#include "catalogue/CatalogueIds.h"
#include "engine/InputField.h"
#include "engine/Spacing.h"
#include "engine/UnitSystem.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Quillmere {

// What a field measures: a length (mm or inch) or a velocity (m/s or ft/s).
enum class UnitKind { Length, Velocity };

// Inclusive limits as decimal texts, as the range labels show them.
struct FieldLimits {
    std::string_view Lower;
    std::string_view Upper;
};

struct FieldRecord {
    InputField Field;
    std::string_view Name; // the window's controls: the caption; + "Text", + "_RANGE"
    std::int16_t CaptionId;
    UnitKind Unit;
    FieldLimits Metric;
    FieldLimits Imperial;
    std::string_view Column;      // the job sheet's column; "--" + it with '-' for '_' the option
    int ReadingOrder;             // the execute command reads the lengths first, then velocities
    double SpacingInputs::*Input; // what it gives the computation, in mm or m/s
};

// In the window's focus order, which is InputField's order. The lining velocity shows and
// enforces the pipe velocity's limits.
// clang-format off
inline constexpr std::array<FieldRecord, 6> Fields{{
    {InputField::OuterDiameter, "OUTER_DIAMETER", Catalogue::Id::OuterDiameter, UnitKind::Length,
     {"6.00", "6200.00"}, {"0.2362", "244.100"}, "outer_diameter", 2, &SpacingInputs::OuterDiameter},
    {InputField::PipeVelocity, "TRANS_FREQUENCY", Catalogue::Id::PipeVelocity, UnitKind::Velocity,
     {"1000", "3700"}, {"3280", "12140"}, "pipe_velocity", 3, &SpacingInputs::PipeVelocity},
    {InputField::WallThickness, "WALL_THICKNESS", Catalogue::Id::WallThickness, UnitKind::Length,
     {"0.10", "100.00"}, {"0.0039", "3.9380"}, "wall", 0, &SpacingInputs::WallThickness},
    {InputField::LiningVelocity, "LINING_S_V", Catalogue::Id::LiningVelocity, UnitKind::Velocity,
     {"1000", "3700"}, {"3280", "12140"}, "lining_velocity", 4, &SpacingInputs::LiningVelocity},
    {InputField::LiningThickness, "LINING_THICKNESS", Catalogue::Id::LiningThickness, UnitKind::Length,
     {"0.01", "100.00"}, {"0.0003", "3.9380"}, "lining_thickness", 1, &SpacingInputs::LiningThickness},
    {InputField::FluidVelocity, "FLUID_S_V", Catalogue::Id::FluidVelocity, UnitKind::Velocity,
     {"300", "2500"}, {"984", "8203"}, "fluid_velocity", 5, &SpacingInputs::FluidVelocity},
}};
// clang-format on

constexpr const FieldRecord& FieldOf(InputField field) {
    return Fields[static_cast<std::size_t>(field)];
}

constexpr const FieldLimits& LimitsOf(InputField field, UnitSystem units) {
    return units == UnitSystem::Metric ? FieldOf(field).Metric : FieldOf(field).Imperial;
}

// A field takes as many characters as its upper limit has, so that the largest value
// allowed can just be typed.
constexpr int MaxInputLength(InputField field, UnitSystem units) {
    return static_cast<int>(LimitsOf(field, units).Upper.size());
}

// The fields in the order the execute command reads them.
inline constexpr std::array<InputField, 6> ReadingOrder = [] {
    std::array<InputField, 6> order{};
    for (const FieldRecord& f : Fields) {
        order[static_cast<std::size_t>(f.ReadingOrder)] = f.Field;
    }
    return order;
}();

static_assert(std::all_of(Fields.begin(), Fields.end(),
                          [](const FieldRecord& f) { return &FieldOf(f.Field) == &f; }),
              "the table is in InputField order");
static_assert(ReadingOrder[0] == InputField::WallThickness &&
                  ReadingOrder[1] == InputField::LiningThickness &&
                  ReadingOrder[2] == InputField::OuterDiameter &&
                  ReadingOrder[5] == InputField::FluidVelocity,
              "lengths (wall, lining, outer diameter) before velocities (pipe, lining, fluid)");
static_assert(MaxInputLength(InputField::OuterDiameter, UnitSystem::Metric) == 7 &&
                  MaxInputLength(InputField::PipeVelocity, UnitSystem::Imperial) == 5 &&
                  MaxInputLength(InputField::FluidVelocity, UnitSystem::Imperial) == 4,
              "the typing lengths the window has always had");

// The unit names of a unit system: 0 length, 1 velocity ("mm", "m/s"; "inch", "ft/s").
using UnitNamesSet = std::array<std::string_view, 2>;
// The ten limit texts in their traditional order, lower and upper of outer diameter,
// velocity, wall, fluid velocity and lining thickness.
using RangeLimitsSet = std::array<std::string_view, 10>;

UnitNamesSet UnitNamesOf(UnitSystem units);
RangeLimitsSet RangeLimitsOf(UnitSystem units);

// A field's unit name in a unit system ("mm", "ft/s").
std::string_view UnitOf(InputField field, UnitSystem units);

// "[mm]", and "6.00-6200.00mm": the texts of the unit and range labels.
std::string UnitLabelText(std::string_view unit);
std::string RangeLabelText(InputField field, UnitSystem units);

// A field's text as the other unit system writes the same length or velocity, at the
// precision of that system's limits, without trailing zeros: "114.3" mm is "4.5" inch,
// 1440 m/s is "4724" ft/s. A text that is not a number (or is empty) stays as it is: it is
// refused at the press whatever the units.
std::string ConvertedFieldText(InputField field, std::string_view text, UnitSystem toUnits);

} // namespace Quillmere
