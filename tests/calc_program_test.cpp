// quillmere-calc on the command line: refusals that name the option and its range, the
// summary, the helpers (standard pipe sizes, water at its temperature) and the listings.
#include "CalcRun.h"
#include "calc/JobJson.h"
#include "report/JobSummary.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

using namespace CalcTest;
using namespace QuillmereCalc;
using namespace Quillmere;

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
    // The row itself says why it is 0.00: the output is the record kept, standard error is not.
    EXPECT_NE(run.out.find("\nVT-C1,Z,20,1,0.00,,31.41,,\"Note: the computed spacing is -25.67 mm, "
                           "below 0,"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nVT-C1,V,114.3,6,65.47,,,,\n"), std::string::npos) << run.out;
    // With the helpers' notes, the reason follows them.
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
    const JobReading o = ReadJob(Case({{Column::Lang, "en"},
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
    for (const char* other : {" --json", " --sketch -", " --tornado -", " --site-sketch -"}) {
        EXPECT_EQ(Calc(args + " --summary" + other + " 2>&1").out,
                  "quillmere-calc: only one of --json, --summary, --sketch -, --tornado - and "
                  "--site-sketch - can write to standard output\n");
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
    for (auto it = std::sregex_iterator(help.begin(), help.end(), example);
         it != std::sregex_iterator(); ++it) {
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

// Water at its temperature: the equation's velocity, shown with its source, and the same
// spacing as typing that velocity.
TEST(Program, FluidTemperatureGivesTheFluidVelocity) {
    const CalcRun hot =
        Calc("--lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6 --fluid-temperature 60");
    EXPECT_EQ(hot.status, 0);
    EXPECT_EQ(hot.out,
              "SENSOR SPACING1: 73.35 [mm]\nFLUID S.V.: 1551 m/s (WATER 60 °C, Marczak 1997)\n");
    EXPECT_EQ(
        Calc("--lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6 --fluid-velocity 1551").out,
        "SENSOR SPACING1: 73.35 [mm]\n");
    const CalcRun json = Calc("--sensor VT-C1 --outer-diameter 114.3 --wall 6 --fluid SEAWATER "
                              "--fluid-temperature 10 --json");
    const auto j = nlohmann::json::parse(json.out);
    EXPECT_EQ(j["fluid_at_temperature"]["equation"], "Mackenzie 1981");
    EXPECT_EQ(j["fluid_at_temperature"]["fluid_velocity"], "1490");
    EXPECT_EQ(j["fluid_at_temperature"]["temperature_unit"], "°C");
    EXPECT_EQ(j["metric_inputs"]["fluid_velocity_m_s"], 1490.0);

    const CalcRun run =
        CalcSheet("units,sensor,outer_diameter,wall,fluid,fluid_temperature,fluid_velocity\n"
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
                   "--fluid-velocity 5089")
                  .out,
              "SENSOR SPACING1: 2.888 [inch]\n");
    EXPECT_EQ(rows[3][10],
              "Only WATER, SEAWATER and DIST. WATER have a sound velocity by temperature.");
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
    EXPECT_EQ(stpg.out,
              "SENSOR SPACING1: 65.47 [mm]\n"
              "OUTER DIAMETER / WALL THICKNESS: 114.3 / 6 [mm] (STPG 100A Sch40, JIS G 3454:2017)\n"
              "PIPE MATERIAL: CARBON STEEL\n");
    EXPECT_EQ(Calc("--lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6.0").out,
              "SENSOR SPACING1: 65.47 [mm]\n");
    // Imperial: ASME's inch figures as typed; JIS converted.
    EXPECT_EQ(
        Calc("--lang en --units imperial --sensor VT-C1 --pipe-size '4B Sch40'").out.substr(0, 28),
        Calc("--lang en --units imperial --sensor VT-C1 --outer-diameter 4.5 --wall 0.237")
            .out.substr(0, 28));
    const auto j = nlohmann::json::parse(Calc("--pipe-size 'NPS 4 Sch10S' --json").out);
    EXPECT_EQ(j["pipe_size"]["standard"], "ASME B36.19M");
    EXPECT_EQ(j["pipe_size"]["edition"], "2018");
    EXPECT_EQ(j["pipe_size"]["schedule"], "Sch10S");
    EXPECT_EQ(j["metric_inputs"]["wall_thickness_mm"], 3.05);
    EXPECT_TRUE(
        nlohmann::json::parse(Calc("--pipe-size 'SGP 50A' --json").out)["pipe_size"]["schedule"]
            .is_null());

    EXPECT_EQ(Calc("--lang en --sensor VT-C1 --pipe-size ' ' --outer-diameter 114.3 --wall 6").out,
              "SENSOR SPACING1: 65.47 [mm]\n"); // a blank size is no size

    const CalcRun both = Calc("--lang en --pipe-size 'SGP 100A' --wall 4 2>&1");
    EXPECT_EQ(both.status, 1);
    EXPECT_EQ(both.out,
              "A standard pipe size sets the outer diameter and the wall thickness; give one "
              "or the other, not both\n");
    EXPECT_EQ(
        Calc("--lang en --pipe-size 'NPS 5 Sch30' 2>&1").out,
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
    EXPECT_NE(
        list.out.find("\n600A (24B)      609.6    6.4     9.5     14.3    17.5    24.6    31.0\n"),
        std::string::npos);
    EXPECT_NE(Calc("--list-pipe-sizes --units imperial").out.find("VU: JIS K 6741:2016, inch\n"),
              std::string::npos);
    EXPECT_EQ(Calc("--list-pipe-sizes DIN 2>/dev/null").status, 2);
    // A sheet or a case beside the listing would go undone without a word.
    const CalcRun beside = Calc("--list-pipe-sizes VP --sheet jobs.csv 2>&1");
    EXPECT_EQ(beside.status, 2);
    EXPECT_EQ(beside.out, "quillmere-calc: --sheet does not go with --list-pipe-sizes, which only "
                          "prints the tables\n");
    EXPECT_EQ(Calc("--sensor VT-C1 --list-pipe-sizes 2>/dev/null").status, 2);
    EXPECT_EQ(Calc("--list-pipe-sizes VP --lang en --units imperial").status, 0);
}

// A water main in one designation: ISO ductile iron, its K9 wall and its ISO 4179 mortar
// lining; the record says where each figure came from, and the sound's path in the fluid
// is given to hold against the converter's diagnostics.
TEST(Program, DuctileSizeWithMortarFillsEveryPipeInput) {
    const CalcRun lined = Calc("--lang en --sensor VT-C1 --pipe-size 'DN 100 K9 mortar'");
    EXPECT_EQ(lined.status, 0);
    EXPECT_EQ(lined.out,
              "SENSOR SPACING1: 71.59 [mm]\n"
              "OUTER DIAMETER / WALL THICKNESS: 118 / 6 [mm] (DN 100 K9, ISO 2531:2009)\n"
              "PIPE MATERIAL: DUCTILE IRON\n"
              "LINING MATERIAL: MORTAR 3 [mm] (ISO 4179:2005)\n");
    // The same as typing every figure.
    EXPECT_EQ(Calc("--lang en --sensor VT-C1 --outer-diameter 118 --wall 6 --pipe 'DUCTILE IRON' "
                   "--lining MORTAR --lining-thickness 3")
                  .out,
              "SENSOR SPACING1: 71.59 [mm]\n");
    const auto j = nlohmann::json::parse(
        Calc("--lang en --sensor VT-C1 --pipe-size 'DN 100 K9 mortar' --json").out);
    EXPECT_EQ(j["lining_material"], "MORTAR");
    EXPECT_EQ(j["pipe_size"]["lining_thickness"], "3");
    EXPECT_EQ(j["pipe_size"]["lining_standard"], "ISO 4179:2005");
    // Bore 100 mm crossed twice at the fluid angle, at 1440 m/s.
    const double fluid = j["angles_deg"]["fluid"].get<double>() * 3.14159265358979 / 180;
    EXPECT_NEAR(j["fluid_path_mm"].get<double>(), 2 * 100 / std::cos(fluid), 1e-9);
    EXPECT_NEAR(j["fluid_transit_us"].get<double>(), j["fluid_path_mm"].get<double>() / 1440 * 1000,
                1e-9);
    const std::string summary =
        Calc("--lang en --sensor VT-C1 --pipe-size 'DN 100 K9 mortar' --summary").out;
    EXPECT_NE(summary.find("\nLINING THICKNESS: 3 mm (ISO 4179:2005)\n"), std::string::npos);
    EXPECT_NE(summary.find("\nFluid path: 216.67 mm (2 crossings), transit time 150.47 µs\n"),
              std::string::npos)
        << summary;

    // The size types the lining as it types the pipe: a lining given too is refused.
    for (const std::string beside : {"--lining RUBBER", "--lining-thickness 5"}) {
        const CalcRun both =
            Calc("--lang en --sensor VT-C1 --pipe-size 'DN 100 K9 mortar' " + beside + " 2>&1");
        EXPECT_EQ(both.status, 1) << beside;
        EXPECT_EQ(both.out,
                  "A standard size with mortar sets the lining; give one or the other, not both\n");
    }
    const CalcRun jis = Calc("--lang en --sensor VT-C1 --pipe-size 'DIP 100 D1 mortar' 2>&1");
    EXPECT_EQ(jis.status, 1);
    EXPECT_EQ(jis.out, "The mortar lining of DIP (JIS G 5526:2014) pipes is not held here: choose "
                       "MORTAR as the lining and type its thickness\n");
    // A sheet's notes column names the lining with the size.
    const CalcRun sheet = CalcSheet("lang,sensor,pipe_size\nen,VT-C1,DN 600 K9 mortar\n");
    EXPECT_EQ(sheet.status, 0);
    EXPECT_NE(sheet.out.find("LINING MATERIAL: MORTAR 5 [mm] (ISO 4179:2005)"), std::string::npos)
        << sheet.out;
}

// Site, tag, installer and note head the summary as typed, Japanese included, go to JSON's
// job object and a sheet's own columns, and never change a result; what the record could
// not print on one line is refused with the column it is about.
TEST(Program, JobIdentityHeadsTheRecordAsTyped) {
    const std::string job = "--lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6 ";
    const std::string summary = Calc(job + "--site '北浄水場 No.2' --tag ' FT-101 ' --installer "
                                           "'Yamada' --note 'after the bend, 10D' --summary")
                                    .out;
    EXPECT_EQ(summary.rfind("Sensor spacing record\nSITE: 北浄水場 No.2\nTAG: FT-101\n"
                            "INSTALLER: Yamada\nNOTE: after the bend, 10D\nDate and time: ",
                            0),
              0u)
        << summary;
    EXPECT_EQ(Calc(job + "--tag FT-101").out, Calc(job).out);
    const auto j = nlohmann::json::parse(Calc(job + "--tag FT-101 --note メモ --json").out);
    EXPECT_EQ(j["job"],
              nlohmann::json::parse(R"({"site":"","tag":"FT-101","installer":"","note":"メモ"})"));

    for (const auto& [option, text] :
         std::vector<std::pair<std::string, std::string>>{{"--note", "two\nlines"},
                                                          {"--site", "a\tb"},
                                                          {"--tag", "\x1b[2J"},
                                                          {"--tag", "FT\u202E1C-TV"},
                                                          {"--site", "North\u200Bworks"},
                                                          {"--tag", std::string(41, 'x')}}) {
        const CalcRun refused =
            Calc(job + "--json " + option + " " + Quoted(text) + " 2>/dev/null");
        EXPECT_EQ(refused.status, 1) << option;
        const auto e = nlohmann::json::parse(refused.out);
        EXPECT_EQ(e["error_column"], option.substr(2)) << refused.out;
        EXPECT_TRUE(e["error"].get<std::string>().starts_with(option == "--note"   ? "NOTE"
                                                              : option == "--site" ? "SITE"
                                                                                   : "TAG"))
            << refused.out;
    }
    // Forty characters are forty, whatever their bytes.
    std::string forty;
    for (int i = 0; i < 40; ++i) {
        forty += "計";
    }
    EXPECT_EQ(Calc(job + "--tag " + forty).status, 0);
    EXPECT_EQ(Calc(job + "--tag " + forty + "x 2>/dev/null").status, 1);

    // A sheet keeps them in its own columns, and a caption names a column too.
    const CalcRun sheet = CalcSheet("sensor,outer_diameter,wall,TAG,現場\n"
                                    "VT-C1,114.3,6,FT-1,北\nVT-C1,114.3,6,\"FT\n2\",\n");
    EXPECT_EQ(sheet.status, 1);
    const auto rows = ReadAll(sheet.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"VT-C1", "114.3", "6", "FT-1", "北", "65.47", "",
                                                 "", "", ""}));
    EXPECT_EQ(rows[2][8], "TAG cannot hold control characters (line breaks, tabs and the like)");
    // A direction override in a cell is refused as a control character is.
    const CalcRun bidi = CalcSheet("sensor,outer_diameter,wall,tag\nVT-C1,114.3,6,FT\u2066-1\n");
    EXPECT_EQ(bidi.status, 1);
    EXPECT_EQ(ReadAll(bidi.out)[1][7], "TAG cannot hold invisible format characters (direction "
                                       "marks and overrides, zero-width spaces)");
}

// A script reads the tables as JSON and feeds their designations back: every one of them
// must give the figures listed beside it, in both unit systems.
TEST(Program, ListedPipeSizesAreTheOnesTheOptionTakes) {
    for (const std::string units : {"metric", "imperial"}) {
        const CalcRun list = Calc("--json --list-pipe-sizes --units " + units);
        ASSERT_EQ(list.status, 0);
        const auto tables = nlohmann::json::parse(list.out);
        ASSERT_EQ(tables.size(), Quillmere::PipeTables().size());
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
    ASSERT_EQ(lists.size(), 7u); // the measuring point's two are held in calc_site_test
    std::string sheet = "sensor,mount,pipe,pipe_velocity,lining,lining_thickness,lining_velocity,"
                        "fluid,fluid_velocity\n";
    std::vector<std::pair<nlohmann::json::json_pointer, nlohmann::json>> expected;
    for (const auto& names : lists) {
        const std::string option = names["option"];
        if (option.starts_with("--upstream") || option == "--pipe-run") {
            continue;
        }
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
    EXPECT_EQ(
        first(vp.out),
        first(Calc("--lang en --sensor VT-C1 --pipe PVC --outer-diameter 114 --wall 6.6").out));
    EXPECT_NE(vp.out.find("\nPIPE MATERIAL: PVC\n"), std::string::npos);
    const CalcRun named =
        Calc("--lang en --sensor VT-C1 --pipe 'CARBON STEEL' --pipe-size 'VP 100'");
    EXPECT_EQ(first(named.out),
              first(Calc("--lang en --sensor VT-C1 --outer-diameter 114 --wall 6.6").out));
    EXPECT_NE(first(named.out), first(vp.out));

    const auto typed =
        nlohmann::json::parse(Calc("--pipe-size 'VP 100' --pipe-velocity 2400 --json").out);
    EXPECT_EQ(typed["pipe_material"], "配管音速");
    EXPECT_EQ(typed["metric_inputs"]["pipe_velocity_m_s"], 2400.0);
    const auto sus = nlohmann::json::parse(Calc("--pipe-size 'SUS 100A Sch10S' --json").out);
    EXPECT_EQ(sus["pipe_material"], "ｽﾃﾝﾚｽ");
    EXPECT_EQ(sus["metric_inputs"]["pipe_velocity_m_s"], 3141.0);
    EXPECT_EQ(
        nlohmann::json::parse(
            Calc("--pipe-size 'NPS 4 Sch40S' --json").out)["metric_inputs"]["pipe_velocity_m_s"],
        3141.0);
    EXPECT_EQ(
        nlohmann::json::parse(Calc("--outer-diameter 100 --wall 5 --json").out)["pipe_material"],
        "炭素鋼");
    // B36.10M's sizes are carbon steel unless told otherwise (and PVC Sch 40 when told).
    EXPECT_EQ(nlohmann::json::parse(Calc("--pipe-size 'NPS 4 Sch40' --json").out)["pipe_material"],
              "炭素鋼");
    EXPECT_EQ(nlohmann::json::parse(
                  Calc("--pipe-size 'NPS 4 Sch40' --pipe PVC --json").out)["pipe_material"],
              "塩化ﾋﾞﾆﾙ");

    const auto rows =
        ReadAll(CalcSheet("sensor,pipe,pipe_size\nVT-C1,,VU 100\nVT-C1,CARBON STEEL,VU 100\n").out);
    ASSERT_EQ(rows.size(), 3u);
    const auto result = [](const std::string& options) {
        return nlohmann::json::parse(
            Calc("--sensor VT-C1 --outer-diameter 114 --wall 3.1 --json " + options)
                .out)["result1"];
    };
    EXPECT_EQ(rows[1][3], result("--pipe PVC"));
    EXPECT_EQ(rows[2][3], result(""));
    EXPECT_NE(rows[1][3], rows[2][3]);
}
