#pragma once

// A failed calculation in the catalogue's words, in the run's language.

#include "EngineError.h"

#include <cstdint>
#include <string>

namespace Quillmere {

// The catalogue id of the description of a failure.
std::int16_t ErrorMessageId(const EngineError& error);

// The description itself, in the language of `stringBase` (0 Japanese, 5000 English).
std::string ErrorDescription(const EngineError& error, std::int16_t stringBase);

} // namespace Quillmere
