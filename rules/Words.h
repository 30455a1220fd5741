#pragma once

// A failed calculation in the catalogue's words, in the run's language.

#include "catalogue/Language.h"
#include "engine/EngineError.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Quillmere {

// The catalogue id of the description of a failure.
std::int16_t ErrorMessageId(const EngineError& error);

// The description itself, in the language of `lang` (0 Japanese, 5000 English).
std::string ErrorDescription(const EngineError& error, Language lang);

// `text` fit for a message on a terminal: control characters, DEL and bytes that are not
// UTF-8 are shown escaped (\x1b, \x00, \xff), so nothing cuts, garbles or drives the
// terminal.
std::string Printable(std::string_view text);

// The start of a long value as a message quotes it: at most `limit` bytes, cut between two
// characters (a byte that is not UTF-8 counts as one), with "..." when anything is left out.
std::string Abridged(std::string_view text, std::size_t limit = 40);

// Why a file could not be opened, written or read (an errno), in the language of
// `lang`: the common causes in the catalogue's words ("the disk is full"), others as
// the C library words them.
std::string FileProblemWords(int error, Language lang);

} // namespace Quillmere
