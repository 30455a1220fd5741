#pragma once

// What the window says about an entry, without the window: the message a leave-field check
// shows for a text, and the description a failed calculation shows. Plain C++, so every
// front end answers with the same words as the window.

#include "EngineError.h"
#include "UnitSystem.h"

#include <cstdint>
#include <string_view>

namespace QuillmereUi {

inline constexpr std::int16_t NotANumberMessage = 3920;
inline constexpr std::int16_t OutOfRangeMessage = 3921;

// 0 when the leave-field check accepts `text` (empty, or a number within the field's limits
// in the unit system), else the catalogue id of its message.
std::int16_t LeaveFieldMessageId(std::u16string_view text, Quillmere::InputField field,
                                 std::int16_t unitFlag);

// The catalogue id of the description of a failed calculation.
std::int16_t ErrorMessageId(const Quillmere::EngineError& error);

} // namespace QuillmereUi
