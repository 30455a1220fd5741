// quillmere-calc on the measuring point: the options and their sheet columns, the lines of
// the results and the summary, the JSON, --list-names and the site sketch.
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

// The runs follow the results, the summary carries them, and a refusal exits 1 naming the
// option's input; without them the output is what it always was.
TEST(MeasuringPoint, ResultsAndSummaryLines) {
    CalcRun run = Calc(OneCase + "--upstream elbow --available-upstream 2000 --downstream pump "
                                 "--pipe-run up");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Straight runs:\n  upstream 20 D = 2,286 mm; the 2,000 mm the site "
                           "has is 286 mm short (one 90° elbow or bend)\n  downstream 20 D = "
                           "2,286 mm (pump)\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Sensors' position: V method: both sensors on one side\n  Vertical "
                           "pipe, flow upwards"),
              std::string::npos)
        << run.out;
    EXPECT_NE(Calc(OneCase + "--upstream elbow --summary").out.find("  upstream 20 D = 2,286 mm"),
              std::string::npos);
    EXPECT_EQ(Calc(OneCase).out.find("Straight runs"), std::string::npos);

    run = Calc(OneCase + "--upstream tee 2>&1");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "No straight run is held for a tee: fewer than three makers' published "
                       "figures could be read; follow the converter's manual\n");
    run = Calc(OneCase + "--upstream elbow --available-upstream 2m --json");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(nlohmann::json::parse(run.out)["error_column"], "available_upstream");
}

// JSON: metric figures for each side given, null for one not given, the position's rule; a
// job without a measuring point says null, so scripts can tell.
TEST(MeasuringPoint, JsonStraightRun) {
    auto j = nlohmann::json::parse(
        Calc(OneCase + "--mount Z --upstream two-elbows-in-plane --available-upstream 4000 --json")
            .out);
    const auto& site = j["straight_run"];
    EXPECT_EQ(site["upstream"]["kind"], "two-elbows-in-plane");
    EXPECT_EQ(site["upstream"]["diameters"], 30);
    EXPECT_NEAR(site["upstream"]["mm"].get<double>(), 3429, 1e-9);
    EXPECT_EQ(site["upstream"]["available_mm"], 4000.0);
    EXPECT_EQ(site["upstream"]["enough"], true);
    EXPECT_TRUE(site["downstream"].is_null());
    EXPECT_EQ(site["position"]["clock"], nlohmann::json::parse("[3, 9]"));
    EXPECT_EQ(site["position"]["opposite_sides"], true);
    EXPECT_EQ(site["position"]["pipe_run"], "horizontal");
    EXPECT_TRUE(nlohmann::json::parse(Calc(OneCase + "--json").out)["straight_run"].is_null());
    // Imperial: the available run typed in inches, the figures metric.
    j = nlohmann::json::parse(Calc("--units imperial --sensor VT-C1 --outer-diameter 4.5 --wall "
                                   "0.237 --downstream pump --available-downstream 80 --json")
                                  .out);
    EXPECT_NEAR(j["straight_run"]["downstream"]["available_mm"].get<double>(), 2032, 1e-9);
    EXPECT_EQ(j["straight_run"]["downstream"]["enough"], false);
    EXPECT_EQ(j["straight_run"]["position"]["clock"], nlohmann::json::parse("[3, 3]"));
}

// A sheet's columns take the same inputs, rows each their own; the runs come back in the
// sheet's length unit, only where a row or the options name the measuring point.
TEST(MeasuringPoint, SheetColumns) {
    const std::string path = ScratchPath("site.csv");
    std::ofstream(path) << "units,sensor,outer_diameter,wall,upstream,downstream,"
                           "available_upstream\n"
                           "metric,VT-C1,114.3,6,elbow,,3000\n"
                           "imperial,VT-C1,4.5,0.237,,control-valve,\n"
                           "metric,VT-C1,114.3,6,tee,,\n"
                           "metric,VT-C1,114.3,6,,,\n";
    const CalcRun run = Calc("--sheet " + path);
    const auto rows = ReadAll(run.out);
    ASSERT_EQ(rows.size(), 5u) << run.out;
    const auto& header = rows[0];
    const auto at = [&](const char* name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                        header.begin());
    };
    ASSERT_LT(at("downstream_min"), header.size());
    EXPECT_EQ(rows[1][at("upstream_min")], "2,286");
    EXPECT_EQ(rows[1][at("downstream_min")], "");
    EXPECT_EQ(rows[2][at("downstream_min")], "90.0");
    EXPECT_EQ(rows[3][at("upstream_min")], "");
    EXPECT_NE(rows[3][at("error")].find("T 字管 の直管長は持っていません"), std::string::npos);
    EXPECT_EQ(rows[4][at("upstream_min")], "");
    EXPECT_EQ(rows[4][at("error")], "");
    // A sheet that names no measuring point gains no such columns.
    std::ofstream(path) << "sensor,outer_diameter,wall\nVT-C1,114.3,6\n";
    EXPECT_EQ(Calc("--sheet " + path).out.find("upstream_min"), std::string::npos);
}

// Every fitting --list-names gives is taken by --upstream as the kind it is listed as, with
// its figures; those listed as not held are refused. The pipe runs likewise.
TEST(MeasuringPoint, ListedNamesAreTaken) {
    const auto lists = nlohmann::json::parse(Calc("--json --list-names --lang en").out);
    int taken = 0;
    for (const auto& list : lists) {
        const std::string option = list["option"];
        for (const auto& entry : list["entries"]) {
            for (const std::string name : entry["names"]) {
                if (option == "--upstream, --downstream") {
                    const CalcRun run =
                        Calc(OneCase + "--upstream \"" + name + "\" --json 2>/dev/null");
                    const auto j = nlohmann::json::parse(run.out);
                    if (entry["upstream_diameters"].is_null()) {
                        EXPECT_EQ(run.status, 1) << name;
                        continue;
                    }
                    EXPECT_EQ(j["straight_run"]["upstream"]["kind"], entry["key"]) << name;
                    EXPECT_EQ(j["straight_run"]["upstream"]["diameters"],
                              entry["upstream_diameters"])
                        << name;
                    ++taken;
                } else if (option == "--pipe-run") {
                    const auto j = nlohmann::json::parse(
                        Calc(OneCase + "--pipe-run \"" + name + "\" --json").out);
                    EXPECT_EQ(j["straight_run"]["position"]["pipe_run"], entry["key"]) << name;
                    ++taken;
                }
            }
        }
    }
    EXPECT_EQ(taken, 8 * 2 + 3 * 2);
}

// --site-sketch writes the drawing, one case only, to a file or standard output.
TEST(MeasuringPoint, SiteSketchFile) {
    const std::string path = ScratchPath("site.svg");
    ASSERT_EQ(Calc(OneCase + "--upstream pump --site-sketch " + path).status, 0);
    std::ifstream in(path);
    const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("required 30 D = 3,429 mm"), std::string::npos);
    const CalcRun out = Calc(OneCase + "--site-sketch -");
    EXPECT_EQ(out.out.rfind("<?xml", 0), 0u);
    EXPECT_NE(out.out.find("(not given)"), std::string::npos);
    EXPECT_EQ(Calc(OneCase + "--site-sketch x --sheet y 2>&1").out,
              "quillmere-calc: --site-sketch draws one case, not a sheet\n");
}
