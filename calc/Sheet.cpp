#include "calc/Sheet.h"

#include "calc/Output.h"
#include "catalogue/Catalogue.h"
#include "report/CsvStream.h"
#include "report/JobSheet.h"
#include "rules/TextFold.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace QuillmereCalc {

using namespace Quillmere;
namespace {

// Outputs of earlier versions wrote notes only when the helpers were used: their first
// four result columns are always there.
constexpr std::size_t AlwaysAdded = 4;
static_assert(ResultColumns[AlwaysAdded] == Column::Notes);

// What the helpers chose, why a spacing is 0.00, and the converter's check of a measured
// fluid velocity.
std::string NotesOf(const JobReading& outcome) {
    if (!outcome.Ok || (outcome.Pipe.Table == nullptr && outcome.Temperature.empty() &&
                        outcome.Warning.empty() && !outcome.HowSure.Measured)) {
        return {};
    }
    std::vector<std::string> lines = HelperLines(outcome);
    if (!outcome.Warning.empty()) {
        lines.push_back(outcome.Warning);
    }
    if (outcome.HowSure.Measured) {
        lines.push_back(
            AssessmentLines(outcome.Record, outcome.Record.Uncertain, outcome.HowSure).back());
    }
    return Joined(lines, "; ");
}

// The result columns written: those of no group always, those of a group where the sheet or
// the options give one of its inputs (spacing_min and spacing_max beside a plus/minus).
std::vector<Column> WrittenResults(const SheetColumns& columns, const ColumnTexts& defaults) {
    std::vector<Column> written;
    for (const Column result : ResultColumns) {
        const ColumnGroup group = ColumnRecordOf(result).Group;
        const bool asked =
            group == ColumnGroup::None || std::ranges::any_of(Columns, [&](const ColumnRecord& c) {
                return c.Group == group && c.Role == ColumnRole::Input &&
                       (defaults[c.Id] || std::ranges::find(columns, c.Id) != columns.end());
            });
        if (asked) {
            written.push_back(result);
        }
    }
    return written;
}

// A result cell of a computed row: a view of the outcome's own texts, or of `made` for a
// cell made here.
std::string_view ResultCell(Column column, const JobReading& outcome,
                            std::optional<std::string_view> earlierNotes, std::string& made) {
    const DisplayTexts& shown = outcome.Record.Outcome.Display;
    const Assessment& sure = outcome.HowSure;
    switch (column) {
    case Column::Error:
        return outcome.Ok ? std::string_view() : outcome.Error;
    case Column::Notes:
        return earlierNotes ? *earlierNotes : std::string_view(made = NotesOf(outcome));
    default:
        break;
    }
    if (!outcome.Ok) {
        return {};
    }
    switch (column) {
    case Column::Result1:
        return shown.Result1;
    case Column::Result2:
        return shown.Result2;
    case Column::Circumferential:
        return shown.Circumferential;
    case Column::SpacingMin:
    case Column::SpacingMax:
        if (!sure.Toleranced) {
            return {};
        }
        return made = PlainLengthText(column == Column::SpacingMin ? sure.SpacingMinMm
                                                                   : sure.SpacingMaxMm,
                                      outcome.Units);
    case Column::UpstreamMin:
    case Column::DownstreamMin: {
        if (!outcome.Site) {
            return {};
        }
        const StraightRun& side =
            column == Column::UpstreamMin ? outcome.Site->Up : outcome.Site->Down;
        return side.Kind
                   ? std::string_view(made = RunLengthFigure(side.RequiredMm, outcome.Units, true))
                   : std::string_view();
    }
    default:
        return {};
    }
}

// A sheet row as it came, then its results or its error (and what the helpers chose, and
// why a spacing is 0.00: the sheet is the record kept). An output sheet given again takes
// rows as wide as its input columns (`inputWidth`) as new rows: a row refused for its width
// that would come out exactly that wide gets one empty field more, never to be read so.
// `earlierNotes`: the notes the row had where it computes to the results it had (a jobs
// file's notes name the standard size its dimensions came from, which no column says).
// `asRead`: the row's bytes as the sheet gave them, where they are its fields written again.
void WriteRow(CsvWriter& writer, const std::vector<std::string_view>& row,
              std::optional<std::string_view> asRead, const JobReading& outcome,
              const std::vector<Column>& results, std::size_t inputWidth,
              std::optional<std::string_view> earlierNotes) {
    if (asRead) {
        writer.Fields(*asRead);
    } else {
        for (const std::string_view cell : row) {
            writer.Field(cell);
        }
    }
    std::string made;
    for (const Column column : results) {
        writer.Field(ResultCell(column, outcome, earlierNotes, made));
    }
    if (row.size() != inputWidth && row.size() + results.size() == inputWidth) {
        writer.Field(std::string_view());
    }
    writer.EndRecord();
}

void WriteHeader(CsvWriter& writer, const std::vector<std::string>& header,
                 const std::vector<Column>& results) {
    for (const std::string& column : header) {
        writer.Field(column);
    }
    for (const Column extra : results) {
        writer.Field(ColumnName(extra));
    }
    writer.EndRecord();
}

// An output sheet, its failed rows corrected, is given again: its earlier results are
// computed anew, neither read as inputs nor kept beside the new ones.
struct EarlierResults {
    std::size_t At = 0;
    std::vector<Column> Found; // the result columns there, in their order; none
    std::size_t Width = 0;     // of the header as written
    std::size_t Count() const { return Found.size(); }
};

// A row's earlier results, by column, as it was given again; all empty for a new row.
using EarlierCells = std::array<std::string_view, ColumnCount>;

EarlierCells EarlierOf(const std::vector<std::string_view>& row, const EarlierResults& results) {
    EarlierCells cells{};
    if (!results.Found.empty() && row.size() == results.Width) {
        for (std::size_t i = 0; i < results.Found.size(); ++i) {
            cells[static_cast<std::size_t>(results.Found[i])] = row[results.At + i];
        }
    }
    return cells;
}

// The notes a row given again keeps: its own, where it computes to the results it had.
std::optional<std::string_view> KeptNotes(const EarlierCells& before, const JobReading& outcome) {
    const auto cell = [&before](Column c) { return Unpadded(before[static_cast<std::size_t>(c)]); };
    const DisplayTexts& shown = outcome.Record.Outcome.Display;
    if (!outcome.Ok || cell(Column::Notes).empty() || cell(Column::Result1) != shown.Result1 ||
        cell(Column::Result2) != shown.Result2 ||
        cell(Column::Circumferential) != shown.Circumferential || !cell(Column::Error).empty()) {
        return std::nullopt;
    }
    return before[static_cast<std::size_t>(Column::Notes)];
}

template <typename Text> void Drop(std::vector<Text>& record, const EarlierResults& results) {
    const auto first = record.begin() + static_cast<std::ptrdiff_t>(results.At);
    record.erase(first, first + static_cast<std::ptrdiff_t>(results.Count()));
}

// The result columns an earlier output wrote: result1 to error, then what follows of the
// others (notes, spacing_min ...), taken off the header.
EarlierResults WithoutEarlierResults(std::vector<std::string>& header) {
    const auto named = [](const std::string& heading, Column column) {
        return ColumnName(column) == Unpadded(heading);
    };
    const auto always = std::span(ResultColumns).first(AlwaysAdded);
    const auto first =
        std::search(header.begin(), header.end(), always.begin(), always.end(), named);
    EarlierResults found{static_cast<std::size_t>(first - header.begin()), {}, header.size()};
    if (first != header.end()) {
        found.Found.assign(always.begin(), always.end());
        for (auto next = first + AlwaysAdded; next != header.end(); ++next) {
            const std::span<const Column> others = std::span(ResultColumns).subspan(AlwaysAdded);
            const auto more =
                std::ranges::find_if(others, [&](Column c) { return named(*next, c); });
            if (more == others.end() ||
                std::ranges::find(found.Found, *more) != found.Found.end()) {
                break;
            }
            found.Found.push_back(*more);
        }
    }
    Drop(header, found);
    return found;
}

// One record of the sheet read and computed into a fresh `outcome`; false, with nothing read
// into `input`, for a record of another width than the header (`headerWidth` as written,
// earlier results included). `input` holds the texts of the row before (the columns no
// heading names, the options' values). A record of another width, or a value under no
// heading, is refused before anything is read from it; its fields stay as they came, every
// one of them, so that the output, given again, refuses it again rather than read it
// shifted or padded. `unheaded` are the places of the columns without a heading.
bool ComputeRow(const SheetColumns& columns, const std::vector<std::size_t>& unheaded,
                std::size_t headerWidth, const std::vector<std::string_view>& row,
                const ColumnTexts& defaults, ColumnTexts& input, JobReading& outcome) {
    if (row.size() != columns.size()) {
        // An unquoted decimal comma splits a value in two: never shift the columns.
        outcome.Lang = LanguageOf(defaults);
        const std::string header = std::to_string(headerWidth);
        outcome.Error =
            row.size() == 1
                ? Catalogue::Fill(CatalogueText(Catalogue::CalcText::RowOfOneField, outcome.Lang),
                                  {header})
                : Catalogue::Fill(CatalogueText(Catalogue::CalcText::RowLength, outcome.Lang),
                                  {std::to_string(row.size()), header});
        return false;
    }
    ReadRowTexts(columns, row, defaults, input);
    for (const std::size_t i : unheaded) {
        // Read by nobody, it would be dropped without a word.
        if (const std::string_view value = Unpadded(row[i]); !value.empty()) {
            outcome.Lang = LanguageOf(input);
            outcome.Error =
                Catalogue::Fill(CatalogueText(Catalogue::CalcText::UnheadedValue, outcome.Lang),
                                {std::to_string(i + 1), Printable(Quillmere::Abridged(value))});
            return true;
        }
    }
    ReadJob(input, outcome);
    return true;
}

// `--sheet pipes.csv > pipes.csv`: the shell has emptied the sheet before it is read (an
// empty sheet, a success that leaves no sheet); with >> the rows written would be read
// again without end.
std::string SameFileAsOutput(std::FILE* in, const std::string& name) {
    struct stat sheetFile {};
    struct stat output {};
    if (::fstat(::fileno(in), &sheetFile) == 0 && ::fstat(STDOUT_FILENO, &output) == 0 &&
        S_ISREG(sheetFile.st_mode) && sheetFile.st_dev == output.st_dev &&
        sheetFile.st_ino == output.st_ino) {
        return name + " is both the sheet and the output: write the output to another file" +
               (sheetFile.st_size == 0 ? " (the shell has emptied the sheet already)" : "");
    }
    return {};
}

// The sheet's stream ("-" is standard input) and the name messages give it, or why it
// cannot be read.
struct OpenedSheet {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> File{nullptr, std::fclose};
    std::FILE* In = stdin;
    std::string Name;
    std::string Problem;
};

OpenedSheet OpenSheet(const std::string& path) {
    OpenedSheet sheet;
    sheet.Name = path == "-" ? std::string("standard input") : Printable(path);
    if (path != "-") {
        sheet.File.reset(std::fopen(path.c_str(), "rb"));
        if (!sheet.File) {
            sheet.Problem = "cannot read " + sheet.Name + ": " + std::strerror(errno);
            return sheet;
        }
        sheet.In = sheet.File.get();
    }
    sheet.Problem = SameFileAsOutput(sheet.In, sheet.Name);
    return sheet;
}

template <typename Text> bool AllUtf8(const std::vector<Text>& record) {
    return std::ranges::all_of(record, [](std::string_view field) { return IsUtf8(field); });
}

// A spreadsheet's Shift-JIS export, most likely: said, never guessed at.
std::string NotUtf8(const CsvReader& reader) {
    return AtLine(reader) + "not UTF-8, save the sheet as UTF-8";
}

// The header record, without earlier results, and the columns it names; nullopt with
// `problem` set when it cannot be used. A sheet without a header (an empty file, a file of
// empty lines) is not a sheet of no rows: most likely the wrong file, or one not yet saved.
std::optional<SheetColumns> ReadHeader(CsvReader& reader, std::vector<std::string>& header,
                                       EarlierResults& earlier, std::string& problem) {
    if (!NextRecord(reader, header)) {
        problem = reader.Failed()
                      ? Describe(reader)
                      : std::string("empty, without even a header row naming the columns");
        return std::nullopt;
    }
    if (!AllUtf8(header)) {
        problem = NotUtf8(reader);
        return std::nullopt;
    }
    earlier = WithoutEarlierResults(header);
    return HeaderColumns(header, problem);
}

// A row's case as one line of JSON; a row refused for its width keeps its fields there.
void WriteJsonLine(CsvWriter& writer, const std::vector<std::string_view>& row, std::size_t width,
                   const ColumnTexts& input, const JobReading& outcome) {
    // A row of another width has no column to put its fields in.
    writer.Raw(ToJson(input, outcome, row.size() != width ? &row : nullptr));
    writer.Raw("\n");
}

} // namespace

int RunSheet(const std::string& path, const ColumnTexts& defaults, bool json) {
    const OpenedSheet sheet = OpenSheet(path);
    if (!sheet.Problem.empty()) {
        return Fail(sheet.Problem);
    }
    const std::string& name = sheet.Name;
    CsvReader reader(sheet.In);
    std::vector<std::string> header;
    EarlierResults earlier;
    std::string problem;
    const auto columns = ReadHeader(reader, header, earlier, problem);
    if (!columns) {
        return Fail(name + ": " + problem);
    }
    CsvWriter writer(stdout);
    const std::vector<Column> results = WrittenResults(*columns, defaults);
    if (!json) {
        WriteHeader(writer, header, results);
    }

    bool allComputed = true;
    std::size_t withoutSensor = 0;
    std::vector<std::string_view> row; // views of the reader's bytes, until the next row
    // Each row's texts, read into one place: the columns no heading names keep the options'
    // values from row to row, and a row of another width is read from no column.
    ColumnTexts rowTexts = defaults;
    std::vector<std::size_t> unheaded; // most sheets have none: no cell to look at a row
    for (std::size_t i = 0; i < columns->size(); ++i) {
        if (!(*columns)[i]) {
            unheaded.push_back(i);
        }
    }
    const ColumnTexts noTexts;
    JobReading outcome; // renewed for each row
    while (!writer.Failed() && NextRecord(reader, row)) {
        // A line read in one pass is checked whole: its commas split no character.
        if (!reader.Ascii() && !(reader.Unquoted() ? IsUtf8(*reader.Unquoted()) : AllUtf8(row))) {
            writer.Flush(); // the rows before it are kept
            return Fail(name + ": " + NotUtf8(reader));
        }
        // Most sheets are new ones, whose rows have no earlier cells to take apart.
        std::optional<EarlierCells> before;
        if (earlier.Count() > 0) {
            before = EarlierOf(row, earlier);
            if (row.size() == earlier.Width) {
                Drop(row, earlier);
            }
        }
        Renew(outcome);
        const ColumnTexts& input =
            ComputeRow(*columns, unheaded, earlier.Width, row, defaults, rowTexts, outcome)
                ? rowTexts
                : noTexts;
        allComputed = allComputed && outcome.Ok;
        withoutSensor += outcome.Ok && NamesNoSensor(input) ? 1 : 0;
        if (json) {
            WriteJsonLine(writer, row, columns->size(), input, outcome);
            continue;
        }
        if (!outcome.Warning.empty()) {
            std::fprintf(stderr, "quillmere-calc: %s: %s%s\n", name.c_str(), AtLine(reader).c_str(),
                         outcome.Warning.c_str());
        }
        // A row read in one pass, none of its fields guarded, is copied back whole.
        const std::optional<std::string_view> asRead =
            reader.Unquoted() && !before && std::ranges::all_of(row, CsvWriter::UnquotedAsItStands)
                ? reader.Unquoted()
                : std::nullopt;
        WriteRow(writer, row, asRead, outcome, results, columns->size(),
                 before ? KeptNotes(*before, outcome) : std::nullopt);
    }
    if (!writer.Flush()) {
        return OutputFailed();
    }
    if (withoutSensor > 0 && !json) {
        std::fprintf(stderr, "quillmere-calc: %s: %zu row%s named no sensor type: %s\n",
                     name.c_str(), withoutSensor, withoutSensor == 1 ? "" : "s", ForReserve.data());
    }
    if (reader.Failed()) {
        return Fail(name + ": " + Describe(reader));
    }
    return allComputed ? 0 : 1;
}

} // namespace QuillmereCalc
