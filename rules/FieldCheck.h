#pragma once

// The leave-field check of the six numeric fields, the same in every front end: which
// characters may stand in a number, and whether a text is accepted in a field.

#include "engine/InputField.h"
#include "engine/UnitSystem.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace Quillmere {

// 0 when the leave-field check accepts `text` (empty, or a number within the field's limits
// in the unit system), else the catalogue id of its message (not a number, a comma that
// groups no thousands, out of range).
std::int16_t LeaveFieldMessageId(std::u16string_view text, InputField field, UnitSystem units);
// The same verdict for UTF-8 text, as the command line and the page hold it. A short plain
// number accepted is also put in `read`, when given, as the computation would read it.
std::int16_t LeaveFieldMessageId(std::string_view text, InputField field, UnitSystem units,
                                 std::optional<double>* read = nullptr);

} // namespace Quillmere
