// A job sheet from outside: the CSV records, the header's column names and every row read
// and computed as quillmere-calc does. Nothing crashes; a row computes or says why not.
#include "FuzzTargets.h"
#include "calc/JobJson.h"
#include "report/CsvStream.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace QuillmereCalc;
using namespace Quillmere;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::FILE* in = ::fmemopen(bytes.data(), bytes.size(), "rb");
    if (in == nullptr) {
        return 0; // fmemopen refuses an empty buffer
    }
    CsvReader reader(in);
    std::vector<std::string> header;
    if (NextRecord(reader, header)) {
        std::string problem;
        const auto columns = HeaderColumns(header, problem);
        // The problem is fit for a terminal: UTF-8, no control characters.
        if (!columns &&
            (problem.empty() || !IsUtf8(problem) ||
             problem.find_first_of(std::string("\0\x1b\r\n", 4)) != std::string::npos)) {
            std::abort();
        }
        // Options as a user would give them beside the sheet, for the blank cells.
        ColumnTexts defaults;
        defaults[Column::Units] = "imperial";
        defaults[Column::Sensor] = "VT-C1";
        std::vector<std::string_view> row;
        for (int rows = 0; columns && rows < 64 && NextRecord(reader, row); ++rows) {
            const ColumnTexts input = RowTexts(*columns, row, defaults);
            const JobReading outcome = ReadJob(input);
            if (outcome.Ok == outcome.Record.Outcome.Display.Result1.empty() ||
                outcome.Ok != outcome.Error.empty()) {
                std::abort();
            }
            // Whatever the bytes, the JSON of a row is written, never thrown.
            (void)ToJson(input, outcome);
        }
    }
    std::fclose(in);
    return 0;
}
