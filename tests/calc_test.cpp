// quillmere-calc: the CSV stream, one case read and checked as the window does, the N and
// W methods, the sketch, and the program's job-sheet behaviour and exit statuses.
#include "CsvStream.h"
#include "Job.h"
#include "JobSummary.h"
#include "Sketch.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

using namespace QuillmereCalc;

namespace {

// A file name of this test process's own, so that two runs at once do not share files.
std::string ScratchPath(const char* name) {
    return ::testing::TempDir() + "quillmere-calc-test-" + std::to_string(::getpid()) + "-" + name;
}

std::vector<std::vector<std::string>> ReadAll(const std::string& bytes) {
    std::FILE* f = ::fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    CsvReader reader(f);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    while (reader.Next(row)) {
        rows.push_back(row);
    }
    std::fclose(f);
    return rows;
}

CaseInput Case(std::initializer_list<std::pair<Column, const char*>> values) {
    CaseInput in;
    for (const auto& [column, text] : values) {
        in[column] = text;
    }
    return in;
}

struct CalcRun {
    int status;
    std::string out;
};

// Runs a command line in the shell; standard error is left alone.
CalcRun Shell(const std::string& command) {
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    return {WEXITSTATUS(status), out};
}

// Runs quillmere-calc with these arguments.
CalcRun Calc(const std::string& arguments) { return Shell(std::string(QUILLMERE_CALC) + " " + arguments); }

// Runs quillmere-calc in English on `sheet`, written to a scratch file for the run.
CalcRun CalcSheet(const std::string& sheet) {
    const std::string path = ScratchPath("sheet-of-a-test.csv");
    std::ofstream(path) << sheet;
    const CalcRun run = Calc("--lang en --sheet " + path);
    std::remove(path.c_str());
    return run;
}

// `text` as one word of the shell.
std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

} // namespace

TEST(CsvStream, ReadsWhatSpreadsheetsWrite) {
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF" "a,b\r\n1,2\r\n"), (Rows{{"a", "b"}, {"1", "2"}}));
    EXPECT_EQ(ReadAll("a,\"x,\"\"y\"\"\nz\",c\n"), (Rows{{"a", "x,\"y\"\nz", "c"}}));
    EXPECT_EQ(ReadAll("a,,\n\n"), (Rows{{"a", "", ""}, {""}}));
    EXPECT_EQ(ReadAll("a\rb"), (Rows{{"a"}, {"b"}}));
    EXPECT_EQ(ReadAll(""), Rows{});
    EXPECT_EQ(ReadAll("\xEF\xBB"), (Rows{{"\xEF\xBB"}})); // half a mark is data
    EXPECT_EQ(ReadAll("炭素鋼,\"1,234.5\""), (Rows{{"炭素鋼", "1,234.5"}}));

    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* f = ::open_memstream(&text, &size);
    {
        CsvWriter writer(f);
        for (const char* field : {"plain", "a,b", "say \"hi\"", "two\nlines"}) {
            writer.Field(field);
        }
        writer.EndRecord();
    }
    std::fclose(f);
    EXPECT_EQ(std::string(text, size), "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\"\n");
    std::free(text);
}

// What the reader makes of a sheet: its records, and the fault it stopped at with the line.
struct Read {
    std::vector<std::vector<std::string>> rows;
    CsvReader::Fault fault;
    std::size_t line;
    std::vector<bool> blank;
};
Read ReadWithFault(const std::string& bytes) {
    std::FILE* f = ::fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    CsvReader reader(f);
    Read read{};
    std::vector<std::string> row;
    while (reader.Next(row)) {
        read.rows.push_back(row);
        read.blank.push_back(reader.BlankLine());
    }
    read.fault = reader.Problem();
    read.line = reader.Line();
    std::fclose(f);
    return read;
}

TEST(CsvStream, StopsAtWhatNoSpreadsheetWritesAndSaysWhere) {
    using Fault = CsvReader::Fault;
    // A stray quote no longer swallows the rest of the sheet.
    std::string sheet = "sensor,outer_diameter,wall\n\"VT-C1,100,5\n";
    for (int i = 0; i < 1000; ++i) {
        sheet += "VT-C1,100,5\n";
    }
    Read r = ReadWithFault(sheet);
    EXPECT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.fault, Fault::UnterminatedQuote);
    EXPECT_EQ(r.line, 2u);
    // ... nor merges rows up to the next quote.
    r = ReadWithFault("a,b\n\"x,1\ny,\"2\"\nz,3\n");
    EXPECT_EQ(r.fault, Fault::TextAfterQuote);
    EXPECT_EQ(r.line, 2u);
    // A quoted line break is data, and the lines after it are still counted.
    r = ReadWithFault("a,b\n\"two\nlines\",1\n\"open");
    EXPECT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.line, 4u);
    // So is a line break the sheet starts with.
    r = ReadWithFault("\na,b\n\"open");
    EXPECT_EQ(r.line, 3u);
    // Memory is bounded within a record: one long field, or a row of nothing but commas.
    for (const std::string& row : {std::string(CsvReader::MaxRecordBytes + 1, 'x'),
                                   std::string(CsvReader::MaxRecordBytes + 1, ','),
                                   "\"" + std::string(CsvReader::MaxRecordBytes + 1, 'x') + "\""}) {
        r = ReadWithFault("a\r\nb\r\n" + row + "\r\nc\r\n");
        EXPECT_EQ(r.rows.size(), 2u);
        EXPECT_EQ(r.fault, Fault::RecordTooLong);
        EXPECT_EQ(r.line, 3u);
    }
    EXPECT_EQ(ReadWithFault(std::string(CsvReader::MaxRecordBytes - 1, 'x')).fault, Fault::None);
    // A UTF-16 sheet is named as such, whichever its byte order.
    EXPECT_EQ(ReadWithFault("\xFF\xFEs\0e\0").fault, Fault::Utf16);
    EXPECT_EQ(ReadWithFault("\xFE\xFF\0s\0e").fault, Fault::Utf16);
    // An empty line is blank; a record of one empty quoted field is a record.
    r = ReadWithFault("wall\n\n\"\"\n5\n");
    EXPECT_EQ(r.rows, (std::vector<std::vector<std::string>>{{"wall"}, {""}, {""}, {"5"}}));
    EXPECT_EQ(r.blank, (std::vector<bool>{false, true, false, false}));
}

TEST(CsvStream, Utf8CheckAndPrintableMessages) {
    EXPECT_TRUE(IsUtf8("炭素鋼 ｽﾃﾝﾚｽ VT-C1 \xF0\x9F\x98\x80"));
    for (const char* bad : {"\xFF", "\x82\xA0", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xE7\x82"}) {
        EXPECT_FALSE(IsUtf8(bad)) << Printable(bad);
    }
    // NUL as \x00: "\0" before a digit would read as another byte (VT<NUL>1 as VT\01).
    EXPECT_EQ(Printable(std::string("a\0b\x1b[31mc\x7f\xff\\", 12)), "a\\x00b\\x1b[31mc\\x7f\\xff\\\\");
    EXPECT_EQ(Printable(std::string("VT\0" "1", 4)), "VT\\x001");
    // A long value is quoted by its start, cut between characters, never inside one.
    const std::string fluid = "蒸留水" + std::string(12, 'x') + "海水の名前がとても長い";
    EXPECT_EQ(Quillmere::Abridged(fluid), "蒸留水" + std::string(12, 'x') + "海水の名前が...");
    EXPECT_EQ(Quillmere::Abridged("ab\xff\xfe", 3), "ab\xff...");
    EXPECT_EQ(Quillmere::Abridged("炭素鋼", 9), "炭素鋼");
    EXPECT_EQ(Printable("\xC2\x9B" "2J 炭素鋼"), "\\u009b2J 炭素鋼");
}

TEST(Evaluate, ReadsNamesAndValuesAsTheWindowDoes) {
    CaseOutcome o = Evaluate(Case({{Column::Lang, "en"}, {Column::Sensor, "VT-C1"},
                                   {Column::OuterDiameter, "114.3"}, {Column::Wall, "6.0"}}));
    ASSERT_TRUE(o.Ok) << o.Error;
    EXPECT_EQ(o.Record.Outcome.Display.Result1, "65.47");
    EXPECT_EQ(o.Record.Outcome.Inputs.PipeVelocity,
              3000); // carbon steel and water unless told otherwise
    EXPECT_EQ(o.Record.Outcome.Inputs.FluidVelocity, 1440);

    // Japanese and English names, a part of a sensor's list text, and its list index.
    for (const char* sensor : {"VT-A2", "vt-a1/vt-a2", "2"}) {
        o = Evaluate(Case({{Column::Sensor, sensor}, {Column::Pipe, "ｽﾃﾝﾚｽ"}, {Column::Fluid, "SEAWATER"},
                           {Column::OuterDiameter, "60.5"}, {Column::Wall, "3.9"}}));
        ASSERT_TRUE(o.Ok) << sensor << o.Error;
        EXPECT_EQ(o.Record.SensorTypeIndex, 2);
        EXPECT_EQ(o.Record.Outcome.Inputs.PipeVelocity, 3141);
        EXPECT_EQ(o.Record.Outcome.Inputs.FluidVelocity, 1522);
        EXPECT_FALSE(o.Record.Outcome.Display.Result2.empty());
    }
    // As an input method types them: "ゴム" is the list's "ｺﾞﾑ", "ステンレス" its "ｽﾃﾝﾚｽ";
    // a reading in kana ("ｶｲｽｲ") is not a name.
    for (const char* fluid : {"ｶｲｽｲ", "seawater"}) {
        o = Evaluate(Case({{Column::Sensor, "ＶＴ－Ｃ１"},
                           {Column::Mount, "ｚ"},
                           {Column::Pipe, "ステンレス"},
                           {Column::Lining, " ゴム　"}, // blanks around a name, as in a sheet
                           {Column::LiningThickness, "3"},
                           {Column::Fluid, fluid},
                           {Column::OuterDiameter, "114.3"},
                           {Column::Wall, "6"}}));
        EXPECT_EQ(o.Ok, std::string(fluid) == "seawater") << o.Error;
    }
    EXPECT_EQ(o.Record.SensorTypeIndex, 4);
    EXPECT_EQ(o.Record.Outcome.Inputs.MountMethod, 1);
    EXPECT_EQ(o.Record.Outcome.Inputs.PipeVelocity, 3141);
    EXPECT_EQ(o.Record.Outcome.Inputs.LiningVelocity, 1510);
    EXPECT_EQ(o.Record.Outcome.Inputs.FluidVelocity, 1522);
    // A typed velocity alone is the user entry (a named one beside it is refused below).
    const auto pipe = [](Column column, const char* value) {
        return std::pair{column, value};
    };
    const auto od = pipe(Column::OuterDiameter, "100");
    const auto wall = pipe(Column::Wall, "5");
    o = Evaluate(Case({pipe(Column::OuterDiameter, "4"), pipe(Column::Wall, "0.2"),
                       {Column::PipeVelocity, "3,300"}, {Column::Units, "imperial"}}));
    EXPECT_DOUBLE_EQ(o.Record.Outcome.Inputs.PipeVelocity, 3300 / 3.28083989);
    o = Evaluate(Case({od, wall, {Column::Lining, "RUBBER"}, {Column::LiningThickness, "3"}}));
    EXPECT_EQ(o.Record.Outcome.Inputs.LiningVelocity, 1510);
    EXPECT_EQ(o.Record.Outcome.Inputs.LiningThickness, 3);
}

TEST(Evaluate, RefusalsAndFailuresSpeakTheCaseLanguage) {
    struct Row {
        CaseInput in;
        const char* error;
    } rows[] = {
        {Case({{Column::Lang, "en"}, {Column::OuterDiameter, "12a"}}),
         "Any data other than a number is not allowed"},
        {Case({{Column::OuterDiameter, "5.99"}}), "入力値が範囲外です"},
        {Case({{Column::Wall, "１０"}}), "数字以外のデータは許されません"},
        {Case({{Column::Lang, "en"}, {Column::Wall, "+"}}),
         "Any data other than a number is not allowed"},
        {Case({{Column::Lang, "en"}, {Column::Pipe, "GOLD"}}), "Unknown pipe material: GOLD"},
        {Case({{Column::Sensor, "VT-Z9"}}), "不明なセンサ種類です: VT-Z9"},
        {Case({{Column::Lang, "en"}, {Column::Mount, "X"}}), "Unknown mounting method: X"},
        {Case({{Column::Units, "furlongs"}}), "Unknown unit system (metric or imperial): furlongs"},
        // A name near one of the list's is pointed to it, in the case's language.
        {Case({{Column::Lang, "en"}, {Column::Fluid, "Sea Water"}}),
         "Unknown kind of fluid: Sea Water (did you mean SEAWATER?)"},
        {Case({{Column::Pipe, "炭素"}}), "不明な配管材質です: 炭素 (炭素鋼 のことですか？)"},
        {Case({{Column::Lang, "en"}, {Column::Sensor, "vt-a"}}),
         "Unknown sensor type: vt-a (did you mean VT-A1/VT-A2?)"},
        {Case({{Column::Lang, "en"}, {Column::Lining, "rubbr"}}),
         "Unknown lining material: rubbr (did you mean RUBBER?)"},
        {Case({{Column::Lang, "en"}, {Column::Sensor, "VT"}}), "Unknown sensor type: VT"},
        // Blanks around the language and the units are padding, as in a sheet's cell.
        {Case({{Column::Lang, " EN "}, {Column::Units, " Imperial"}, {Column::Pipe, "GOLD"}}),
         "Unknown pipe material: GOLD"},
        // The window's fluid field takes four characters; it could never hold this.
        {Case({{Column::Lang, "en"}, {Column::FluidVelocity, "1,480"}}),
         "The value has more characters than its field takes: 1,480"},
        // The first refused field in the window's focus order is the one reported.
        {Case({{Column::Lang, "en"}, {Column::Wall, "x"}, {Column::OuterDiameter, "1"}}),
         "The value is outside of range"},
        // A value the chosen entry never reads would be dropped silently, the spacing not the
        // one asked for.
        {Case({{Column::Lang, "en"}, {Column::Pipe, "PVC"}, {Column::PipeVelocity, "3200"}}),
         "PVC has its own sound velocity in the table: give PVC or PIPE S.V., not both"},
        {Case({{Column::Lang, "en"}, {Column::Fluid, "WATER"}, {Column::FluidVelocity, "1500"}}),
         "WATER has its own sound velocity in the table: give WATER or FLUID S.V., not both"},
        {Case({{Column::Lining, "ｺﾞﾑ"},
               {Column::LiningVelocity, "1500"},
               {Column::LiningThickness, "2"}}),
         "ｺﾞﾑ には表の音速があります。ｺﾞﾑ か ﾗｲﾆﾝｸﾞ音速 のどちらかを指定してください"},
        {Case({{Column::Lang, "en"}, {Column::LiningThickness, "3"}}),
         "LINING THICKNESS counts only with a lining: give the LINING MATERIAL"},
        {Case({{Column::Lang, "en"},
               {Column::Lining, "NO LINING"},
               {Column::LiningVelocity, "2000"}}),
         "LINING S.V. counts only with a lining: give the LINING MATERIAL"},
    };
    for (const Row& r : rows) {
        const CaseOutcome o = Evaluate(r.in);
        EXPECT_FALSE(o.Ok);
        EXPECT_EQ(o.Error, r.error);
    }
}

TEST(Evaluate, NAndWMethodsAndTheZCircumference) {
    // Worked by hand: VT-D1/VT-D2, 200 mm PVC pipe with an 8 mm wall, fluid at 1480 m/s.
    // Wall run 6.26044, fluid run 79.19321: (6.26044 + 4.5) * 2 + fluid * k - 13.5 * 2.
    const double expected[] = {232.09809, 311.29094};
    const char* methods[] = {"N", "W"};
    for (int i = 0; i < 2; ++i) {
        const CaseOutcome o = Evaluate(Case({{Column::Sensor, "VT-D1"}, {Column::Mount, methods[i]},
                                             {Column::OuterDiameter, "200"}, {Column::Wall, "8"},
                                             {Column::Pipe, "PVC"}, {Column::FluidVelocity, "1480"}}));
        ASSERT_TRUE(o.Ok) << o.Error;
        EXPECT_NEAR(o.Record.Outcome.Breakdown.Spacing, expected[i], 1e-5) << methods[i];
        EXPECT_EQ(o.Crossings, 3 + i);
        EXPECT_TRUE(o.Record.Outcome.Display.Circumferential.empty());
    }
    const CaseOutcome v = Evaluate(Case({{Column::Sensor, "VT-D1"}, {Column::OuterDiameter, "200"},
                                         {Column::Wall, "8"}}));
    const CaseOutcome z = Evaluate(Case({{Column::Sensor, "VT-D1"}, {Column::Mount, "Z"},
                                         {Column::OuterDiameter, "200"}, {Column::Wall, "8"}}));
    const Quillmere::SpacingBreakdown& vb = v.Record.Outcome.Breakdown;
    EXPECT_NEAR(vb.Spacing - z.Record.Outcome.Breakdown.Spacing, vb.FluidRun, 1e-9);
    EXPECT_EQ(z.Record.Outcome.Display.Circumferential, "314.15"); // pi * 200 / 2, cut like a spacing
    const CaseOutcome zi = Evaluate(Case({{Column::Units, "imperial"}, {Column::Mount, "Z"},
                                          {Column::OuterDiameter, "10"}, {Column::Wall, "0.2"}}));
    EXPECT_EQ(zi.Record.Outcome.Display.Circumferential, "15.707");
}

TEST(Sketch, IsWellFormedAndDimensionsThePrintedSpacing) {
    for (const char* mount : {"V", "Z", "N", "W"}) {
        const CaseOutcome o = Evaluate(Case({{Column::Sensor, "VT-C1"}, {Column::Mount, mount},
                                             {Column::OuterDiameter, "1,114.3"}, {Column::Wall, "6.0"},
                                             {Column::Lining, "RUBBER"}, {Column::LiningThickness, "3"}}));
        ASSERT_TRUE(o.Ok);
        const std::string svg = Quillmere::SketchSvg(o.Record);
        std::smatch m;
        ASSERT_TRUE(std::regex_search(svg, m, std::regex("<text id=\"spacing\"[^>]*>([^<]*)</text>")));
        EXPECT_EQ(m[1].str(), o.Record.Outcome.Display.Result1 + " mm");
        const std::string path = ScratchPath("sketch.svg");
        std::ofstream(path) << svg;
        EXPECT_EQ(std::system(("xmllint --noout " + path).c_str()), 0) << mount;
        std::remove(path.c_str());
    }
    // In the case's language and unit system.
    const std::string ja = Calc("--lang ja --units imperial --outer-diameter 4.5 --wall 0.25 --sketch -").out;
    EXPECT_NE(ja.find(">尺度 1:"), std::string::npos);
    EXPECT_NE(ja.find(" inch</text>"), std::string::npos);
}

// An earlier drawing is replaced only by a whole one: a full disk (here a file size limit)
// reports the failure and leaves it as it was, with nothing left beside it. The
// replacement keeps the file's permissions, and a link stays a link.
TEST(Sketch, ReplacesAFileOnlyWhenWhole) {
    const std::string folder = ScratchPath("sketches");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    const std::string drawing = folder + "/job.svg";
    std::ofstream(drawing) << "earlier";
    std::filesystem::permissions(drawing, std::filesystem::perms::owner_read |
                                              std::filesystem::perms::owner_write |
                                              std::filesystem::perms::group_read);
    const std::string draw = " --outer-diameter 100 --wall 5 --sketch ";
    const CalcRun full = Shell("trap '' XFSZ; ulimit -f 2; " + std::string(QUILLMERE_CALC) + draw +
                               drawing + " 2>&1");
    EXPECT_EQ(full.status, 2);
    EXPECT_NE(full.out.find("quillmere-calc: cannot write " + drawing + ": File too large"),
              std::string::npos);
    const auto content = [](const std::string& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(content(drawing), "earlier");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);

    std::filesystem::create_symlink("job.svg", folder + "/link.svg");
    EXPECT_EQ(Calc(draw + folder + "/link.svg").status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(folder + "/link.svg"));
    EXPECT_EQ(content(drawing).rfind("<?xml", 0), 0u);
    EXPECT_EQ(std::filesystem::status(drawing).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);

    // A drawing made read-only stays, though its folder would take the replacement (root
    // may write anything, so as root the program runs as nobody).
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    std::filesystem::remove(drawing);
    std::ofstream(drawing) << "kept";
    std::filesystem::permissions(drawing, std::filesystem::perms::owner_read |
                                              std::filesystem::perms::group_read |
                                              std::filesystem::perms::others_read);
    const std::string user =
        ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    EXPECT_EQ(Shell(user + QUILLMERE_CALC + draw + drawing + " 2>/dev/null").status, 2);
    EXPECT_EQ(content(drawing), "kept");
    std::filesystem::remove_all(folder);
}

TEST(Program, JobSheetKeepsEveryRowInOrderAndReportsByExitStatus) {
    const std::string sheet = ScratchPath("sheet.csv");
    std::ofstream(sheet, std::ios::binary) << "\xEF\xBB\xBFsensor,outer_diameter,wall,pipe\r\n"
                                              "VT-C1,114.3,6.0,炭素鋼\r\n"
                                              "VT-C1,12a,6.0,\r\n"
                                              "VT-C1,\"1,234.5\",10,\"CARBON STEEL\"\r\n"
                                              "VT-C1,100\r\n"
                                              "VT-C1\r\n";
    const CalcRun run = Calc("--lang en --sheet " + sheet);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "sensor,outer_diameter,wall,pipe,result1,result2,circumferential,error\n"
              "VT-C1,114.3,6.0,炭素鋼,65.47,,,\n"
              "VT-C1,12a,6.0,,,,,Any data other than a number is not allowed\n"
              "VT-C1,\"1,234.5\",10,CARBON STEEL,\"1,003.12\",,,\n"
              "VT-C1,100,,,,\"The row has 2 fields, the header 4 (a decimal comma? write 114.3, "
              "or quote \"\"1,234.5\"\")\"\n"
              "VT-C1,,,,\"The row has 1 field, the header 4\"\n");

    std::ofstream(sheet) << "sensor,outer_diameter,wall\nVT-C1,114.3,6\n";
    EXPECT_EQ(Calc("--sheet " + sheet).status, 0);
    // Empty lines above the header are passed over as those between rows are, not taken for
    // a header of one nameless column; line numbers still count them.
    const std::string header = "sensor,outer_diameter,wall\n";
    std::ofstream(sheet) << "\n\r\n" << header << "VT-C1,114.3,6\n\nVT-C1,\"1\n";
    const CalcRun below = Calc("--lang en --sheet " + sheet + " 2>&1");
    EXPECT_EQ(below.status, 2);
    EXPECT_EQ(below.out, header.substr(0, header.size() - 1) +
                             ",result1,result2,circumferential,error\nVT-C1,114.3,6,65.47,,,\n"
                             "quillmere-calc: " +
                             sheet + ": line 6: a quoted field is never closed\n");
    EXPECT_EQ(Calc("--sheet - < " + sheet).out, Calc("--sheet " + sheet).out);
    EXPECT_EQ(Calc("--sheet /nonexistent/sheet.csv 2>/dev/null").status, 2);
    std::ofstream(sheet) << "sensor,colour\nVT-C1,red\n";
    EXPECT_EQ(Calc("--sheet " + sheet + " 2>/dev/null").status, 2);
    // Headings and cells as people write them by hand; the output repeats them as written.
    std::ofstream(sheet) << "Sensor, Outer Diameter ,WALL,fluid-velocity\nVT-C1, 114.3,6 ,1440\n"
                            "VT-C1,\t,6,1440\n";
    EXPECT_EQ(Calc("--lang en --sheet " + sheet).out,
              "Sensor, Outer Diameter ,WALL,fluid-velocity,result1,result2,circumferential,error\n"
              "VT-C1, 114.3,6 ,1440,65.47,,,\n"
              "VT-C1,\t,6,1440,,,,OUTER DIAMETER: enter a value.\n");
    // A spreadsheet exports empty columns after the last one used: read by nobody, they must
    // stay empty.
    std::ofstream(sheet) << "sensor,outer_diameter,wall,,\nVT-C1,114.3,6,,\nVT-C1,114.3,6,, 12\n";
    EXPECT_EQ(Calc("--lang en --sheet " + sheet).out,
              "sensor,outer_diameter,wall,,,result1,result2,circumferential,error\n"
              "VT-C1,114.3,6,,,65.47,,,\n"
              "VT-C1,114.3,6,, 12,,,,\"Column 5 has no heading, but a value: 12\"\n");
    // Options are every row's defaults, for a blank cell as for a missing column: a blank
    // units cell under --units imperial is inches, not a believable spacing of a 24 mm pipe.
    std::ofstream(sheet)
        << "units,sensor,outer_diameter,wall\nimperial,VT-A1,4.5,0.237\n,,24,0.5\n";
    EXPECT_EQ(Calc("--lang en --units imperial --sensor VT-C1 --sheet " + sheet).out,
              "units,sensor,outer_diameter,wall,result1,result2,circumferential,error\n"
              "imperial,VT-A1,4.5,0.237,3.897,33,,\n"
              ",,24,0.5,19.096,,,\n");
    EXPECT_EQ(Calc("--lang en --units imperial --sensor VT-C1 --outer-diameter 24 --wall 0.5").out,
              "SENSOR SPACING1: 19.096 [inch]\n");
    // The window's captions head columns too, in either language and width, and written as
    // the column names are (pipe_material).
    std::ofstream(sheet)
        << "SENSOR TYPE,外径寸法,Wall Thickness,ライニング材質,ﾗｲﾆﾝｸﾞ厚さ,pipe_material\n"
           "VT-C1,114.3,6,ゴム,3,\n";
    EXPECT_EQ(Calc("--sheet " + sheet).out,
              "SENSOR TYPE,外径寸法,Wall Thickness,ライニング材質,ﾗｲﾆﾝｸﾞ厚さ,pipe_material,result1,"
              "result2,circumferential,error\nVT-C1,114.3,6,ゴム,3,,63.11,,,\n");
    // An output sheet given again, a failed row corrected: its results are computed anew,
    // never read as inputs nor kept beside the new ones.
    const std::string results = "result1,result2,circumferential,error";
    std::ofstream(sheet) << "sensor,outer_diameter,wall," << results << "\n"
                         << "VT-C1,114.3,6.0,12.34,,,\n"
                            "VT-C1,114.3,8.0,,,,Any data other than a number is not allowed\n"
                            "VT-C1,114.3,6.0\nVT-C1,114.3\n";
    const CalcRun again = Calc("--lang en --sheet " + sheet);
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.out, "sensor,outer_diameter,wall," + results +
                             "\nVT-C1,114.3,6.0,65.47,,,\nVT-C1,114.3,8.0,67.49,,,\n"
                             "VT-C1,114.3,6.0,65.47,,,\n"
                             "VT-C1,114.3,,,,\"The row has 2 fields, the header 7 (a decimal "
                             "comma? write 114.3, or quote \"\"1,234.5\"\")\"\n");
    // A row of more or fewer fields than its header comes back whole, and stays refused
    // when the output is given again: never shifted, cut or padded into a valid row.
    std::ofstream(sheet) << "sensor,outer_diameter,wall\nVT-C1,114,3,6\nVT-C1,114\nVT-C1,114.3,6\n";
    const CalcRun uneven = Calc("--lang en --wall 6 --sheet " + sheet);
    EXPECT_EQ(uneven.status, 1);
    EXPECT_EQ(uneven.out.substr(0, uneven.out.find('"')),
              "sensor,outer_diameter,wall," + results + "\nVT-C1,114,3,6,,,,");
    EXPECT_NE(uneven.out.find("\nVT-C1,114,,,,\"The row has 2 fields"), std::string::npos);
    std::ofstream(sheet) << uneven.out;
    const CalcRun rerun = Calc("--lang en --wall 6 --sheet " + sheet);
    EXPECT_EQ(rerun.status, 1);
    EXPECT_EQ(rerun.out.find("114,3,,"), std::string::npos) << rerun.out;
    EXPECT_NE(rerun.out.find("\nVT-C1,114,3,6,,,,\"The row has 4 fields, the header 3"),
              std::string::npos);
    EXPECT_NE(rerun.out.find("The row has 8 fields, the header 7"), std::string::npos);
    EXPECT_NE(rerun.out.find("The row has 6 fields, the header 7"), std::string::npos);
    EXPECT_NE(rerun.out.find("\nVT-C1,114.3,6,65.47,,,\n"), std::string::npos);
    const CalcRun jsonRows = Calc("--lang en --json --sheet " + sheet + " | head -n 1");
    EXPECT_NE(jsonRows.out.find("\"record\":[\"VT-C1\",\"114\",\"3\",\"6\",\"\",\"\",\"\",\"The row"),
              std::string::npos)
        << jsonRows.out;
    // Written with its error, a short row could come out as wide as the input columns, the
    // width an output sheet takes new rows in: one empty field more keeps it refused.
    std::ofstream(sheet) << "units,lang,sensor,outer_diameter,wall\nVT-C1\n";
    const CalcRun narrow = Calc("--lang en --outer-diameter 114.3 --wall 6 --sheet " + sheet);
    EXPECT_EQ(narrow.out.substr(narrow.out.find('\n') + 1),
              "VT-C1,,,,\"The row has 1 field, the header 5\",\n");
    std::ofstream(sheet) << narrow.out;
    const CalcRun narrowAgain = Calc("--lang en --outer-diameter 114.3 --wall 6 --sheet " + sheet);
    EXPECT_EQ(narrowAgain.status, 1);
    EXPECT_NE(narrowAgain.out.find("The row has 6 fields, the header 9"), std::string::npos);
    std::ofstream(sheet) << "sensor,pipe_size," << results << ",notes\n"
                         << "VT-C1,STPG 100A Sch40,1,,,,old\n";
    EXPECT_EQ(Calc("--lang en --sheet " + sheet + " --json").out.find("old"), std::string::npos);
    EXPECT_EQ(Calc("--lang en --sheet " + sheet).out,
              "sensor,pipe_size," + results +
                  ",notes\nVT-C1,STPG 100A Sch40,65.47,,,,\"OUTER DIAMETER / WALL THICKNESS: "
                  "114.3 / 6 [mm] (STPG 100A Sch40, JIS G 3454:2017); PIPE MATERIAL: CARBON "
                  "STEEL\"\n");
    std::ofstream(sheet) << "sensor,outer_diamter,wall\nVT-C1,114.3,6\n";
    EXPECT_EQ(Calc("--sheet " + sheet + " 2>&1").out,
              "quillmere-calc: " + sheet +
                  ": unknown column \"outer_diamter\" (did you mean outer_diameter?)\n");
    std::ofstream(sheet) << "wall,Wall\n6,6\n";
    EXPECT_EQ(Calc("--sheet " + sheet + " 2>&1").out,
              "quillmere-calc: " + sheet + ": column \"Wall\" appears twice\n");
    // A spreadsheet set to another list separator.
    std::ofstream(sheet) << "sensor;outer_diameter;wall\nVT-C1;114.3;6\n";
    EXPECT_EQ(Calc("--sheet " + sheet + " 2>&1").out,
              "quillmere-calc: " + sheet +
                  ": unknown column \"sensor;outer_diameter;wall\" (its "
                  "columns are separated by \";\": save the sheet as CSV with commas)\n");
    std::remove(sheet.c_str());

    const CalcRun one = Calc("--lang en --sensor VT-A1 --outer-diameter 60.5 --wall 3.9");
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, "SENSOR SPACING1: 51 [mm]\nSENSOR SPACING2: 17\n");
    EXPECT_EQ(Calc("--outer-diameter 5 2>/dev/null").status, 1);
    EXPECT_EQ(Calc("--no-such-option 2>/dev/null").status, 2);
    // An option written as the window's caption or the sheet's column is pointed to its name.
    const CalcRun caption = Calc("--wall-thickness 6 --pipe_velocity=3000 --no-such-option 2>&1");
    EXPECT_EQ(caption.status, 2);
    EXPECT_NE(caption.out.find("quillmere-calc: for --wall-thickness, write --wall\n"
                               "quillmere-calc: for --pipe_velocity, write --pipe-velocity\n"),
              std::string::npos)
        << caption.out;
    const CalcRun slips = Calc("--sensr VT-C1 --wal=6 --lin x 2>&1");
    EXPECT_EQ(slips.status, 2);
    EXPECT_NE(slips.out.find("quillmere-calc: for --sensr, write --sensor\n"
                             "quillmere-calc: for --wal, write --wall\n"
                             "quillmere-calc: for --lin, write one of --lining, "
                             "--lining-thickness, --lining-velocity\n"),
              std::string::npos)
        << slips.out;
    EXPECT_NE(Calc("--help").out.find("--sheet"), std::string::npos);
    EXPECT_EQ(Calc("--version").out, "quillmere-calc 1.0.0\n");
    const CalcRun json = Calc("--lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6.0 --json");
    EXPECT_NE(json.out.find("\"spacing_mm\": 65.474551"), std::string::npos);
    EXPECT_NE(json.out.find("\"result1\": \"65.47\""), std::string::npos);
}

TEST(Program, MissingOrEmptyValuesAreRefusedNotComputedAsZero) {
    struct Row {
        const char* arguments;
        int status;
        const char* out; // standard output and error together
    } rows[] = {
        {"", 1, "WALL THICKNESS: enter a value.\n--wall: 0.10-100.00mm\n"},
        {"--wall 6", 1, "OUTER DIAMETER: enter a value.\n--outer-diameter: 6.00-6200.00mm\n"},
        {"--outer-diameter 114.3 --wall=", 1,
         "WALL THICKNESS: enter a value.\n--wall: 0.10-100.00mm\n"},
        // "--x=" is an empty value, never the argument after it.
        {"--wall= --outer-diameter 114.3", 1,
         "WALL THICKNESS: enter a value.\n--wall: 0.10-100.00mm\n"},
        {"--outer-diameter 114.3 --wall 6 --lining RUBBER", 1,
         "LINING THICKNESS: enter a value.\n--lining-thickness: 0.01-100.00mm\n"},
        {"--outer-diameter 114.3 --wall 6 --fluid 'FLUID S.V.'", 1,
         "FLUID S.V.: enter a value.\n--fluid-velocity: 300-2500m/s\n"},
        {"--outer-diameter 114.3 --wall 60", 1,
         "The wall and lining leave no room for the fluid: check the outer diameter and the "
         "thicknesses.\n"},
        {"--sensor VT-C1 --outer-diameter 114.3 --wall 6", 0, "SENSOR SPACING1: 65.47 [mm]\n"},
    };
    for (const Row& r : rows) {
        const CalcRun run = Calc(std::string("--lang en ") + r.arguments + " 2>&1");
        EXPECT_EQ(run.status, r.status) << r.arguments;
        EXPECT_EQ(run.out, r.out) << r.arguments;
    }
    EXPECT_EQ(Calc("--outer-diameter= 114.3 --wall 6 2>/dev/null").status, 2);
}

// The window points at a refused entry by its focus and the range beside it; the command line
// by the option and the range, the JSON by the column.
TEST(Program, RefusalsSayWhichEntryAndItsRange) {
    // Millimetres typed with --units imperial: the wall is the first entry out of range, not
    // the outer diameter, which fits the inch range as well.
    CalcRun run = Calc("--lang en --units imperial --outer-diameter 114.3 --wall 6 2>&1");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "The value is outside of range\n--wall: 0.0039-3.9380inch\n");
    run = Calc(
        "--lang en --outer-diameter 114.3 --wall 6 --pipe-velocity 33OO --pipe 'PIPE S.V.' 2>&1");
    EXPECT_EQ(run.out,
              "Any data other than a number is not allowed\n--pipe-velocity: 1000-3700m/s\n");
    // No range where the entry is not a number field, or the number is in range.
    run = Calc("--lang en --outer-diameter 114.3 --wall 60 2>&1");
    EXPECT_EQ(run.out,
              "The wall and lining leave no room for the fluid: check the outer diameter and "
              "the thicknesses.\n");

    const struct {
        std::string arguments;
        std::string column;
        std::string range;
    } rows[] = {
        {"--outer-diameter 114.3 --wall 6x", "wall", "0.10-100.00mm"},
        {"--outer-diameter 114.3 --wall 60", "outer_diameter", ""},
        {"--outer-diameter 114.3 --wall 6 --pipe GOLD", "pipe", ""},
        {"--outer-diameter 114.3 --wall 6 --fluid WATER --fluid-velocity 1500", "fluid_velocity",
         ""},
        {"--pipe-size 'NPS 7 Sch40'", "pipe_size", ""},
        {"--outer-diameter 114.3 --wall 6 --fluid-temperature 99", "fluid_temperature", ""},
        {"--outer-diameter 114.3 --wall 6 --sensor VT-Z9", "sensor", ""},
        {"--outer-diameter 114.3 --wall 6 --units imperial --fluid-velocity 9000 --fluid 'FLUID "
         "S.V.'",
         "wall", "0.0039-3.9380inch"},
    };
    for (const auto& r : rows) {
        run = Calc("--json " + r.arguments + " 2>/dev/null");
        EXPECT_EQ(run.status, 1) << r.arguments;
        const auto j = nlohmann::json::parse(run.out);
        EXPECT_EQ(j.value("error_column", ""), r.column) << r.arguments;
        EXPECT_EQ(j.value("error_range", ""), r.range) << r.arguments;
    }
    // A sheet's JSON lines carry them too; its CSV keeps the window's words only.
    const std::string sheet = ScratchPath("refusals.csv");
    std::ofstream(sheet) << "outer_diameter,wall\n5,1\n100,5\n";
    run = Calc("--json --sheet " + sheet + " 2>/dev/null");
    std::remove(sheet.c_str());
    EXPECT_NE(
        run.out.find("\"error_column\":\"outer_diameter\",\"error_range\":\"6.00-6200.00mm\""),
        std::string::npos);
    EXPECT_EQ(run.out.find("error_column", run.out.find('\n')), std::string::npos);
}

// A spacing the clamp raised to 0 computes (the window shows 0.00 too) but is no place to
// mount: the warning goes to standard error, the results stay as they are, JSON has both.
TEST(Program, SpacingClampedToZeroIsWarnedOf) {
    const std::string small = "--lang en --sensor VT-C1 --mount Z --outer-diameter 20 --wall 1";
    CalcRun run = Calc(small + " 2>/dev/null");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "SENSOR SPACING1: 0.00 [mm]\nCircumferential distance: 31.41 [mm]\n");
    run = Calc(small + " 2>&1 >/dev/null");
    EXPECT_EQ(run.out, "Note: the computed spacing is -25.67 mm, below 0, and is shown as 0; at "
                       "that spacing the beam does not reach the second sensor. Choose another "
                       "sensor type or mounting method.\n");
    auto j = nlohmann::json::parse(Calc(small + " --json").out);
    EXPECT_EQ(j["spacing_mm"], 0.0);
    EXPECT_NEAR(j["spacing_unclamped_mm"].get<double>(), -25.68, 0.01);
    EXPECT_TRUE(
        j["warning"].get<std::string>().starts_with("Note: the computed spacing is -25.67 mm"));
    j = nlohmann::json::parse(
        Calc("--sensor VT-C1 --outer-diameter 114.3 --wall 6 --json 2>&1").out);
    EXPECT_EQ(j["spacing_unclamped_mm"], j["spacing_mm"]);
    EXPECT_TRUE(j["warning"].is_null());

    const std::string sheet = ScratchPath("clamped.csv");
    std::ofstream(sheet) << "sensor,mount,outer_diameter,wall\nVT-C1,V,114.3,6\n\nVT-C1,Z,20,1\n";
    run = Calc("--lang en --sheet " + sheet + " 2>&1 >/dev/null");
    EXPECT_EQ(run.out.rfind("quillmere-calc: " + sheet +
                                ": line 4: Note: the computed spacing is -25.67 mm",
                            0),
              0u)
        << run.out;
    run = Calc("--lang en --sheet " + sheet + " 2>/dev/null");
    std::remove(sheet.c_str());
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\nVT-C1,Z,20,1,0.00,,31.41,\n"), std::string::npos) << run.out;
    // A sheet with a notes column keeps the reason beside the 0.00.
    std::ofstream(sheet) << "sensor,mount,pipe_size\nVT-C1,Z,SGP 10A\n";
    run = Calc("--lang en --sheet " + sheet + " 2>/dev/null");
    std::remove(sheet.c_str());
    EXPECT_NE(run.out.find(",0.00,,"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("CARBON STEEL; Note: the computed spacing is -24.40 mm"),
              std::string::npos)
        << run.out;
}

// The summary is the window's record of the same case, word for word, dated now.
TEST(Program, SummaryIsTheWindowsRecordOfTheCase) {
    const std::string args = "--lang en --sensor VT-A1 --mount Z --outer-diameter 60.5 --wall 3.9 "
                             "--fluid-temperature 60";
    const CalcRun run = Calc(args + " --summary");
    EXPECT_EQ(run.status, 0);
    std::smatch date;
    ASSERT_TRUE(std::regex_search(
        run.out, date, std::regex("\nDate and time: (\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d)\\n")))
        << run.out;
    const CaseOutcome o = Evaluate(Case({{Column::Lang, "en"},
                                         {Column::Sensor, "VT-A1"},
                                         {Column::Mount, "Z"},
                                         {Column::OuterDiameter, "60.5"},
                                         {Column::Wall, "3.9"},
                                         {Column::FluidTemperature, "60"}}));
    EXPECT_EQ(run.out, Quillmere::JobSummary(o.Record, date[1], "1.0.0"));
    EXPECT_NE(run.out.find("FLUID S.V.: 1551 m/s (WATER 60 °C, Marczak 1997)\n"),
              std::string::npos);

    // One case, on standard output alone; a refused case has no record.
    EXPECT_EQ(Calc(args + " --summary --sheet x 2>&1").out,
              "quillmere-calc: --summary tells of one case, not a sheet\n");
    for (const char* other : {" --json", " --sketch -"}) {
        EXPECT_EQ(Calc(args + " --summary" + other + " 2>&1").out,
                  "quillmere-calc: only one of --json, --summary and --sketch - can write to "
                  "standard output\n");
    }
    const CalcRun refused = Calc("--lang en --sensor VT-A1 --outer-diameter 5 --wall 1 --summary");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
}

// A case that names no sensor type computes for the list's first entry, as the window opens,
// but unseen: standard error says so, once for a sheet, and the output stays as it was.
TEST(Program, NoSensorTypeGivenIsSaid) {
    const CalcRun one = Calc("--lang en --outer-diameter 114.3 --wall 6 2>&1");
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, "SENSOR SPACING1: 100.54 [mm]\nquillmere-calc: no --sensor given: computed "
                       "for RESERVE, the sensor list's first entry\n");
    EXPECT_EQ(Calc("--sensor RESERVE --outer-diameter 114.3 --wall 6 2>&1").out.find("RESERVE"),
              std::string::npos);
    const std::string sheet = ScratchPath("no-sensor.csv");
    std::ofstream(sheet) << "sensor,outer_diameter,wall\nVT-C1,114.3,6\n,100,5\n ,100,5\n";
    const CalcRun rows = Calc("--lang en --sheet " + sheet + " 2>&1 >/dev/null");
    EXPECT_EQ(rows.out, "quillmere-calc: " + sheet +
                            ": 2 rows named no sensor type: computed for "
                            "RESERVE, the sensor list's first entry\n");
    EXPECT_EQ(Calc("--sensor VT-C1 --sheet " + sheet + " 2>&1 >/dev/null").out, "");
    std::remove(sheet.c_str());
}

TEST(Program, HelpExamplesRunAsPrinted) {
    const std::string help = Calc("--help").out;
    const std::regex example("\n  (quillmere-calc [^\n\\\\]*(\\\\\n[^\n\\\\]*)*)");
    int ran = 0;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), example); it != std::sregex_iterator();
         ++it) {
        std::string line = std::regex_replace((*it)[1].str(), std::regex("\\\\\n *"), "");
        if (line.find("--sheet") != std::string::npos) {
            continue; // names a file of the reader's own
        }
        line.erase(0, std::string("quillmere-calc ").size());
        EXPECT_EQ(Calc(line + " >/dev/null 2>&1").status, 0) << line;
        ++ran;
    }
    EXPECT_GE(ran, 2);
    // Readable in an 80-column terminal: a kana or kanji takes two columns.
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        std::size_t columns = 0;
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            columns += (byte & 0xC0) != 0x80 ? (byte >= 0xE3 && byte <= 0xE9 ? 2 : 1) : 0;
        }
        EXPECT_LE(columns, 80u) << line;
    }
}

// Input from outside, as a spreadsheet or a script may give it: the program never aborts,
// keeps what it computed, and says what is wrong on standard error with exit status 2.
TEST(Program, HostileInputNeverAbortsNorLosesOutput) {
    struct Row {
        const char* name;
        std::string command; // arguments, with shell redirections
        int status;
        std::string out;     // the start of standard output and error together
    } rows[] = {
        {"option not UTF-8", "--json --sensor $'\\xff' 2>&1", 2,
         "quillmere-calc: --sensor: not UTF-8\n"},
        {"Shift-JIS sheet keeps the rows before it",
         "--json --sheet - 2>&1 <<< $'sensor,outer_diameter,wall\\nVT-C1,100,5\\n\\x82\\xa0,100,5'",
         2, "{\"inputs\":{\"sensor\":\"VT-C1\""},
        {"full disk, one case", "--sensor VT-C1 --outer-diameter 100 --wall 5 2>&1 >/dev/full", 2,
         "quillmere-calc: cannot write the output: No space left on device\n"},
        {"full disk, help", "--help 2>&1 >/dev/full", 2,
         "quillmere-calc: cannot write the output: No space left on device\n"},
        {"full disk, version", "--version 2>&1 >/dev/full", 2,
         "quillmere-calc: cannot write the output: No space left on device\n"},
        {"full disk, a long sheet",
         "--sheet - 2>&1 >/dev/full < <(echo sensor,outer_diameter,wall; yes VT-C1,100,5 | head -n "
         "5000)",
         2, "quillmere-calc: cannot write the output"},
        {"endless record", "--sheet /dev/zero 2>&1", 2,
         "quillmere-calc: /dev/zero: line 1: record too long (a job sheet row is at most 64 "
         "KiB)\n"},
        {"a folder as the sheet", "--sheet / 2>&1", 2,
         "quillmere-calc: /: cannot read it: Is a directory\n"},
        {"no such sheet", "--sheet /nonexistent/pipes.csv 2>&1", 2,
         "quillmere-calc: cannot read /nonexistent/pipes.csv: No such file or directory\n"},
        {"empty sheet name", "--sheet '' 2>&1", 2,
         "quillmere-calc: --sheet: the file name is empty"},
        {"empty sheet name after =", "--sheet= 2>&1", 2,
         "quillmere-calc: --sheet: the file name is empty"},
        {"empty sketch name", "--outer-diameter 100 --wall 5 --sketch '' 2>&1", 2,
         "quillmere-calc: --sketch: the file name is empty"},
        {"sketch to standard output",
         "--sensor VT-C1 --outer-diameter 100 --wall 5 --sketch - 2>&1", 0,
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg"},
        {"an empty quoted value is a row",
         "--lang en --outer-diameter 100 --sheet - 2>&1 <<< $'wall\\n\"\"\\n5'", 1,
         "wall,result1,result2,circumferential,error\n,,,,WALL THICKNESS: enter a "
         "value.\n5,87.57,,,\n"},
        {"control characters in a header", "--sheet - 2>&1 <<< $'sen\\x1b[31msor\\x01'", 2,
         "quillmere-calc: standard input: unknown column \"sen\\x1b[31msor\\x01\" (quillmere-calc "
         "--help "
         "lists the columns)\n"},
        // Escaped once, wherever the message is written: a backslash typed stays one escape.
        {"control characters in a name", "--lang en --sensor $'VT\\nC1\\\\' 2>&1", 1,
         "Unknown sensor type: VT\\x0aC1\\\\ (did you mean VT-C1?)\n"},
        {"control characters in a size", "--lang en --sheet - 2>&1 <<< $'pipe_size\\nSGP\\e 100A'",
         1,
         "pipe_size,result1,result2,circumferential,error,notes\nSGP\x1b 100A,,,,\"SGP has no size "
         "\\x1b100A; nearest: 6A, 8A, 10A\",\n"},
        {"NUL in a header", "--sheet - 2>&1 < <(printf 'a\\0b\\n')", 2,
         "quillmere-calc: standard input: unknown column \"a\\x00b\""},
        // A sheet without a header is no sheet of no rows: the wrong file, or one not saved.
        {"empty sheet file", "--sheet - 2>&1 </dev/null", 2,
         "quillmere-calc: standard input: empty, without even a header row naming the columns\n"},
        {"a sheet of empty lines", "--sheet - 2>&1 <<< $'\\n\\r\\n'", 2,
         "quillmere-calc: standard input: empty, without even a header row naming the columns\n"},
        // No byte typed means "no value": DEL is refused as the value it is.
        {"DEL as a sensor", "--lang en --outer-diameter 114.3 --wall 6 --sensor $'\\x7f' 2>&1", 1,
         "Unknown sensor type: \\x7f\n"},
        {"DEL as a temperature",
         "--lang en --outer-diameter 114.3 --wall 6 --fluid-temperature $'\\x7f' 2>&1", 1,
         "Any data other than a number is not allowed\n"},
        {"DEL as units", "--lang en --outer-diameter 114.3 --wall 6 --units $'\\x7f' 2>&1", 1,
         "Unknown unit system (metric or imperial): \\x7f\n"},
        {"DEL as a pipe size", "--lang en --sensor VT-C1 --pipe-size $'\\x7f' 2>&1", 1,
         "Unknown pipe standard: \\x7f (start with one of SGP"},
        {"DEL as a sheet", "--sheet $'\\x7f' 2>&1", 2,
         "quillmere-calc: cannot read \\x7f: No such file or directory\n"},
        // The parser's own messages quote arguments: escaped, never sent to the terminal raw.
        {"escape sequence in an option", "$'--\\x1b[2Jwall' 6 2>&1", 2,
         "The following arguments were not expected: 6 --\\x1b[2Jwall\n"},
        {"the sheet as its own output", "--sheet own.csv 2>&1 >own.csv", 2,
         "quillmere-calc: own.csv is both the sheet and the output: write the output to another "
         "file (the shell has emptied the sheet already)\n"},
        {"UTF-16 sheet", "--sheet - 2>&1 < <(printf '\\xff\\xfes\\0')", 2,
         "quillmere-calc: standard input: the sheet is UTF-16, save the sheet as UTF-8\n"},
    };
    const std::string folder = ScratchPath("cwd");
    std::filesystem::create_directory(folder);
    for (const Row& r : rows) {
        // Bash for $'...', <<< and < <(...): the plain shell of popen has none of them.
        const auto [status, out] = Shell("cd " + folder + " && exec bash -c " +
                                         Quoted(std::string(QUILLMERE_CALC) + " " + r.command));
        EXPECT_EQ(status, r.status) << r.name;
        EXPECT_EQ(out.substr(0, r.out.size()), r.out) << r.name;
        if (std::string(r.name) == "Shift-JIS sheet keeps the rows before it") {
            const std::string first = out.substr(0, out.find('\n'));
            EXPECT_TRUE(nlohmann::json::accept(first)) << first;
            EXPECT_NE(out.find("line 3: not UTF-8, save the sheet as UTF-8"), std::string::npos);
        }
    }
    // "-" is standard output: no file of that name appears.
    EXPECT_FALSE(std::filesystem::exists(folder + "/-"));
    std::filesystem::remove_all(folder);
}

// Water at its temperature: the equation's velocity, shown with its source, and the same
// spacing as typing that velocity.
TEST(Program, FluidTemperatureGivesTheFluidVelocity) {
    const CalcRun hot = Calc("--lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6 --fluid-temperature 60");
    EXPECT_EQ(hot.status, 0);
    EXPECT_EQ(hot.out, "SENSOR SPACING1: 73.35 [mm]\nFLUID S.V.: 1551 m/s (WATER 60 °C, Marczak 1997)\n");
    EXPECT_EQ(Calc("--lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6 --fluid-velocity 1551").out,
              "SENSOR SPACING1: 73.35 [mm]\n");
    const CalcRun json = Calc("--sensor VT-C1 --outer-diameter 114.3 --wall 6 --fluid SEAWATER "
                              "--fluid-temperature 10 --json");
    const auto j = nlohmann::json::parse(json.out);
    EXPECT_EQ(j["fluid_at_temperature"]["equation"], "Mackenzie 1981");
    EXPECT_EQ(j["fluid_at_temperature"]["fluid_velocity"], "1490");
    EXPECT_EQ(j["fluid_at_temperature"]["temperature_unit"], "°C");
    EXPECT_EQ(j["metric_inputs"]["fluid_velocity_m_s"], 1490.0);

    const CalcRun run = CalcSheet("units,sensor,outer_diameter,wall,fluid,fluid_temperature,fluid_velocity\n"
                                  "metric,VT-C1,114.3,6,,60,\n"
                                  "imperial,VT-C1,4.5,0.2362,WATER,140,\n"
                                  "metric,VT-C1,114.3,6,MILK,20,\n"
                                  "metric,VT-C1,114.3,6,,20,1500\n");
    EXPECT_EQ(run.status, 1);
    const auto rows = ReadAll(run.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1][7], "73.35");
    EXPECT_EQ(rows[2][7], "2.888");
    EXPECT_EQ(Calc("--lang en --units imperial --sensor VT-C1 --outer-diameter 4.5 --wall 0.2362 "
                   "--fluid-velocity 5089").out,
              "SENSOR SPACING1: 2.888 [inch]\n");
    EXPECT_EQ(rows[3][10], "Only WATER, SEAWATER and DIST. WATER have a sound velocity by temperature.");
    EXPECT_EQ(rows[4][10], "Give the fluid's temperature or its sound velocity, not both");
    // The sheet keeps what the temperature gave, as the single case prints it.
    EXPECT_EQ(rows[0].back(), "notes");
    EXPECT_EQ(rows[1][11], "FLUID S.V.: 1551 m/s (WATER 60 °C, Marczak 1997)");
    EXPECT_EQ(rows[2][11], "FLUID S.V.: 5089 ft/s (WATER 140 °F, Marczak 1997)");
    EXPECT_EQ(rows[3][11], "");
    // Given for every row by the option, the temperature is recorded as well.
    const std::string path = ScratchPath("sheet-beside-a-temperature.csv");
    std::ofstream(path) << "sensor,outer_diameter,wall\nVT-C1,114.3,6\n";
    const auto beside = ReadAll(Calc("--lang en --fluid-temperature 60 --sheet " + path).out);
    std::remove(path.c_str());
    ASSERT_EQ(beside.size(), 2u);
    EXPECT_EQ(beside[0].back(), "notes");
    EXPECT_EQ(beside[1].back(), "FLUID S.V.: 1551 m/s (WATER 60 °C, Marczak 1997)");
    // 6,5 degrees is a decimal comma, not 65 degrees.
    const CalcRun comma = Calc(
        "--lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6 --fluid-temperature 6,5 2>&1");
    EXPECT_EQ(comma.status, 1);
    EXPECT_EQ(comma.out.substr(0, comma.out.find('\n')),
              "',' only separates thousands (1,234.5): type the decimal point as '.'");
}

// A standard size fills the diameter and wall: the same spacing as typing the standard's
// figures, refused beside typed ones, and named with its edition in JSON.
TEST(Program, PipeSizeSetsDiameterAndWall) {
    const CalcRun stpg = Calc("--lang en --sensor VT-C1 --pipe-size 'stpg 100a sch40'");
    EXPECT_EQ(stpg.status, 0);
    EXPECT_EQ(stpg.out, "SENSOR SPACING1: 65.47 [mm]\n"
                        "OUTER DIAMETER / WALL THICKNESS: 114.3 / 6 [mm] (STPG 100A Sch40, JIS G 3454:2017)\n"
                        "PIPE MATERIAL: CARBON STEEL\n");
    EXPECT_EQ(Calc("--lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6.0").out, "SENSOR SPACING1: 65.47 [mm]\n");
    // Imperial: ASME's inch figures as typed; JIS converted.
    EXPECT_EQ(Calc("--lang en --units imperial --sensor VT-C1 --pipe-size '4B Sch40'").out.substr(0, 28),
              Calc("--lang en --units imperial --sensor VT-C1 --outer-diameter 4.5 --wall 0.237").out.substr(0, 28));
    const auto j = nlohmann::json::parse(Calc("--pipe-size 'NPS 4 Sch10S' --json").out);
    EXPECT_EQ(j["pipe_size"]["standard"], "ASME B36.19M");
    EXPECT_EQ(j["pipe_size"]["edition"], "2018");
    EXPECT_EQ(j["pipe_size"]["schedule"], "Sch10S");
    EXPECT_EQ(j["metric_inputs"]["wall_thickness_mm"], 3.05);
    EXPECT_TRUE(nlohmann::json::parse(Calc("--pipe-size 'SGP 50A' --json").out)["pipe_size"]["schedule"].is_null());

    EXPECT_EQ(Calc("--lang en --sensor VT-C1 --pipe-size ' ' --outer-diameter 114.3 --wall 6").out,
              "SENSOR SPACING1: 65.47 [mm]\n"); // a blank size is no size

    const CalcRun both = Calc("--lang en --pipe-size 'SGP 100A' --wall 4 2>&1");
    EXPECT_EQ(both.status, 1);
    EXPECT_EQ(both.out, "A standard pipe size sets the outer diameter and the wall thickness; give one "
                        "or the other, not both\n");
    EXPECT_EQ(Calc("--lang en --pipe-size 'NPS 5 Sch30' 2>&1").out,
              "NPS 5 has no schedule Sch30; it has Sch10, STD, Sch40, XS, Sch80, Sch120, Sch160, XXS\n");

    const CalcRun run = CalcSheet("sensor,pipe_size,outer_diameter,wall\n"
                                  "VT-C1,STPG 100A Sch40,,\n"
                                  "VT-C1,VP 100,,\n"
                                  "VT-C1,VP 110,,\n"
                                  "VT-C1,,114.3,6\n");
    EXPECT_EQ(run.status, 1);
    const auto rows = ReadAll(run.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1][4], "65.47");
    EXPECT_EQ(rows[4][4], "65.47");
    EXPECT_EQ(rows[3][7], "VP has no size 110; nearest: 75, 100, 125");
    // The material a size brought is on record, not only in the spacing.
    EXPECT_EQ(rows[2][8],
              "OUTER DIAMETER / WALL THICKNESS: 114 / 6.6 [mm] (VP 100, JIS K 6741:2016); "
              "PIPE MATERIAL: PVC");
    EXPECT_EQ(rows[3][8], "");
    EXPECT_EQ(rows[4][8], "");

    const CalcRun list = Calc("--list-pipe-sizes stpg");
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.rfind("STPG: JIS G 3454:2017, mm\n", 0), 0u);
    EXPECT_NE(list.out.find("\n600A (24B)      609.6    6.4     9.5     14.3    17.5    24.6    31.0\n"),
              std::string::npos);
    EXPECT_NE(Calc("--list-pipe-sizes --units imperial").out.find("VU: JIS K 6741:2016, inch\n"), std::string::npos);
    EXPECT_EQ(Calc("--list-pipe-sizes DIN 2>/dev/null").status, 2);
    // A sheet or a case beside the listing would go undone without a word.
    const CalcRun beside = Calc("--list-pipe-sizes VP --sheet jobs.csv 2>&1");
    EXPECT_EQ(beside.status, 2);
    EXPECT_EQ(beside.out, "quillmere-calc: --sheet does not go with --list-pipe-sizes, which only "
                          "prints the tables\n");
    EXPECT_EQ(Calc("--sensor VT-C1 --list-pipe-sizes 2>/dev/null").status, 2);
    EXPECT_EQ(Calc("--list-pipe-sizes VP --lang en --units imperial").status, 0);
}

// A script reads the tables as JSON and feeds their designations back: every one of them
// must give the figures listed beside it, in both unit systems.
TEST(Program, ListedPipeSizesAreTheOnesTheOptionTakes) {
    for (const std::string units : {"metric", "imperial"}) {
        const CalcRun list = Calc("--json --list-pipe-sizes --units " + units);
        ASSERT_EQ(list.status, 0);
        const auto tables = nlohmann::json::parse(list.out);
        ASSERT_EQ(tables.size(), 7u);
        EXPECT_EQ(tables[1]["standard"], "JIS G 3454");
        EXPECT_EQ(tables[1]["unit"], units == "metric" ? "mm" : "inch");

        std::string sheet = "units,sensor,pipe_size\n";
        std::vector<std::pair<std::string, std::string>> listed;
        for (const auto& table : tables) {
            for (const auto& size : table["sizes"]) {
                for (const auto& wall : size["walls"]) {
                    sheet += units + ",VT-C1," + wall["pipe_size"].get<std::string>() + "\n";
                    listed.emplace_back(size["outer_diameter"], wall["wall_thickness"]);
                }
            }
        }
        ASSERT_GT(listed.size(), 500u);
        const std::string path = ScratchPath("listed-sizes.csv");
        std::ofstream(path) << sheet;
        const CalcRun run = Calc("--json --sheet " + path);
        std::remove(path.c_str());
        std::istringstream lines(run.out);
        std::string line;
        for (const auto& [outer, wall] : listed) {
            ASSERT_TRUE(std::getline(lines, line));
            const auto chosen = nlohmann::json::parse(line)["pipe_size"];
            EXPECT_EQ(chosen["outer_diameter"], outer) << line;
            EXPECT_EQ(chosen["wall_thickness"], wall) << line;
        }
        EXPECT_FALSE(std::getline(lines, line));
    }
}

// A PVC or stainless size computed as carbon steel (the default material) would be a
// believable wrong spacing: a size brings its standard's material unless one is named.
// Every name --list-names gives is taken by its option and means the entry it is listed
// with: its sensor type, mounting method or table velocity.
TEST(Program, ListedNamesAreTheOnesTheOptionsTake) {
    const CalcRun list = Calc("--json --list-names --lang en");
    ASSERT_EQ(list.status, 0);
    const auto lists = nlohmann::json::parse(list.out);
    ASSERT_EQ(lists.size(), 5u);
    std::string sheet = "sensor,mount,pipe,pipe_velocity,lining,lining_thickness,lining_velocity,"
                        "fluid,fluid_velocity\n";
    std::vector<std::pair<nlohmann::json::json_pointer, nlohmann::json>> expected;
    for (const auto& names : lists) {
        const std::string option = names["option"];
        for (const auto& entry : names["entries"]) {
            for (const std::string name : entry["names"]) {
                std::array<std::string, 9> row{"VT-C1", "V"};
                const nlohmann::json velocity = entry.value("velocity_m_s", nlohmann::json());
                const auto material = [&](std::size_t at, const char* key, const char* typed) {
                    row[at] = name;
                    row[at + 1 + (at == 4)] = velocity.is_null() ? typed : "";
                    expected.emplace_back(
                        nlohmann::json::json_pointer(std::string("/metric_inputs/") + key),
                        velocity.is_null() ? nlohmann::json(std::stod(typed)) : velocity);
                };
                if (option == "--sensor") {
                    row[0] = name;
                    expected.emplace_back("/sensor_type", name);
                } else if (option == "--mount") {
                    row[1] = name;
                    expected.emplace_back("/mount", entry["letter"]);
                } else if (option == "--pipe") {
                    material(2, "pipe_velocity_m_s", "3100");
                } else if (option == "--lining") {
                    material(4, "lining_velocity_m_s", "2000");
                    row[5] = entry["index"] == 0 ? "" : "3";
                } else {
                    material(7, "fluid_velocity_m_s", "1480");
                }
                for (std::size_t i = 0; i < row.size(); ++i) {
                    sheet += (i == 0 ? "" : ",") + row[i];
                }
                sheet += "\n";
            }
        }
    }
    ASSERT_GT(expected.size(), 80u);
    const std::string path = ScratchPath("listed-names.csv");
    std::ofstream(path) << sheet;
    const CalcRun run = Calc("--json --outer-diameter 114.3 --wall 6 --sheet " + path);
    std::remove(path.c_str());
    EXPECT_EQ(run.status, 0);
    std::istringstream lines(run.out);
    std::string line;
    for (const auto& [pointer, value] : expected) {
        ASSERT_TRUE(std::getline(lines, line));
        const auto computed = nlohmann::json::parse(line);
        EXPECT_EQ(computed.value(pointer, nlohmann::json()), value) << line;
    }
    const CalcRun text = Calc("--list-names");
    EXPECT_NE(text.out.find("  1440 m/s  水 / WATER\n"), std::string::npos) << text.out;
    EXPECT_EQ(
        Calc("--list-names --sensor VT-C1 2>&1").out,
        "quillmere-calc: --sensor does not go with --list-names, which only prints the names\n");
}

TEST(Program, PipeSizeBringsItsStandardsMaterial) {
    const auto first = [](const std::string& out) { return out.substr(0, out.find('\n')); };
    const CalcRun vp = Calc("--lang en --sensor VT-C1 --pipe-size 'VP 100'");
    EXPECT_EQ(first(vp.out), first(Calc("--lang en --sensor VT-C1 --pipe PVC --outer-diameter 114 --wall 6.6").out));
    EXPECT_NE(vp.out.find("\nPIPE MATERIAL: PVC\n"), std::string::npos);
    const CalcRun named = Calc("--lang en --sensor VT-C1 --pipe 'CARBON STEEL' --pipe-size 'VP 100'");
    EXPECT_EQ(first(named.out), first(Calc("--lang en --sensor VT-C1 --outer-diameter 114 --wall 6.6").out));
    EXPECT_NE(first(named.out), first(vp.out));

    const auto typed = nlohmann::json::parse(Calc("--pipe-size 'VP 100' --pipe-velocity 2400 --json").out);
    EXPECT_EQ(typed["pipe_material"], "配管音速");
    EXPECT_EQ(typed["metric_inputs"]["pipe_velocity_m_s"], 2400.0);
    const auto sus = nlohmann::json::parse(Calc("--pipe-size 'SUS 100A Sch10S' --json").out);
    EXPECT_EQ(sus["pipe_material"], "ｽﾃﾝﾚｽ");
    EXPECT_EQ(sus["metric_inputs"]["pipe_velocity_m_s"], 3141.0);
    EXPECT_EQ(nlohmann::json::parse(Calc("--pipe-size 'NPS 4 Sch40S' --json").out)["metric_inputs"]["pipe_velocity_m_s"],
              3141.0);
    EXPECT_EQ(nlohmann::json::parse(Calc("--outer-diameter 100 --wall 5 --json").out)["pipe_material"], "炭素鋼");
    // B36.10M's sizes are carbon steel unless told otherwise (and PVC Sch 40 when told).
    EXPECT_EQ(nlohmann::json::parse(Calc("--pipe-size 'NPS 4 Sch40' --json").out)["pipe_material"], "炭素鋼");
    EXPECT_EQ(nlohmann::json::parse(Calc("--pipe-size 'NPS 4 Sch40' --pipe PVC --json").out)["pipe_material"],
              "塩化ﾋﾞﾆﾙ");

    const auto rows =
        ReadAll(CalcSheet("sensor,pipe,pipe_size\nVT-C1,,VU 100\nVT-C1,CARBON STEEL,VU 100\n").out);
    ASSERT_EQ(rows.size(), 3u);
    const auto result = [](const std::string& options) {
        return nlohmann::json::parse(Calc("--sensor VT-C1 --outer-diameter 114 --wall 3.1 --json " + options).out)["result1"];
    };
    EXPECT_EQ(rows[1][3], result("--pipe PVC"));
    EXPECT_EQ(rows[2][3], result(""));
    EXPECT_NE(rows[1][3], rows[2][3]);
}
