// The record of a job: the sketch's scale and reference marks read back from its SVG
// (positions on paper, not pixels), and the summary's lines.
#include "catalogue/Catalogue.h"
#include "report/JobSheet.h"
#include "report/JobSummary.h"
#include "report/Sketch.h"
#include "rules/Lists.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

using namespace Quillmere;

namespace {

double Attribute(const std::string& svg, const std::string& element, const std::string& name) {
    std::smatch m;
    const std::regex pattern("id=\"" + element + "\"[^>]*" + name + "=\"([-0-9.]+)\"");
    if (!std::regex_search(svg, m, pattern)) {
        ADD_FAILURE() << "no " << name << " on " << element;
        return 0;
    }
    return std::stod(m[1].str());
}

// A computed job of the mounting method, units (0 metric) and language (0 Japanese).
JobRecord Computed(int mount, int unit, int lang, const char* od, const char* wall,
                   const char* lining = "", int sensor = 4 /* VT-C1 */) {
    Job e;
    e.Units = unit == 0 ? UnitSystem::Metric : UnitSystem::Imperial;
    e.Lang = lang == 0 ? Language::Japanese : Language::English;
    e.SensorTypeIndex = sensor;
    e.MountMethodIndex = mount;
    e.Text(InputField::OuterDiameter) = od;
    e.Text(InputField::WallThickness) = wall;
    if (*lining != 0) {
        e.LiningMaterialIndex = 3; // rubber
        e.Text(InputField::LiningThickness) = lining;
    }
    return RecordJob(e, MountMethodCount);
}

} // namespace

TEST(Sketch, StandardScalesLargestThatFits) {
    struct Row {
        double width, height, paperWidth, paperHeight, scale;
        const char* text;
    } rows[] = {
        {40, 20, 277, 160, 5, "5:1"},          {100, 50, 277, 160, 2, "2:1"},
        {200, 100, 277, 160, 1, "1:1"},        {300, 200, 277, 160, 0.5, "1:2"},
        {600, 350, 277, 160, 0.4, "1:2.5"},    {700, 500, 277, 160, 0.2, "1:5"},
        {2000, 1400, 277, 160, 0.1, "1:10"},   {6400, 6300, 180, 130, 0.02, "1:50"},
        {9000, 6300, 277, 160, 0.025, "1:40"},
    };
    for (const Row& r : rows) {
        const double scale = LargestStandardScale(r.width, r.height, r.paperWidth, r.paperHeight);
        if (std::string(r.text) == "1:40") { // not a standard scale: the next smaller one
            EXPECT_EQ(ScaleText(scale), "1:50");
            continue;
        }
        EXPECT_DOUBLE_EQ(scale, r.scale) << r.text;
        EXPECT_EQ(ScaleText(scale), r.text);
    }
}

// The dimension runs from mark to mark, and on paper it is the spacing at the printed scale;
// every method, both unit systems and both languages; the whole drawing lies on the page.
TEST(Sketch, MarksAreTheSpacingApartAtThePrintedScale) {
    const JobRecord jobs[] = {
        Computed(0, 0, 5000, "114.3", "6.0", "3"), Computed(1, 0, 0, "114.3", "6.0"),
        Computed(2, 1, 5000, "4.5", "0.25"),       Computed(3, 1, 0, "12", "0.5", "0.1"),
        Computed(0, 0, 5000, "6200", "60"),        Computed(1, 0, 0, "21.7", "2.8"),
    };
    for (const JobRecord& job : jobs) {
        for (const SketchArea& area : {SketchArea{}, SketchArea{180, 140, false, false}}) {
            const std::string svg = SketchSvg(job, area);
            const double scale = SketchScale(job, area);
            const double a = Attribute(svg, "markA", "data-x");
            const double b = Attribute(svg, "markB", "data-x");
            EXPECT_NEAR(b - a, job.Outcome.Breakdown.Spacing * scale, 0.011) << svg;
            // The Z method's way round the pipe goes with the drawing as with the summary.
            EXPECT_EQ(svg.find("id=\"circumferential\"") != std::string::npos,
                      job.MountMethodIndex == 1);
            EXPECT_NEAR(Attribute(svg, "dimension", "x1"), a, 0.011);
            EXPECT_NEAR(Attribute(svg, "dimension", "x2"), b, 0.011);
            // Nothing drawn leaves the page.
            const std::regex number("(?:x|y|x1|x2|y1|y2|width|height)=\"([-0-9.]+)\"");
            for (auto it = std::sregex_iterator(svg.begin(), svg.end(), number);
                 it != std::sregex_iterator(); ++it) {
                const double v = std::stod((*it)[1].str());
                EXPECT_GE(v, 0.0);
                EXPECT_LE(v, std::max(area.WidthMm, area.HeightMm));
            }
            const std::string unit = job.Units == UnitSystem::Metric ? " mm" : " inch";
            EXPECT_NE(svg.find(">" + job.Outcome.Display.Result1 + unit + "</text>"),
                      std::string::npos);
            const std::string scaleWords = job.Lang == Language::Japanese ? "尺度 " : "Scale ";
            EXPECT_EQ(SketchFooter(job, area).front(), scaleWords + ScaleText(scale));
            EXPECT_EQ(svg.find(scaleWords) != std::string::npos, area.Footer);
            // SVG shows a run of blanks as one: no text may lean on them to part its items.
            const std::regex text(">([^<]*)</text>");
            for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text);
                 it != std::sregex_iterator(); ++it) {
                EXPECT_EQ((*it)[1].str().find("  "), std::string::npos) << (*it)[1].str();
            }
        }
    }
}

// The stepped sensor types are drawn where they are mounted, whole 3 mm steps apart, so a
// print at 1:1 measures what its label says; the computed spacing is named beside it.
TEST(Sketch, SteppedSensorsStandAtTheirSteps) {
    for (const int unit : {0, 1}) {
        const JobRecord job = unit == 0 ? Computed(0, 0, 5000, "60.5", "3.9", "", 2)
                                        : Computed(0, 1, 5000, "2.3819", "0.1535", "", 3);
        const std::string svg = SketchSvg(job);
        const double scale = SketchScale(job, SketchArea{});
        const double mounted = std::trunc(job.Outcome.Breakdown.Spacing / 3) * 3;
        EXPECT_NEAR(Attribute(svg, "markB", "data-x") - Attribute(svg, "markA", "data-x"),
                    mounted * scale, 0.011);
        EXPECT_LT(mounted, job.Outcome.Breakdown.Spacing);
        EXPECT_NE(svg.find(">" + SteppedNote(job) + "</text>"), std::string::npos) << svg;
    }
    EXPECT_EQ(SteppedNote(Computed(0, 0, 5000, "60.5", "3.9", "", 2)),
              "53.45 mm computed, mounted at 17 steps = 51 mm");
}

TEST(JobSummary, EveryInputAndResultInTheJobsLanguage) {
    const std::string en =
        JobSummary(Computed(1, 1, 5000, "4.5", "0.25", "0.1"), "2026-12-07 10:00", "1.0.0");
    for (const char* line : {"Sensor spacing record\n", "Date and time: 2026-12-07 10:00\n",
                             "OUTER DIAMETER: 4.5 inch\n", "WALL THICKNESS: 0.25 inch\n",
                             "PIPE S.V.: 9842.52 ft/s (table value)\n", "LINING MATERIAL: RUBBER\n",
                             "LINING THICKNESS: 0.1 inch\n", "SENSOR MOUNT: Z METHOD\n",
                             "SENSOR TYPE: VT-C1\n", "SENSOR SPACING1: "}) {
        EXPECT_NE(en.find(line), std::string::npos) << line << en;
    }
    const std::string ja =
        JobSummary(Computed(3, 0, 0, "114.3", "6.0"), "2026-12-07 10:00", "1.0.0");
    EXPECT_NE(ja.find("ｾﾝｻ取付け法: W法\n"), std::string::npos) << ja;
    EXPECT_EQ(ja.find("ﾗｲﾆﾝｸﾞ厚さ"), std::string::npos); // no lining, no lining lines
}

// What the installer mounts by, said whole: a stepped spacing beside the one computed, the
// Z method's way round the pipe, table velocities in the units of the fields beside them.
TEST(JobSummary, SaysHowTheSensorsAreMounted) {
    const JobRecord stepped = Computed(0, 0, 5000, "60.5", "3.9", "", 2); // VT-A1/VT-A2
    const std::string en = JobSummary(stepped, "", "");
    EXPECT_NE(en.find("SENSOR SPACING1: 51 mm\nSENSOR SPACING2: 17 (3 mm steps)\n"
                      "53.45 mm computed, mounted at 17 steps = 51 mm\n"),
              std::string::npos)
        << en;
    const std::string ja = JobSummary(Computed(1, 1, 0, "2.38", "0.154", "", 3), "", "");
    for (const char* line :
         {"取付け寸法1: 1.181 inch\n", "計算値 1.237 inch、10 ステップ = 1.181 inch で取付け\n",
          "周方向距離: 3.738 inch\n", "配管音速: 9842.52 ft/s (表の値)\n",
          "流体音速: 4724.41 ft/s (表の値)\n"}) {
        EXPECT_NE(ja.find(line), std::string::npos) << line << ja;
    }
    const std::string z = JobSummary(Computed(1, 0, 5000, "114.3", "6.0", "3"), "", "");
    EXPECT_NE(z.find("SENSOR SPACING1: 22.98 mm\nCircumferential distance: 179.54 mm\n"),
              std::string::npos)
        << z;
    EXPECT_NE(z.find("LINING S.V.: 1510 m/s (table value)\n"), std::string::npos) << z;
    for (const int mount : {0, 2, 3}) { // both sensors on one side, or not a way round to tell
        EXPECT_EQ(Computed(mount, 0, 5000, "114.3", "6.0").Outcome.Display.Circumferential, "")
            << mount;
    }
    EXPECT_EQ(SteppedNote(Computed(0, 0, 5000, "114.3", "6.0")), "");
}

// A record names the standard size and the water temperature a helper typed, but only while
// the fields still hold the helper's figures: a wall typed over is no longer that size.
TEST(JobSummary, NamesWhatTheHelpersTypedWhileItStands) {
    const HelperNotes notes{"STPG 100A Sch40, JIS G 3454:2017",
                            "114.3",
                            "6",
                            "WATER 60 °C, Marczak 1997",
                            "1551",
                            "ISO 4179:2005",
                            "3",
                            FluidSource{60.0, {}, &Marczak1997}};
    Job e;
    e.Lang = Language::English;
    e.SensorTypeIndex = 4;
    e.Text(InputField::OuterDiameter) = "114.3";
    e.Text(InputField::WallThickness) = "6";
    e.LiningMaterialIndex = MortarEntry;
    e.Text(InputField::LiningThickness) = "3";
    e.FluidIndex = FluidUserEntry;
    e.FluidVelocityLocked = false;
    e.Text(InputField::FluidVelocity) = "1551";
    JobRecord job = RecordJob(e, MountMethodCount);
    AddHelperNotes(job, notes);
    const std::string both = JobSummary(job, "2026-12-07 10:00", "1.0.0");
    EXPECT_NE(both.find("WALL THICKNESS: 6 mm\nStandard pipe: STPG 100A Sch40, JIS G 3454:2017\n"),
              std::string::npos)
        << both;
    EXPECT_NE(both.find("FLUID S.V.: 1551 m/s (WATER 60 °C, Marczak 1997)\n"), std::string::npos)
        << both;
    EXPECT_NE(both.find("LINING THICKNESS: 3 mm (ISO 4179:2005)\n"), std::string::npos) << both;
    // Bore 114.3 - 2 (6 + 3) = 96.3 mm crossed twice at 24.48 degrees (sin = 1551 / 2505
    // sin 42): 211.6157 mm, shown cut to 211.61 as lengths are, at 1551 m/s 136.44 us.
    EXPECT_NE(both.find("\nFluid path: 211.61 mm (2 crossings), transit time 136.44 µs\n"),
              std::string::npos)
        << both;

    e.Text(InputField::WallThickness) =
        "6.0"; // the same figure, typed by the user: not the helper's
    e.Text(InputField::FluidVelocity) = "1550";
    e.Text(InputField::LiningThickness) = "3.0";
    job = RecordJob(e, MountMethodCount);
    AddHelperNotes(job, notes);
    const std::string neither = JobSummary(job, "2026-12-07 10:00", "1.0.0");
    EXPECT_EQ(neither.find("Standard pipe"), std::string::npos) << neither;
    EXPECT_EQ(neither.find("Marczak"), std::string::npos) << neither;
    EXPECT_EQ(neither.find("ISO 4179"), std::string::npos) << neither;

    // A fluid chosen by name again takes the table's velocity: the temperature no longer counts.
    e.Text(InputField::FluidVelocity) = "1551";
    e.FluidIndex = 0;
    e.FluidVelocityLocked = true;
    e.Lang = Language::Japanese;
    job = RecordJob(e, MountMethodCount);
    AddHelperNotes(job, notes);
    EXPECT_EQ(JobSummary(job, "", "").find("Marczak"), std::string::npos);
}

// A spacing clamped to 0 is not a place to mount the sensors: the record says what was
// computed, in the job's units, and a spacing shown as computed says nothing more.
TEST(JobSummary, SaysWhenTheSpacingWasClampedToZero) {
    const JobRecord small = Computed(1, 0, 5000, "20", "1");
    ASSERT_EQ(small.Outcome.Display.Result1, "0.00");
    const std::string en = JobSummary(small, "", "");
    EXPECT_NE(en.find("SENSOR SPACING1: 0.00 mm\n"), std::string::npos) << en;
    EXPECT_NE(en.find("\nNote: the computed spacing is -25.67 mm, below 0, and is shown as 0;"),
              std::string::npos)
        << en;
    const std::string ja = JobSummary(Computed(1, 1, 0, "0.8", "0.04"), "", "");
    EXPECT_NE(ja.find("\n注意: 計算した取付け寸法は -1.004 inch で 0 未満"), std::string::npos)
        << ja;

    for (const JobRecord& shown :
         {Computed(1, 0, 5000, "114.3", "6.0"), Computed(0, 1, 0, "4.5", "0.25")}) {
        EXPECT_EQ(BelowZeroNote(shown), "") << shown.Outcome.Display.Result1;
    }
}

// A job written as a sheet line reads back as the job it was, in either language and
// units, whatever its texts hold; a file edited by hand is read as far as it is valid.
TEST(JobSheet, LinesReadBackAsTheJobsTheyWere) {
    JobRecord metric = Computed(1, 0, 5000, "1,234.5", "10", "3");
    metric.Identity[IdentityItem::Site] = "Works \"North\", line 2";
    metric.Identity[IdentityItem::Note] = "two  blanks, \"quoted\"";
    JobRecord imperial = Computed(3, 1, 0, "4.5", "0.237");
    const std::string sheet = JobSheetHeader() + JobSheetLine(metric, "2026-12-09 10:48:12") +
                              JobSheetLine(imperial, "2026-12-09 10:49:00");
    const std::vector<SheetJob> jobs = ReadJobSheet(sheet);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].Time, "2026-12-09 10:48:12");
    EXPECT_EQ(jobs[0].MountMethodIndex, 1);
    EXPECT_EQ(jobs[0].LiningMaterialIndex, 3);
    EXPECT_EQ(jobs[0].Texts, metric.Texts);
    EXPECT_EQ(jobs[0].Identity.Texts, metric.Identity.Texts);
    EXPECT_EQ(jobs[0].Result1, metric.Outcome.Display.Result1);
    EXPECT_EQ(jobs[0].Circumferential, metric.Outcome.Display.Circumferential);
    EXPECT_EQ(jobs[1].Units, UnitSystem::Imperial);
    EXPECT_EQ(jobs[1].Lang, Language::Japanese);
    EXPECT_EQ(jobs[1].MountMethodIndex, 3); // W: the sheet keeps what the window lacks
    EXPECT_EQ(jobs[1].Result1, imperial.Outcome.Display.Result1);

    // CRLF, a byte order mark and an empty line change nothing; a record of another width
    // or an unknown name is passed over; a quoted field left open ends the reading there.
    std::string edited = "\xEF\xBB\xBF" + sheet;
    for (std::size_t at = 0; (at = edited.find('\n', at)) != std::string::npos; at += 2) {
        edited.replace(at, 1, "\r\n");
    }
    EXPECT_EQ(ReadJobSheet(edited).size(), 2u);
    EXPECT_EQ(ReadJobSheet(sheet + "\nshort,row\n" + JobSheetLine(metric, "x")).size(), 3u);
    std::string unknown = JobSheetLine(metric, "y");
    unknown.replace(unknown.find("RUBBER"), 6, "RUBBA");
    EXPECT_EQ(ReadJobSheet(sheet + unknown).size(), 2u);
    EXPECT_EQ(ReadJobSheet(sheet + "\"open,quote\n" + JobSheetLine(metric, "z")).size(), 2u);
    EXPECT_TRUE(ReadJobSheet("time,lang\n" + JobSheetLine(metric, "w")).empty());

    // Opened in a spreadsheet, no text runs as a formula; read back, each is as typed.
    JobRecord hostile = metric;
    hostile.Identity[IdentityItem::Site] = "=HYPERLINK(\"http://evil.example\",\"x\")";
    hostile.Identity[IdentityItem::Tag] = "+1-2";
    hostile.Identity[IdentityItem::Installer] = "@SUM(A1)";
    hostile.Identity[IdentityItem::Note] = "-3+4";
    const std::string line = JobSheetLine(hostile, "2026-12-09 10:50:00");
    EXPECT_NE(line.find(",\"'=HYPERLINK(\"\"http://evil.example\"\",\"\"x\"\")\",'+1-2,'@SUM(A1),"
                        "'-3+4,"),
              std::string::npos)
        << line;
    const std::vector<SheetJob> back = ReadJobSheet(JobSheetHeader() + line);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].Identity.Texts, hostile.Identity.Texts);
}
