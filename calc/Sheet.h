#pragma once

// A job sheet through quillmere-calc: read row by row, each row computed as one case, and
// written back with every field it had and its results (or one JSON line a row).

#include "calc/JobJson.h"

#include <string>

namespace QuillmereCalc {

// `path` ("-" is standard input) with `defaults` (the command line's options) for every
// row. 0 when every row computed, 1 when any did not, 2 when the sheet cannot be read or
// the output cannot be written.
int RunSheet(const std::string& path, const ColumnTexts& defaults, bool json);

} // namespace QuillmereCalc
