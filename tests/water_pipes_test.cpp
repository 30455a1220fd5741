// The pipes of water works and building services: ductile iron (JIS G 5526, ISO 2531) with
// its mortar lining, light-gauge stainless (JIS G 3448) and copper tube (ASTM B88, JIS H
// 3300). As for the steel tables, every row is held against a second source: published
// masses, the standards' own identities, and the other tables that give the same pipe.
#include "PipeTablesTest.h"
#include "catalogue/Catalogue.h"
#include "report/CsvStream.h"
#include "rules/Rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

using namespace Quillmere;
using namespace PipeTablesTest;

namespace {

std::string Choose(std::string_view designation, int unit = 0) {
    const PipeChoice c = ChoosePipeSize(
        designation, unit == 0 ? UnitSystem::Metric : UnitSystem::Imperial, Language::English);
    if (!c.Error.empty()) {
        return c.Error;
    }
    return c.OuterText + " x " + c.WallText + (c.Lining ? " + " + c.LiningText : "");
}

// Inches (to 0.001) in millimetres to two decimals, rounded half to even as JIS Z 8401
// rounds: 0.375 in is 9.525 mm, printed 9.52; 0.625 in is 15.875 mm, printed 15.88.
double JisMillimetres(double inches) {
    const long long tenThousandths = std::llround(inches * 254000); // mm x 10^4
    long long hundredths = tenThousandths / 100;
    const long long rest = tenThousandths % 100;
    if (rest > 50 || (rest == 50 && hundredths % 2 == 1)) {
        ++hundredths;
    }
    return static_cast<double>(hundredths) / 100;
}

} // namespace

// ASTM B88's plain-end masses in lb/ft (copper, 0.323 lb/in3): pi (D - t) t 12 x 0.323,
// to the three significant digits printed.
TEST(CopperTube, WallsMatchPublishedMasses) {
    const std::map<std::string, std::array<double, 3>> pounds{
        {"1/4", {0.145, 0.126, 0}},      {"3/8", {0.269, 0.198, 0.145}},
        {"1/2", {0.344, 0.285, 0.204}},  {"5/8", {0.418, 0.362, 0}},
        {"3/4", {0.641, 0.455, 0.328}},  {"1", {0.839, 0.655, 0.465}},
        {"1-1/4", {1.04, 0.884, 0.682}}, {"1-1/2", {1.36, 1.14, 0.940}},
        {"2", {2.06, 1.75, 1.46}},       {"2-1/2", {2.93, 2.48, 2.03}},
        {"3", {4.00, 3.33, 2.68}},       {"3-1/2", {5.12, 4.29, 3.58}},
        {"4", {6.51, 5.38, 4.66}},       {"5", {9.67, 7.61, 6.66}},
        {"6", {13.9, 10.2, 8.92}},       {"8", {25.9, 19.3, 16.5}},
        {"10", {40.3, 30.1, 25.6}},      {"12", {57.8, 40.4, 36.7}},
    };
    const PipeTable& t = Table("CU");
    ASSERT_EQ(t.Rows.size(), pounds.size());
    for (const PipeSizeRow& r : t.Rows) {
        const auto& published = pounds.at(std::string(r.Size));
        // The outer diameter is the nominal size and 1/8 in; millimetres are inches x 25.4.
        double nominal = 0;
        const std::string size(r.Size);
        if (const auto slash = size.find('/'); slash != std::string::npos) {
            const auto hyphen = size.find('-');
            const double whole =
                hyphen == std::string::npos ? 0 : std::stod(size.substr(0, hyphen));
            const auto start = hyphen == std::string::npos ? 0 : hyphen + 1;
            nominal = whole + std::stod(size.substr(start, slash - start)) /
                                  std::stod(size.substr(slash + 1));
        } else {
            nominal = std::stod(size);
        }
        EXPECT_DOUBLE_EQ(r.OuterInch, nominal + 0.125) << r.Size.View();
        EXPECT_NEAR(r.OuterMm, r.OuterInch * 25.4, 1e-9) << r.Size.View();
        for (std::size_t c = 0; c < 3; ++c) {
            const std::string cell = "CU " + size + " " + std::string(t.Schedules[c]);
            EXPECT_EQ(r.WallInch[c] > 0, published[c] > 0) << cell;
            EXPECT_NEAR(r.WallMm[c], r.WallInch[c] * 25.4, 1e-9) << cell;
            if (published[c] > 0) {
                const double d = r.OuterInch;
                const double w = r.WallInch[c];
                const double mass = 3.14159265358979 * (d - w) * w * 12 * 0.323;
                const double unit = std::pow(10.0, std::floor(std::log10(published[c])) - 2);
                EXPECT_LE(std::abs(mass - published[c]), 0.5 * unit + 1e-9)
                    << cell << ": computed " << mass << ", published " << published[c];
            }
        }
        // Type K is the thickest, M the thinnest.
        EXPECT_GT(r.WallInch[0], r.WallInch[1]) << r.Size.View();
        EXPECT_GT(r.WallInch[1], r.WallInch[2]) << r.Size.View();
    }
}

// JIS H 3300 gives ASTM B88's tubes in millimetres to 0.01, rounded as JIS rounds; its type
// K stops at 50A and it has no 3-1/2 or 8 to 12 in sizes.
TEST(CopperTube, JisFiguresAreAstmsInMillimetres) {
    const PipeTable& jis = Table("CU-JIS");
    const PipeTable& astm = Table("CU");
    for (const PipeSizeRow& r : jis.Rows) {
        const std::string inch = std::string(r.Alias.empty() ? r.Size : r.Alias)
                                     .substr(0, (r.Alias.empty() ? r.Size : r.Alias).size() - 1);
        const PipeSizeRow* a = Row(astm, inch);
        ASSERT_NE(a, nullptr) << r.Size.View();
        EXPECT_DOUBLE_EQ(r.OuterMm, JisMillimetres(a->OuterInch)) << r.Size.View();
        for (std::size_t c = 0; c < 3; ++c) {
            if (r.WallMm[c] > 0) {
                EXPECT_DOUBLE_EQ(r.WallMm[c], JisMillimetres(a->WallInch[c]))
                    << r.Size.View() << " " << jis.Schedules[c];
            }
        }
        const bool kHeld = r.OuterMm < 60;
        EXPECT_EQ(r.WallMm[Column(jis, "K")] > 0, kHeld) << r.Size.View();
    }
    EXPECT_EQ(jis.Rows.size(), 14u);
}

// JIS G 3448's tubes share their diameters with the copper tubes below 30Su and with SGP's
// steel pipes from 30Su; one wall a size, 0.7 to 3.0 mm, never thinner for a larger size.
TEST(LightStainless, DiametersAreCopperAndSteelOnes) {
    const PipeTable& su = Table("SU");
    const PipeTable& copper = Table("CU-JIS");
    const PipeTable& sgp = Table("SGP");
    const std::map<std::string, std::string> same{
        {"8", "8A"},     {"10", "10A"},   {"13", "15A"},   {"20", "20A"},   {"25", "25A"},
        {"30", "25A"},   {"40", "32A"},   {"50", "40A"},   {"60", "50A"},   {"75", "65A"},
        {"80", "80A"},   {"100", "100A"}, {"125", "125A"}, {"150", "150A"}, {"200", "200A"},
        {"250", "250A"}, {"300", "300A"}};
    ASSERT_EQ(su.Rows.size(), same.size());
    double last = 0;
    for (const PipeSizeRow& r : su.Rows) {
        const std::string& other = same.at(std::string(r.Size));
        const PipeTable& t = std::stoi(std::string(r.Size)) < 30 ? copper : sgp;
        ASSERT_NE(Row(t, other), nullptr) << r.Size.View();
        EXPECT_EQ(r.OuterMm, Row(t, other)->OuterMm)
            << r.Size.View() << " and " << t.Key << " " << other;
        EXPECT_GE(r.WallMm[0], std::max(last, 0.7)) << r.Size.View();
        EXPECT_LE(r.WallMm[0], 3.0) << r.Size.View();
        last = r.WallMm[0];
    }
    EXPECT_EQ(Choose("SU 50"), "48.6 x 1.2"); // as JIS G 3448 names it: Su50 x 1.2
}

// ISO 2531 defines class K9's wall: 9 (0.5 + 0.001 DN) mm, at least 6.0, to 0.1 mm. Its
// external diameters are EN 545:2010's, which prints them for DN 80 to 1000.
TEST(DuctileIron, IsoWallsAndDiameters) {
    const PipeTable& iso = Table("DN");
    for (const PipeSizeRow& r : iso.Rows) {
        const double dn = std::stod(std::string(r.Size));
        const double formula = std::max(6.0, std::round(90 * (0.5 + 0.001 * dn)) / 10);
        EXPECT_DOUBLE_EQ(r.WallMm[0], formula) << "DN " << r.Size.View();
    }
    const std::map<std::string, double> en545{
        {"80", 98},   {"100", 118}, {"125", 144}, {"150", 170}, {"200", 222},
        {"250", 274}, {"300", 326}, {"350", 378}, {"400", 429}, {"500", 532},
        {"600", 635}, {"700", 738}, {"800", 842}, {"900", 945}, {"1000", 1048}};
    for (const auto& [dn, outer] : en545) {
        ASSERT_NE(Row(iso, dn), nullptr) << dn;
        EXPECT_EQ(Row(iso, dn)->OuterMm, outer) << "DN " << dn;
    }
    // ISO 4179's nominal mortar lining by DN; from DN 350 makers line to the same figures
    // under EN 545 (5, 6 and 9 mm).
    ASSERT_NE(iso.Mortar, nullptr);
    const std::map<std::string, double> lining{{"40", 3},  {"300", 3},  {"350", 5},  {"600", 5},
                                               {"700", 6}, {"1200", 6}, {"1400", 9}, {"2000", 9}};
    for (const auto& [dn, mm] : lining) {
        EXPECT_EQ(MortarLiningMm(iso, *Row(iso, dn)), mm) << "DN " << dn;
    }
    for (const PipeSizeRow& r : iso.Rows) {
        EXPECT_GT(MortarLiningMm(iso, r), 0) << "DN " << r.Size.View() << " has no lining";
    }
}

// JIS ductile pipes keep the outer diameters fixed in 1933: the bore of the nominal size and
// twice the normal-pressure cast iron wall of that day. Of the classes, 1種 is the thickest.
TEST(DuctileIron, JisDiametersAndClasses) {
    const PipeTable& jis = Table("DIP");
    const std::map<std::string, double> wall1933{
        {"75", 9.0}, {"100", 9.0}, {"150", 9.5}, {"200", 10.0}};
    for (const auto& [dn, wall] : wall1933) {
        ASSERT_NE(Row(jis, dn), nullptr) << dn;
        EXPECT_DOUBLE_EQ(Row(jis, dn)->OuterMm, std::stod(dn) + 2 * wall) << dn;
    }
    for (const PipeSizeRow& r : jis.Rows) {
        const double d1 = r.WallMm[Column(jis, "D1")];
        EXPECT_GT(d1, 0) << r.Size.View();
        for (const std::string_view other : {"D3", "DS"}) {
            EXPECT_LE(r.WallMm[Column(jis, other)], d1) << r.Size.View() << " " << other;
        }
    }
    EXPECT_EQ(jis.Mortar, nullptr); // JIS A 5314's thicknesses are not held: never guessed
}

// Designations as people write them and what each gives, "outer x wall" (+ the lining) or
// the refusal: the table of cases, a row each with why it is there.
TEST(PipeChoice, TheTableOfCases) {
    const std::string path = std::string(QUILLMERE_TESTS) + "/pipe_choice_cases.csv";
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr) << path;
    CsvReader reader(file);
    std::vector<std::string> row;
    ASSERT_TRUE(reader.Next(row));
    ASSERT_EQ(row, (std::vector<std::string>{"designation", "units", "expected", "why"}));
    int cases = 0;
    while (reader.Next(row)) {
        ASSERT_EQ(row.size(), 4u) << "line " << reader.Line();
        EXPECT_EQ(Choose(row[0], row[1] == "imperial" ? 1 : 0), row[2])
            << "line " << reader.Line() << ": " << row[0] << " (" << row[3] << ")";
        ++cases;
    }
    std::fclose(file);
    EXPECT_FALSE(reader.Failed());
    EXPECT_GT(cases, 100);
}

TEST(PipeChoice, ReadsWaterWorksAndBuildingDesignations) {
    EXPECT_EQ(Choose("DCIP 100 1種").substr(0, 12), "DIP 100 D1: ");
    for (const char* other : {"SU 60A", "SU 75A", "SU 20A"}) {
        EXPECT_NE(Choose(other).find("names its sizes in Su, not A"), std::string::npos) << other;
    }
    // Refusals about what was written: a word after the size, a lining copper never has.
    EXPECT_EQ(Choose("SGP 100A VB"),
              "SGP 100A has one wall thickness; \"VB\" after the size is not read: write SGP 100A");

    const PipeChoice lined =
        ChoosePipeSize("DN100 K9 mortar", UnitSystem::Metric, Language::English);
    EXPECT_EQ(PipeSizeNote(lined), "DN 100 K9, ISO 2531:2009");
    EXPECT_EQ(LiningStandardName(lined), "ISO 4179:2005");
    EXPECT_EQ(PipeMaterialWith(*lined.Table, 0), PipeEntryOf(PipeMaterialKey::DuctileIron));
    const PipeChoice copper = ChoosePipeSize("CU 1 L", UnitSystem::Metric, Language::English);
    EXPECT_EQ(PipeSizeNote(copper), "CU 1 L, ASTM B88-22");
    EXPECT_EQ(PipeMaterialWith(*copper.Table, 0), PipeEntryOf(PipeMaterialKey::Copper));
    EXPECT_EQ(PipeSizeNote(ChoosePipeSize("CU 25A L", UnitSystem::Metric, Language::Japanese)),
              "CU 25A L, JIS H 3300:2018");
    EXPECT_EQ(PipeTablesNamed("copper").size(), 2u);
    EXPECT_EQ(PipeTablesNamed("ductile").size(), 2u);
    EXPECT_EQ(PipeTableLabel(Table("CU-JIS")), "CU  (JIS H 3300:2018)");
}
