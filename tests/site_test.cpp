// The measuring point: the table of straight runs against every source's figure in the
// docs, the runs in the pipe's length (never short), the site's runs checked, the sensors'
// places for each run and method, the refusals, and the site sketch.
#include "catalogue/Catalogue.h"
#include "report/SiteSketch.h"
#include "rules/MeasuringPoint.h"
#include "rules/Rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using namespace Quillmere;

namespace {

JobRecord Computed(const char* od, const char* wall, Language lang = Language::English,
                   UnitSystem units = UnitSystem::Metric, MountMethod mount = MountMethod::V) {
    Job job;
    job.Lang = lang;
    job.Units = units;
    job.SensorTypeIndex = 4;
    job.MountMethodIndex = static_cast<int>(mount);
    job.Text(InputField::OuterDiameter) = od;
    job.Text(InputField::WallThickness) = wall;
    LockVelocitiesByLists(job);
    return RecordJob(job, MountMethodCount);
}

SiteInput Sides(const char* up, const char* down, const char* availableUp = "",
                const char* availableDown = "", const char* run = "") {
    return {up, down, availableUp, availableDown, run};
}

// A row of the docs' table: the kind's name and each column's "up / down", "—" or
// "not held".
struct DocsRow {
    std::string Key;
    std::vector<std::string> Cells;
};

std::vector<DocsRow> DocsTable() {
    std::ifstream in(QUILLMERE_DOCS "/measuring-point.md");
    std::vector<DocsRow> rows;
    const std::regex row(R"(^\| `([a-z-]+)`[^|]*((\|[^|]*)+)\|$)");
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (!std::regex_match(line, m, row)) {
            continue;
        }
        DocsRow r{m[1], {}};
        std::stringstream cells(m[2].str().substr(1));
        for (std::string cell; std::getline(cells, cell, '|');) {
            const auto first = cell.find_first_not_of(' ');
            const auto last = cell.find_last_not_of(' ');
            r.Cells.push_back(first == std::string::npos ? ""
                                                         : cell.substr(first, last - first + 1));
        }
        rows.push_back(r);
    }
    return rows;
}

std::pair<int, int> Figures(const std::string& cell) {
    int up = 0, down = 0;
    EXPECT_EQ(std::sscanf(cell.c_str(), "%d / %d", &up, &down), 2) << cell;
    return {up, down};
}

} // namespace

// Every kind of the code's table has its row in the docs, with each source's own figure; the
// code's figure is the largest of them, and a kind is held only where three makers' figures
// were read. A figure changed in one place and not the other fails here.
TEST(StraightRuns, EachRowIsTheLargestOfItsSourcesInTheDocs) {
    const std::vector<DocsRow> rows = DocsTable();
    ASSERT_EQ(rows.size(), Fittings.size());
    for (const FittingRecord& f : Fittings) {
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const DocsRow& r) { return r.Key == f.Key; });
        ASSERT_NE(row, rows.end()) << f.Key;
        ASSERT_EQ(row->Cells.size(), 5u) << f.Key; // four makers and Quillmere
        int sources = 0, up = 0, down = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            if (row->Cells[i] != "—") {
                const auto [u, d] = Figures(row->Cells[i]);
                up = std::max(up, u);
                down = std::max(down, d);
                ++sources;
            }
        }
        if (f.Id == Fitting::Straight) {
            EXPECT_EQ(sources, 0);
        } else {
            EXPECT_EQ(f.Held, sources >= 3) << f.Key;
        }
        if (!f.Held) {
            EXPECT_EQ(row->Cells[4], "not held") << f.Key;
            continue;
        }
        EXPECT_EQ(Figures(row->Cells[4]),
                  std::make_pair(f.UpstreamDiameters, f.DownstreamDiameters))
            << f.Key;
        EXPECT_EQ(std::make_pair(up, down),
                  std::make_pair(f.UpstreamDiameters, f.DownstreamDiameters))
            << f.Key;
    }
}

// The run is the diameters times the outer diameter, rounded up, never down: 20 D of
// 114.3 mm is 2,286 mm exactly (not 2,287 for binary 2286.0000000000005), 20 D of 60.5 mm
// is 1,210, and a fraction of a millimetre more is a whole millimetre more. In inches, to
// the tenth above.
TEST(StraightRuns, InThePipesLengthNeverShort) {
    SitePlan plan = PlanSite(Computed("114.3", "6"), Sides("elbow", "pump"));
    ASSERT_TRUE(plan.Ok()) << plan.Error;
    EXPECT_EQ(plan.Up.Diameters, 20);
    EXPECT_DOUBLE_EQ(plan.Up.RequiredMm, 20 * 114.3);
    EXPECT_EQ(plan.Up.Text, "upstream 20 D = 2,286 mm");
    EXPECT_EQ(plan.Down.Text, "downstream 20 D = 2,286 mm");
    EXPECT_EQ(RunLengthText(2286.01, UnitSystem::Metric, true), "2,287 mm");
    EXPECT_EQ(RunLengthText(2286.01, UnitSystem::Metric, false), "2,286 mm");
    EXPECT_EQ(RunLengthFigure(0, UnitSystem::Metric, true), "0");

    plan = PlanSite(Computed("4.5", "0.237", Language::English, UnitSystem::Imperial),
                    Sides("two-elbows-out-of-plane", ""));
    ASSERT_TRUE(plan.Ok()) << plan.Error;
    EXPECT_EQ(plan.Up.Text, "upstream 40 D = 180.0 inch");
    EXPECT_FALSE(plan.Down.Kind);
    EXPECT_EQ(RunLengthText(25.4 * 180.01, UnitSystem::Imperial, true), "180.1 inch");
}

// The site's run against the one required: enough at exactly the run, short by what is
// missing (rounded up: 0.4 mm short is 1 mm short, never "0 mm short").
TEST(StraightRuns, TheSitesRunIsEnoughOrShortByHowMuch) {
    const JobRecord job = Computed("114.3", "6");
    SitePlan plan = PlanSite(job, Sides("elbow", "elbow", "2286", "1,142.6"));
    ASSERT_TRUE(plan.Ok()) << plan.Error;
    EXPECT_EQ(plan.Up.Enough, true);
    EXPECT_EQ(plan.Up.Text, "upstream 20 D = 2,286 mm; the 2,286 mm the site has is enough");
    EXPECT_EQ(plan.Down.Enough, false);
    EXPECT_EQ(plan.Down.Text,
              "downstream 10 D = 1,143 mm; the 1,143 mm the site has is 1 mm short");

    plan = PlanSite(Computed("114.3", "6", Language::Japanese), Sides("ポンプ", "", "3000"));
    ASSERT_TRUE(plan.Ok()) << plan.Error;
    EXPECT_EQ(plan.Up.Text, "上流側 30 D = 3,429 mm、現場の 3,000 mm では 429 mm 不足します");
    EXPECT_FALSE(plan.Down.AvailableMm);

    // Imperial lengths are inches.
    plan = PlanSite(Computed("4.5", "0.237", Language::English, UnitSystem::Imperial),
                    Sides("elbow", "", "90"));
    ASSERT_TRUE(plan.Ok()) << plan.Error;
    EXPECT_EQ(plan.Up.Enough, true);
    EXPECT_DOUBLE_EQ(*plan.Up.AvailableMm, 90 * 25.4);
}

// Names in either language, in any case or width, as the lists take theirs.
TEST(StraightRuns, FittingsByKeyOrNameInEitherLanguage) {
    for (const FittingRecord& f : Fittings) {
        EXPECT_EQ(FittingNamed(f.Key), f.Id);
        EXPECT_EQ(FittingNamed(Catalogue::Text(f.NameId, Language::English)), f.Id);
        EXPECT_EQ(FittingNamed(Catalogue::Text(f.NameId, Language::Japanese)), f.Id);
    }
    EXPECT_EQ(FittingNamed(" PUMP "), Fitting::Pump);
    EXPECT_EQ(FittingNamed("ｐｕｍｐ"), Fitting::Pump);
    EXPECT_EQ(PipeRunNamed("Up"), PipeRun::Up);
    EXPECT_EQ(PipeRunNamed("水平"), PipeRun::Horizontal);
    EXPECT_FALSE(FittingNamed("elbows"));
    EXPECT_FALSE(PipeRunNamed("sideways"));
}

// What cannot be planned is refused with the input it is about, never given a run: an unknown
// kind, a kind no three makers' figures hold, a length that is none, below 0 or beyond a
// kilometre, a site run without its fitting, an unknown pipe run.
TEST(StraightRuns, RefusalsNameTheirInput) {
    const JobRecord job = Computed("114.3", "6");
    const struct {
        SiteInput Site;
        int Input;
        const char* Says;
    } cases[] = {
        {Sides("elbw", ""), 0, "\"elbw\" is no kind of fitting (straight, elbow, "},
        {Sides("", "tee"), 1, "No straight run is held for a tee: fewer than three makers'"},
        {Sides("expander", ""), 0, "No straight run is held for a expander"},
        {Sides("elbow", "", "2 m"), 2,
         "Straight run the site has upstream is not a length (\"2 m\")"},
        {Sides("elbow", "", "114,3"), 2, "is not a length (\"114,3\")"},
        {Sides("elbow", "elbow", "", "-1"), 3,
         "Straight run the site has downstream cannot be below 0"},
        {Sides("elbow", "", "1000001"), 2, "can be at most 1,000,000 mm"},
        {Sides("", "", "5000"), 2, "is given with the kind of fitting"},
        {Sides("elbow", "", "", "", "sideways"), 4, "\"sideways\" is no pipe run"},
        {Sides("\x1b[2Jelbow", ""), 0, "\"\\x1b[2Jelbow\" is no kind of fitting"},
    };
    for (const auto& c : cases) {
        const SitePlan plan = PlanSite(job, c.Site);
        EXPECT_FALSE(plan.Ok()) << c.Says;
        EXPECT_EQ(plan.ErrorInput, c.Input) << plan.Error;
        EXPECT_NE(plan.Error.find(c.Says), std::string::npos) << plan.Error;
    }
    EXPECT_TRUE(PlanSite(job, Sides("elbow", "", "1,000,000")).Ok());
}

// Around the pipe: on a horizontal pipe at 3 o'clock, both for V and W, 3 and 9 for Z and N
// with Z's circumferential distance; a vertical pipe names no hour, and a downward flow is
// warned of.
TEST(SensorPosition, ForEachRunAndMethod) {
    SitePlan plan = PlanSite(Computed("114.3", "6"), Sides("", "", "", "", ""));
    EXPECT_EQ(plan.Run, PipeRun::Horizontal);
    EXPECT_EQ(plan.Clock, (std::array<int, 2>{3, 3}));
    EXPECT_FALSE(plan.OppositeSides);
    EXPECT_EQ(plan.Placement, "V method: both sensors on one side, at 3 o'clock");
    EXPECT_NE(plan.Rule.find("within 45° of the horizontal plane"), std::string::npos);

    const JobRecord z =
        Computed("114.3", "6", Language::English, UnitSystem::Metric, MountMethod::Z);
    plan = PlanSite(z, Sides("", ""));
    EXPECT_EQ(plan.Clock, (std::array<int, 2>{3, 9}));
    EXPECT_EQ(plan.Placement, "Z method: the sensors on opposite sides, at 3 and 9 o'clock, " +
                                  z.Outcome.Display.Circumferential + " mm apart around the pipe");
    plan = PlanSite(Computed("114.3", "6", Language::English, UnitSystem::Metric, MountMethod::W),
                    Sides("", "", "", "", "up"));
    EXPECT_FALSE(plan.OppositeSides);
    EXPECT_EQ(plan.Placement, "W method: both sensors on one side");
    EXPECT_NE(plan.Rule.find("flow upwards: the pipe runs full"), std::string::npos);
    plan = PlanSite(Computed("114.3", "6", Language::English, UnitSystem::Metric, MountMethod::N),
                    Sides("", "", "", "", "down"));
    EXPECT_TRUE(plan.OppositeSides);
    EXPECT_NE(plan.Rule.find("may not run full"), std::string::npos);
}

// The sketch names both fittings and dimensions the runs as the plan says them, marks an
// enough and a short run apart, and escapes nothing it draws into markup.
TEST(SiteSketch, DrawsThePlan) {
    const JobRecord job = Computed("114.3", "6");
    const SitePlan plan = PlanSite(job, Sides("elbow", "control-valve", "5000", "100"));
    ASSERT_TRUE(plan.Ok());
    const std::string svg = SiteSketchSvg(job, plan);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("one 90° elbow or bend"), std::string::npos);
    EXPECT_NE(svg.find("control or partly open valve"), std::string::npos);
    EXPECT_NE(svg.find("required 20 D = 2,286 mm"), std::string::npos);
    EXPECT_NE(svg.find("available 5,000 mm ✓"), std::string::npos);
    EXPECT_NE(svg.find("available 100 mm ✗"), std::string::npos);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    // Nothing given: both ends "(not given)", no dimension.
    const std::string bare = SiteSketchSvg(job, PlanSite(job, {}));
    EXPECT_NE(bare.find("(not given)"), std::string::npos);
    EXPECT_EQ(bare.find("required"), std::string::npos);
}
