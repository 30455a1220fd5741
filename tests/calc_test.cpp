// quillmere-calc's parts: the CSV stream, one case read and checked as the window does,
// the N and W methods and the Z circumference, and the sketch.
#include "CalcRun.h"
#include "calc/JobJson.h"
#include "report/CsvStream.h"
#include "report/JobSummary.h"
#include "report/Sketch.h"
#include "rules/CsvText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <unistd.h>

using namespace QuillmereCalc;
using namespace Quillmere;

using namespace CalcTest;

TEST(CsvStream, ReadsWhatSpreadsheetsWrite) {
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF"
                      "a,b\r\n1,2\r\n"),
              (Rows{{"a", "b"}, {"1", "2"}}));
    EXPECT_EQ(ReadAll("a,\"x,\"\"y\"\"\nz\",c\n"), (Rows{{"a", "x,\"y\"\nz", "c"}}));
    EXPECT_EQ(ReadAll("a,,\n\n"), (Rows{{"a", "", ""}, {""}}));
    EXPECT_EQ(ReadAll("a\rb"), (Rows{{"a"}, {"b"}}));
    // A lone CR or a quote anywhere in a long line, whatever its place in a word of it.
    for (std::size_t at = 0; at < 20; ++at) {
        std::string line = "abcdefghijklmnopqrs,t\n";
        line[at] = '\r';
        EXPECT_EQ(ReadAll(line)[0][0], line.substr(0, at)) << at;
    }
    EXPECT_EQ(ReadAll("abcdefghij\"k\",l\n"), (Rows{{"abcdefghij\"k\"", "l"}}));
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

// Long sheets come through a buffer refilled and grown many times: every record must come
// out whole wherever a refill falls, inside a quoted field or between CR and LF.
TEST(CsvStream, RecordsAcrossRefillsComeOutWhole) {
    std::vector<std::vector<std::string>> written;
    std::string sheet;
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int r = 0; r < 3000; ++r) {
        std::vector<std::string> row;
        const int fields = 1 + static_cast<int>(next() % 6);
        for (int f = 0; f < fields; ++f) {
            std::string value(next() % (r % 500 == 7 && f == 0 ? 30000 : 24),
                              static_cast<char>('a' + f));
            const bool quoted = next() % 3 == 0;
            if (quoted && !value.empty()) {
                value[next() % value.size()] = next() % 2 ? '"' : '\n';
            }
            sheet += (f > 0 ? "," : "");
            if (quoted) {
                sheet += '"';
                for (const char c : value) {
                    sheet += c == '"' ? std::string("\"\"") : std::string(1, c);
                }
                sheet += '"';
            } else {
                sheet += value;
            }
            row.push_back(value);
        }
        sheet += r % 2 ? "\r\n" : "\n";
        written.push_back(row);
    }
    EXPECT_EQ(ReadAll(sheet), written);
    // The views, not only their copies, hold each record's bytes.
    std::FILE* f = ::fmemopen(sheet.data(), sheet.size(), "rb");
    ASSERT_NE(f, nullptr);
    CsvReader reader(f);
    std::vector<std::string_view> views;
    std::size_t rows = 0;
    while (reader.Next(views)) {
        ASSERT_LT(rows, written.size());
        EXPECT_TRUE(
            std::equal(views.begin(), views.end(), written[rows].begin(), written[rows].end()))
            << "row " << rows;
        ++rows;
    }
    std::fclose(f);
    EXPECT_EQ(rows, written.size());
    EXPECT_FALSE(reader.Failed());
}

// A line without quotes is read in one pass, a quoted one byte by byte: the same cells, the
// same line numbers and the same verdict on ASCII, whichever way a line is written.
TEST(CsvStream, PlainAndQuotedLinesReadAlike) {
    std::uint32_t seed = 4242;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    const std::array<std::string, 9> cells{"VT-C1",    "",   " 114.3 ", "ｽﾃﾝﾚｽ",    "'=1",
                                           "=SUM(A1)", "'x", "-3+4",    "\xE9t\xE9"};
    std::string plain;
    std::string quoted;
    for (int r = 0; r < 400; ++r) {
        const char* const end = r % 3 == 0 ? "\r\n" : "\n";
        for (std::uint32_t n = 1 + next() % 5, f = 0; f < n; ++f) {
            // A line of one empty cell would be a blank line written plain.
            const std::string& cell = cells[next() % (n == 1 ? 1 : cells.size())];
            plain += (f > 0 ? "," : "") + cell;
            quoted += (f > 0 ? ",\"" : "\"") + cell + "\"";
        }
        plain += end;
        quoted += end;
        if (r % 7 == 0) { // blank lines between rows
            plain += end;
            quoted += end;
        }
    }
    const auto records = [](std::string& text) {
        std::vector<std::tuple<std::vector<std::string>, std::size_t, bool, bool>> read;
        std::FILE* f = ::fmemopen(text.data(), text.size(), "rb");
        CsvReader reader(f);
        std::vector<std::string_view> row;
        while (reader.Next(row)) {
            read.emplace_back(std::vector<std::string>(row.begin(), row.end()), reader.Line(),
                              reader.Ascii(), reader.BlankLine());
        }
        std::fclose(f);
        return read;
    };
    const auto fromPlain = records(plain);
    EXPECT_EQ(fromPlain, records(quoted));
    EXPECT_EQ(std::get<1>(fromPlain.back()), 400u + 58u);
}

// The jobs file's check of its end is the reader's reading: a text ends in whole rows
// exactly when a row appended after it (its last line ended first) reads back as that row.
TEST(CsvStream, EndCheckAgreesWithTheReader) {
    std::uint32_t seed = 777;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    constexpr std::string_view alphabet = "a,\"\n\r";
    int whole = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (std::uint32_t n = next() % 12; n > 0; --n) {
            text += alphabet[next() % alphabet.size()];
        }
        Quillmere::CsvEnding ending;
        // Fed in two pieces: the check carries its state across the file's chunks.
        const std::size_t cut = text.empty() ? 0 : next() % text.size();
        ending.Feed(std::string_view(text).substr(0, cut));
        ending.Feed(std::string_view(text).substr(cut));
        std::string appended = text;
        if (!appended.empty() && appended.back() != '\n') {
            appended += '\n';
        }
        appended += "x,y\n";
        const auto rows = ReadAll(appended);
        const bool readBack =
            !rows.empty() && rows.back() == std::vector<std::string>{"x", "y"} && [&] {
                std::FILE* f = ::fmemopen(appended.data(), appended.size(), "rb");
                CsvReader reader(f);
                std::vector<std::string> row;
                while (reader.Next(row)) {
                }
                const bool failed = reader.Failed();
                std::fclose(f);
                return !failed;
            }();
        EXPECT_EQ(ending.Whole(), readBack) << Printable(text);
        whole += readBack ? 1 : 0;
    }
    EXPECT_GT(whole, 1000); // both answers are met
    EXPECT_LT(whole, 19000);
}

TEST(CsvStream, Utf8CheckAndPrintableMessages) {
    EXPECT_TRUE(IsUtf8("炭素鋼 ｽﾃﾝﾚｽ VT-C1 \xF0\x9F\x98\x80"));
    for (const char* bad :
         {"\xFF", "\x82\xA0", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE7\x82"}) {
        EXPECT_FALSE(IsUtf8(bad)) << Printable(bad);
        // ASCII is passed over eight bytes at a time: a fault after any run of it is seen.
        for (std::size_t ascii = 1; ascii <= 17; ++ascii) {
            const std::string before(ascii, 'a');
            EXPECT_FALSE(IsUtf8(before + bad + before)) << ascii << Printable(bad);
            EXPECT_TRUE(IsUtf8(before + "鋼" + before + "\xF0\x9F\x98\x80")) << ascii;
        }
    }
    // NUL as \x00: "\0" before a digit would read as another byte (VT<NUL>1 as VT\01).
    EXPECT_EQ(Printable(std::string("a\0b\x1b[31mc\x7f\xff\\", 12)),
              "a\\x00b\\x1b[31mc\\x7f\\xff\\\\");
    EXPECT_EQ(Printable(std::string("VT\0"
                                    "1",
                                    4)),
              "VT\\x001");
    // A long value is quoted by its start, cut between characters, never inside one.
    const std::string fluid = "蒸留水" + std::string(12, 'x') + "海水の名前がとても長い";
    EXPECT_EQ(Quillmere::Abridged(fluid), "蒸留水" + std::string(12, 'x') + "海水の名前が...");
    EXPECT_EQ(Quillmere::Abridged("ab\xff\xfe", 3), "ab\xff...");
    EXPECT_EQ(Quillmere::Abridged("炭素鋼", 9), "炭素鋼");
    EXPECT_EQ(Printable("\xC2\x9B"
                        "2J 炭素鋼"),
              "\\u009b2J 炭素鋼");
}

TEST(Evaluate, ReadsNamesAndValuesAsTheWindowDoes) {
    JobReading o = ReadJob(Case({{Column::Lang, "en"},
                                 {Column::Sensor, "VT-C1"},
                                 {Column::OuterDiameter, "114.3"},
                                 {Column::Wall, "6.0"}}));
    ASSERT_TRUE(o.Ok) << o.Error;
    EXPECT_EQ(o.Record.Outcome.Display.Result1, "65.47");
    EXPECT_EQ(o.Record.Outcome.Inputs.PipeVelocity,
              3000); // carbon steel and water unless told otherwise
    EXPECT_EQ(o.Record.Outcome.Inputs.FluidVelocity, 1440);

    // Japanese and English names, a part of a sensor's list text, and its list index.
    for (const char* sensor : {"VT-A2", "vt-a1/vt-a2", "2"}) {
        o = ReadJob(Case({{Column::Sensor, sensor},
                          {Column::Pipe, "ｽﾃﾝﾚｽ"},
                          {Column::Fluid, "SEAWATER"},
                          {Column::OuterDiameter, "60.5"},
                          {Column::Wall, "3.9"}}));
        ASSERT_TRUE(o.Ok) << sensor << o.Error;
        EXPECT_EQ(o.Record.SensorTypeIndex, 2);
        EXPECT_EQ(o.Record.Outcome.Inputs.PipeVelocity, 3141);
        EXPECT_EQ(o.Record.Outcome.Inputs.FluidVelocity, 1522);
        EXPECT_FALSE(o.Record.Outcome.Display.Result2.empty());
    }
    // As an input method types them: "ゴム" is the list's "ｺﾞﾑ", "ステンレス" its "ｽﾃﾝﾚｽ";
    // a reading in kana ("ｶｲｽｲ") is not a name.
    for (const char* fluid : {"ｶｲｽｲ", "seawater"}) {
        o = ReadJob(Case({{Column::Sensor, "ＶＴ－Ｃ１"},
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
    const auto pipe = [](Column column, const char* value) { return std::pair{column, value}; };
    const auto od = pipe(Column::OuterDiameter, "100");
    const auto wall = pipe(Column::Wall, "5");
    o = ReadJob(Case({pipe(Column::OuterDiameter, "4"),
                      pipe(Column::Wall, "0.2"),
                      {Column::PipeVelocity, "3,300"},
                      {Column::Units, "imperial"}}));
    EXPECT_DOUBLE_EQ(o.Record.Outcome.Inputs.PipeVelocity, 3300 / 3.28083989);
    o = ReadJob(Case({od, wall, {Column::Lining, "RUBBER"}, {Column::LiningThickness, "3"}}));
    EXPECT_EQ(o.Record.Outcome.Inputs.LiningVelocity, 1510);
    EXPECT_EQ(o.Record.Outcome.Inputs.LiningThickness, 3);
}

TEST(Evaluate, RefusalsAndFailuresSpeakTheCaseLanguage) {
    struct Row {
        ColumnTexts in;
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
        const JobReading o = ReadJob(r.in);
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
        const JobReading o = ReadJob(Case({{Column::Sensor, "VT-D1"},
                                           {Column::Mount, methods[i]},
                                           {Column::OuterDiameter, "200"},
                                           {Column::Wall, "8"},
                                           {Column::Pipe, "PVC"},
                                           {Column::FluidVelocity, "1480"}}));
        ASSERT_TRUE(o.Ok) << o.Error;
        EXPECT_NEAR(o.Record.Outcome.Breakdown.Spacing, expected[i], 1e-5) << methods[i];
        EXPECT_EQ(o.Crossings, 3 + i);
        EXPECT_TRUE(o.Record.Outcome.Display.Circumferential.empty());
    }
    const JobReading v = ReadJob(
        Case({{Column::Sensor, "VT-D1"}, {Column::OuterDiameter, "200"}, {Column::Wall, "8"}}));
    const JobReading z = ReadJob(Case({{Column::Sensor, "VT-D1"},
                                       {Column::Mount, "Z"},
                                       {Column::OuterDiameter, "200"},
                                       {Column::Wall, "8"}}));
    const Quillmere::SpacingBreakdown& vb = v.Record.Outcome.Breakdown;
    EXPECT_NEAR(vb.Spacing - z.Record.Outcome.Breakdown.Spacing, vb.FluidRun, 1e-9);
    EXPECT_EQ(z.Record.Outcome.Display.Circumferential,
              "314.15"); // pi * 200 / 2, cut like a spacing
    const JobReading zi = ReadJob(Case({{Column::Units, "imperial"},
                                        {Column::Mount, "Z"},
                                        {Column::OuterDiameter, "10"},
                                        {Column::Wall, "0.2"}}));
    EXPECT_EQ(zi.Record.Outcome.Display.Circumferential, "15.707");
}

TEST(Sketch, IsWellFormedAndDimensionsThePrintedSpacing) {
    for (const char* mount : {"V", "Z", "N", "W"}) {
        const JobReading o = ReadJob(Case({{Column::Sensor, "VT-C1"},
                                           {Column::Mount, mount},
                                           {Column::OuterDiameter, "1,114.3"},
                                           {Column::Wall, "6.0"},
                                           {Column::Lining, "RUBBER"},
                                           {Column::LiningThickness, "3"}}));
        ASSERT_TRUE(o.Ok);
        const std::string svg = Quillmere::SketchSvg(o.Record);
        std::smatch m;
        ASSERT_TRUE(
            std::regex_search(svg, m, std::regex("<text id=\"spacing\"[^>]*>([^<]*)</text>")));
        EXPECT_EQ(m[1].str(), o.Record.Outcome.Display.Result1 + " mm");
        const std::string path = ScratchPath("sketch.svg");
        std::ofstream(path) << svg;
        EXPECT_EQ(std::system(("xmllint --noout " + path).c_str()), 0) << mount;
        std::remove(path.c_str());
    }
    // In the case's language and unit system.
    const std::string ja =
        Calc("--lang ja --units imperial --outer-diameter 4.5 --wall 0.25 --sketch -").out;
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
