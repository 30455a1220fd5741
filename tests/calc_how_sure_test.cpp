// quillmere-calc on how sure a spacing is: --tolerance and --measured-fluid-velocity, their
// sheet columns, the JSON figures, the lines of the results and the summary, the chart.
#include "CalcRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>
#include <string>

using namespace CalcTest;

namespace {
const std::string OneCase = "--lang en --sensor VT-C1 --outer-diameter 114.3 --wall 6 ";
}

// Every result carries how much each input read matters, metric; the ranges and the
// converter's check where asked, null where not.
TEST(HowSure, JsonFiguresOfEveryCase) {
    auto j = nlohmann::json::parse(Calc(OneCase + "--json").out);
    ASSERT_TRUE(j["sensitivity"].is_object());
    EXPECT_EQ(j["sensitivity"].size(), 4u); // no lining: its thickness and velocity are unread
    EXPECT_NEAR(j["sensitivity"]["outer_diameter"]["spacing_mm_per_unit"].get<double>(), 0.8334,
                1e-4);
    EXPECT_NEAR(j["sensitivity"]["wall"]["flow_error_percent_per_unit"].get<double>(), -400 / 102.3,
                1e-9);
    EXPECT_EQ(j["sensitivity"]["pipe_velocity"]["flow_error_percent_per_unit"].get<double>(), 0);
    EXPECT_TRUE(j["spacing_range_mm"].is_null());
    EXPECT_TRUE(j["flow_error_range_percent"].is_null());
    EXPECT_NEAR(j["delta_t_ns_per_m_s"].get<double>(), 82.23, 0.01);
    EXPECT_TRUE(j["measured_fluid"].is_null());

    j = nlohmann::json::parse(Calc(OneCase + "--tolerance wall=0.5 --tolerance outer_diameter=1 "
                                             "--measured-fluid-velocity 1480 --json")
                                  .out);
    ASSERT_EQ(j["spacing_range_mm"].size(), 2u);
    EXPECT_LT(j["spacing_range_mm"][0].get<double>(), j["spacing_mm"].get<double>());
    EXPECT_GT(j["spacing_range_mm"][1].get<double>(), j["spacing_mm"].get<double>());
    EXPECT_LT(j["flow_error_range_percent"][0].get<double>(), 0);
    EXPECT_NEAR(j["measured_fluid"]["difference_percent"].get<double>(), 40.0 / 1440 * 100, 1e-9);
    EXPECT_NEAR(j["measured_fluid"]["water_temperature_c"].get<double>(), 19.2, 0.05);
    // A velocity's plus/minus: a spacing range, no flow error.
    j = nlohmann::json::parse(Calc(OneCase + "--tolerance fluid_velocity=20 --json").out);
    EXPECT_EQ(j["flow_error_range_percent"], nlohmann::json::parse("[0.0, 0.0]"));
    // Imperial: the plus/minus in inches, the figures metric as the JSON's others.
    j = nlohmann::json::parse(Calc("--units imperial --sensor VT-C1 --outer-diameter 4.5 --wall "
                                   "0.2362 --tolerance wall=0.02 --json")
                                  .out);
    EXPECT_NEAR(j["spacing_range_mm"][1].get<double>() - j["spacing_range_mm"][0].get<double>(),
                2 * 0.02 * 25.4 * j["sensitivity"]["wall"]["spacing_mm_per_unit"].get<double>(),
                0.01);
}

// A plus/minus that cannot be used refuses the case, exit status 1 as other refused values;
// a --tolerance naming no input is a wrong command line.
TEST(HowSure, RefusalsOfTheCommandLine) {
    CalcRun run = Calc(OneCase + "--tolerance wall=-1 2>&1");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "WALL THICKNESS: the ± cannot be below 0\n");
    run = Calc(OneCase + "--tolerance wall=7 --json 2>/dev/null");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(nlohmann::json::parse(run.out)["error_column"], "wall_tolerance");
    EXPECT_EQ(Calc(OneCase + "--measured-fluid-velocity fast 2>&1").out,
              "FLUID S.V. the converter measures: Any data other than a number is not allowed\n");
    run = Calc(OneCase + "--tolerance thickness=1 2>&1");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("NAME one of outer_diameter, wall"), std::string::npos) << run.out;
    EXPECT_EQ(Calc(OneCase + "--tolerance --summary 2>/dev/null").status, 2);
}

// The results and the summary carry the lines; --tornado writes the chart as --sketch writes
// the drawing.
TEST(HowSure, LinesOfTheResultsAndTheSummaryAndTheChart) {
    const CalcRun run = Calc(OneCase + "--tolerance wall=0.5 --measured-fluid-velocity 1480");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\nTolerances: WALL THICKNESS ±0.5 mm\nSpacing range: 64.96 mm to "
                           "65.98 mm\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nTransit-time difference: 82.2 ns per 1 m/s of flow velocity\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("\nConverter's check: measured 1480 m/s is +2.78 % from the 1440 m/s "
                           "used; the spacing for it is 68.27 mm; it is water's velocity at "
                           "19.2 °C\n"),
              std::string::npos)
        << run.out;
    const std::string summary = Calc(OneCase + "--tolerance wall=0.5 --summary").out;
    EXPECT_NE(summary.find("\nSpacing range: 64.96 mm to 65.98 mm\n"), std::string::npos)
        << summary;
    EXPECT_EQ(Calc(OneCase + "--summary").out.find("Spacing range"), std::string::npos);
    const std::string chart = ScratchPath("tornado.svg");
    EXPECT_EQ(Calc(OneCase + "--tolerance wall=0.5 --tornado " + chart).status, 0);
    std::ifstream in(chart);
    const std::string svg{std::istreambuf_iterator<char>(in), {}};
    std::remove(chart.c_str());
    EXPECT_NE(svg.find(">WALL THICKNESS<"), std::string::npos);
    EXPECT_TRUE(Calc(OneCase + "--tornado -").out.starts_with("<?xml"));
    EXPECT_EQ(Calc(OneCase + "--json --tornado - 2>/dev/null").status, 2);
}

// A sheet takes a plus/minus column for each input and the measured velocity; it writes the
// spacing's range after its results where any plus/minus is given, and not otherwise.
TEST(HowSure, SheetColumns) {
    const CalcRun run =
        CalcSheet("sensor,outer_diameter,wall,wall_tolerance,fluid_velocity_tolerance,"
                  "measured_fluid_velocity\n"
                  "VT-C1,114.3,6,0.5,,1480\nVT-C1,114.3,6,,20,\nVT-C1,114.3,6,,,\n"
                  "VT-C1,114.3,6,x,,\n");
    EXPECT_EQ(run.status, 1);
    const auto rows = ReadAll(run.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].back(), "spacing_max");
    EXPECT_EQ(rows[1][11], "64.96");
    EXPECT_EQ(rows[1][12], "65.98");
    EXPECT_TRUE(rows[1][10].starts_with("Converter's check: measured 1480 m/s")) << rows[1][10];
    EXPECT_EQ(rows[3][11], "");
    EXPECT_EQ(rows[4][9], "WALL THICKNESS: the ± is not a number");
    // Without a plus/minus column, no range columns; the output given again reads the same.
    EXPECT_EQ(ReadAll(CalcSheet("sensor,outer_diameter,wall\nVT-C1,114.3,6\n").out)[0].back(),
              "notes");
    EXPECT_EQ(CalcSheet(run.out).out, run.out);
}
