// quillmere-calc on job sheets: every row back in order, with every field it had, and the
// exit status that tells; and hostile input that never aborts nor loses output.
#include "CalcRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

using namespace CalcTest;

// A scratch sheet of the test's own, removed afterwards.
class Sheet : public ::testing::Test {
protected:
    void TearDown() override { std::remove(sheet.c_str()); }
    const std::string sheet = ScratchPath("sheet.csv");
    const std::string results = "result1,result2,circumferential,error,notes";
};

TEST_F(Sheet, KeepsEveryRowInOrderAndReportsByExitStatus) {
    std::ofstream(sheet, std::ios::binary) << "\xEF\xBB\xBFsensor,outer_diameter,wall,pipe\r\n"
                                              "VT-C1,114.3,6.0,炭素鋼\r\n"
                                              "VT-C1,12a,6.0,\r\n"
                                              "VT-C1,\"1,234.5\",10,\"CARBON STEEL\"\r\n"
                                              "VT-C1,100\r\n"
                                              "VT-C1\r\n";
    const CalcRun run = Calc("--lang en --sheet " + sheet);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "sensor,outer_diameter,wall,pipe,result1,result2,circumferential,error,notes\n"
              "VT-C1,114.3,6.0,炭素鋼,65.47,,,,\n"
              "VT-C1,12a,6.0,,,,,Any data other than a number is not allowed,\n"
              "VT-C1,\"1,234.5\",10,CARBON STEEL,\"1,003.12\",,,,\n"
              "VT-C1,100,,,,\"The row has 2 fields, the header 4 (a decimal comma? write 114.3, "
              "or quote \"\"1,234.5\"\")\",\n"
              "VT-C1,,,,\"The row has 1 field, the header 4\",\n");

    std::ofstream(sheet) << "sensor,outer_diameter,wall\nVT-C1,114.3,6\n";
    EXPECT_EQ(Calc("--sheet " + sheet).status, 0);
    // Empty lines above the header are passed over as those between rows are, not taken for
    // a header of one nameless column; line numbers still count them.
    const std::string header = "sensor,outer_diameter,wall\n";
    std::ofstream(sheet) << "\n\r\n" << header << "VT-C1,114.3,6\n\nVT-C1,\"1\n";
    const CalcRun below = Calc("--lang en --sheet " + sheet + " 2>&1");
    EXPECT_EQ(below.status, 2);
    EXPECT_EQ(below.out,
              header.substr(0, header.size() - 1) +
                  ",result1,result2,circumferential,error,notes\nVT-C1,114.3,6,65.47,,,,\n"
                  "quillmere-calc: " +
                  sheet + ": line 6: a quoted field is never closed\n");
    EXPECT_EQ(Calc("--sheet - < " + sheet).out, Calc("--sheet " + sheet).out);
    EXPECT_EQ(Calc("--sheet /nonexistent/sheet.csv 2>/dev/null").status, 2);
    std::ofstream(sheet) << "sensor,colour\nVT-C1,red\n";
    EXPECT_EQ(Calc("--sheet " + sheet + " 2>/dev/null").status, 2);
}

TEST_F(Sheet, HeadingsAndCellsAsPeopleWriteThem) {
    // Headings and cells as people write them by hand; the output repeats them as written.
    std::ofstream(sheet) << "Sensor, Outer Diameter ,WALL,fluid-velocity\nVT-C1, 114.3,6 ,1440\n"
                            "VT-C1,\t,6,1440\n";
    EXPECT_EQ(Calc("--lang en --sheet " + sheet).out,
              "Sensor, Outer Diameter ,WALL,fluid-velocity," + results +
                  "\n"
                  "VT-C1, 114.3,6 ,1440,65.47,,,,\n"
                  "VT-C1,\t,6,1440,,,,OUTER DIAMETER: enter a value.,\n");
    // A spreadsheet exports empty columns after the last one used: read by nobody, they must
    // stay empty.
    std::ofstream(sheet) << "sensor,outer_diameter,wall,,\nVT-C1,114.3,6,,\nVT-C1,114.3,6,, 12\n";
    EXPECT_EQ(Calc("--lang en --sheet " + sheet).out,
              "sensor,outer_diameter,wall,,," + results +
                  "\n"
                  "VT-C1,114.3,6,,,65.47,,,,\n"
                  "VT-C1,114.3,6,, 12,,,,\"Column 5 has no heading, but a value: 12\",\n");
    // Options are every row's defaults, for a blank cell as for a missing column: a blank
    // units cell under --units imperial is inches, not a believable spacing of a 24 mm pipe.
    std::ofstream(sheet)
        << "units,sensor,outer_diameter,wall\nimperial,VT-A1,4.5,0.237\n,,24,0.5\n";
    EXPECT_EQ(Calc("--lang en --units imperial --sensor VT-C1 --sheet " + sheet).out,
              "units,sensor,outer_diameter,wall," + results +
                  "\n"
                  "imperial,VT-A1,4.5,0.237,3.897,33,,,\n"
                  ",,24,0.5,19.096,,,,\n");
    EXPECT_EQ(Calc("--lang en --units imperial --sensor VT-C1 --outer-diameter 24 --wall 0.5").out,
              "SENSOR SPACING1: 19.096 [inch]\n");
    // The window's captions head columns too, in either language and width, and written as
    // the column names are (pipe_material).
    std::ofstream(sheet)
        << "SENSOR TYPE,外径寸法,Wall Thickness,ライニング材質,ﾗｲﾆﾝｸﾞ厚さ,pipe_material\n"
           "VT-C1,114.3,6,ゴム,3,\n";
    EXPECT_EQ(Calc("--sheet " + sheet).out,
              "SENSOR TYPE,外径寸法,Wall Thickness,ライニング材質,ﾗｲﾆﾝｸﾞ厚さ,pipe_material," +
                  results + "\nVT-C1,114.3,6,ゴム,3,,63.11,,,,\n");
}

// An output sheet given again, a failed row corrected: its results are computed anew,
// never read as inputs nor kept beside the new ones; every column comes back, notes too,
// and a row that computes to what it had keeps the notes it had (a jobs file's name the
// standard size its dimensions came from).
TEST_F(Sheet, OutputGivenAgainIsComputedAnew) {
    std::ofstream(sheet) << "sensor,outer_diameter,wall," << results << "\n"
                         << "VT-C1,114.3,6.0,12.34,,,,\n"
                            "VT-C1,114.3,8.0,,,,Any data other than a number is not allowed,\n"
                            "VT-C1,114.3,6.0\nVT-C1,114.3\n"
                            "VT-C1,114.3,6.0,65.47,,,,\"STPG 100A Sch40, JIS G 3454:2017\"\n"
                            "VT-C1,114.3,6.0,65.46,,,,stale\n";
    const CalcRun again = Calc("--lang en --sheet " + sheet);
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.out, "sensor,outer_diameter,wall," + results +
                             "\nVT-C1,114.3,6.0,65.47,,,,\nVT-C1,114.3,8.0,67.49,,,,\n"
                             "VT-C1,114.3,6.0,65.47,,,,\n"
                             "VT-C1,114.3,,,,\"The row has 2 fields, the header 8 (a decimal "
                             "comma? write 114.3, or quote \"\"1,234.5\"\")\",\n"
                             "VT-C1,114.3,6.0,65.47,,,,\"STPG 100A Sch40, JIS G 3454:2017\"\n"
                             "VT-C1,114.3,6.0,65.47,,,,\n");
    std::ofstream(sheet) << "sensor,pipe_size," << results << "\n"
                         << "VT-C1,STPG 100A Sch40,1,,,,old\n";
    EXPECT_EQ(Calc("--lang en --sheet " + sheet + " --json").out.find("old"), std::string::npos);
    EXPECT_EQ(Calc("--lang en --sheet " + sheet).out,
              "sensor,pipe_size," + results +
                  "\nVT-C1,STPG 100A Sch40,65.47,,,,\"OUTER DIAMETER / WALL THICKNESS: "
                  "114.3 / 6 [mm] (STPG 100A Sch40, JIS G 3454:2017); PIPE MATERIAL: CARBON "
                  "STEEL\"\n");
    // An output of a version that wrote notes only with the helpers.
    std::ofstream(sheet) << "sensor,outer_diameter,wall,result1,result2,circumferential,error\n"
                         << "VT-C1,114.3,6.0,1,,,\n";
    EXPECT_EQ(Calc("--lang en --sheet " + sheet).out,
              "sensor,outer_diameter,wall," + results + "\nVT-C1,114.3,6.0,65.47,,,,\n");
}

// Rows are read one after another into one place: each must come out as it does alone, the
// helpers, plus/minus, measuring point, identity and errors of the row before it forgotten.
TEST_F(Sheet, EachRowComesOutAsItDoesAlone) {
    const std::string header =
        "units,lang,sensor,mount,outer_diameter,wall,pipe,pipe_velocity,lining,lining_thickness,"
        "fluid,fluid_velocity,fluid_temperature,salinity,pipe_size,site,tag,"
        "outer_diameter_tolerance,wall_tolerance,fluid_velocity_tolerance,"
        "measured_fluid_velocity,upstream,downstream,available_upstream,pipe_run\n";
    const std::vector<std::string> rows = {
        "metric,en,VT-C1,V,114.3,6.0,,,,,,,,,,North works,FT-101,0.5,0.2,10,1490,elbow,reducer,"
        "2000,up\n",
        "metric,en,VT-C1,V,114.3,6.0,,,,,,,,,,,,,,,,,,,\n",
        "imperial,en,VT-A1,Z,,,,,,,SEAWATER,,50,30,NPS 4 Sch40,,,,,,4900,pump,,,down\n",
        "imperial,ja,VT-K1,Z,4.5,0.237,ｽﾃﾝﾚｽ,,ﾓﾙﾀﾙ,0.1,,,,,,,,,,,,,,,\n",
        "metric,en,VT-C1,N,,,,,,,,,80,,DN100 K9 mortar,,,,,,,,,,\n",
        "metric,ja,VT-B1,W,200,8,PIPE S.V.,3000,,,,1400,,,,,,,,,,,,,\n",
        "metric,en,VT-C1,V,10,6,,,,,,,,,,,,,,,,,,,\n",
        "metric,en,VT-C1,Z,20,1,,,,,,,,,,,,,,,,,,,\n", // warned of: 0.00
        "metric,en,VT-C1,V,abc,6,,,,,,,,,,,,,,,,,,,\n",
        "metric,en,VT-C1,V,114.3,6.0,,,,,,,,,,,,,,,,,,,\n",
        "metric,en,VT-C1,V,114.3,6.0,,,,,,,,,,,,,,,2,,,,\n",
        "metric,en,VT-C1,V,114.3,6.0,,,,,,,,,,,,,,,,,,,\n",
    };
    for (const char* options : {"", " --json"}) {
        std::ofstream whole(sheet);
        whole << header;
        for (const std::string& row : rows) {
            whole << row;
        }
        whole.close();
        const auto output = [&] { return Calc("--sheet " + sheet + options + " 2>/dev/null").out; };
        // What standard error says, without its line numbers (which differ between the two).
        const auto said = [&] {
            return std::regex_replace(Calc("--sheet " + sheet + options + " 2>&1 >/dev/null").out,
                                      std::regex(": line [0-9]+: "), ": ");
        };
        const std::string together = output();
        const std::string saidTogether = said();
        std::string alone;
        std::string saidAlone;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::ofstream(sheet) << header << rows[i];
            const std::string one = output();
            // The header line once, then each row's line.
            alone += i == 0 || *options != 0 ? one : one.substr(one.find('\n') + 1);
            saidAlone += said();
        }
        EXPECT_EQ(saidTogether, saidAlone) << options;
        EXPECT_EQ(together, alone) << options;
    }
}

// A row of more or fewer fields than its header comes back whole, and stays refused when
// the output is given again: never shifted, cut or padded into a valid row.
TEST_F(Sheet, RowsOfAnotherWidthComeBackWholeAndStayRefused) {
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
    EXPECT_NE(rerun.out.find("The row has 9 fields, the header 8"), std::string::npos);
    EXPECT_NE(rerun.out.find("The row has 7 fields, the header 8"), std::string::npos);
    EXPECT_NE(rerun.out.find("\nVT-C1,114.3,6,65.47,,,,\n"), std::string::npos);
    const CalcRun jsonRows = Calc("--lang en --json --sheet " + sheet + " | head -n 1");
    EXPECT_NE(
        jsonRows.out.find("\"record\":[\"VT-C1\",\"114\",\"3\",\"6\",\"\",\"\",\"\",\"The row"),
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
    EXPECT_NE(narrowAgain.out.find("The row has 6 fields, the header 10"), std::string::npos);
}

// A clerk opens the output in a spreadsheet: no text typed into a sheet runs there as a
// formula, and the output given again reads every text as it was typed.
TEST_F(Sheet, NoCellRunsAsAFormulaInASpreadsheet) {
    std::ofstream(sheet) << "site,tag,installer,note,sensor,outer_diameter,wall\n"
                            "\"=HYPERLINK(\"\"http://evil.example\"\",\"\"x\"\")\",+1-2,@SUM(A1),"
                            "-3+4,VT-C1,114.3,6\n"
                            "'quoted',-3,\t=1,=,VT-C1,-1,6\n";
    const CalcRun run = Calc("--lang en --sheet " + sheet);
    EXPECT_EQ(run.out,
              "site,tag,installer,note,sensor,outer_diameter,wall," + results +
                  "\n\"'=HYPERLINK(\"\"http://evil.example\"\",\"\"x\"\")\",'+1-2,'@SUM(A1),'-3+4,"
                  "VT-C1,114.3,6,65.47,,,,\n"
                  "'quoted',-3,'\t=1,'=,VT-C1,-1,6,,,,The value is outside of range,\n");
    std::ofstream(sheet) << run.out;
    const CalcRun again = Calc("--lang en --json --sheet " + sheet + " | head -n 1");
    const auto job = nlohmann::json::parse(again.out)["job"];
    EXPECT_EQ(job["site"], "=HYPERLINK(\"http://evil.example\",\"x\")");
    EXPECT_EQ(job["tag"], "+1-2");
    EXPECT_EQ(job["installer"], "@SUM(A1)");
    EXPECT_EQ(job["note"], "-3+4");
    EXPECT_EQ(Calc("--lang en --sheet " + sheet).out, run.out);
}

TEST_F(Sheet, HeadersThatCannotBeReadAreSaid) {
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
}

TEST(Program, OneCaseAndTheCommandLine) {
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

// Input from outside, as a spreadsheet or a script may give it: the program never aborts,
// keeps what it computed, and says what is wrong on standard error with exit status 2.
TEST(Program, HostileInputNeverAbortsNorLosesOutput) {
    struct Row {
        const char* name;
        std::string command; // arguments, with shell redirections
        int status;
        std::string out; // the start of standard output and error together
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
         "wall,result1,result2,circumferential,error,notes\n,,,,WALL THICKNESS: enter a "
         "value.,\n5,87.57,,,,\n"},
        // The parser would take --summary as the tag, and print no summary.
        {"a text option without its value", "--tag --summary --outer-diameter 100 --wall 5 2>&1", 2,
         "quillmere-calc: --tag is missing its value (another option follows it; --tag=--... "
         "gives a value that starts with --)\n"},
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
