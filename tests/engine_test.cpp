// Engine behaviour through its public functions: helpers, the computation for every
// mounting method with the sensor types' records, unit conversions and number texts.
#include "ExpectError.h"
#include "engine/Engine.h"
#include "engine/FloatText.h"
#include "rules/Lists.h" // the sensor types' records the computation is tried with

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using namespace Quillmere;

namespace {

constexpr double Degrees = 180.0 / 3.14159265358979323846;

SpacingInputs Pipe(double od, double wall, double pipeV, double fluidV, int mount = 0) {
    SpacingInputs in;
    in.OuterDiameter = od;
    in.WallThickness = wall;
    in.PipeVelocity = pipeV;
    in.FluidVelocity = fluidV;
    in.MountMethod = static_cast<std::int16_t>(mount);
    return in;
}

// A fixed xorshift sequence: property checks that fail the same way on every run.
class XorShift {
public:
    explicit XorShift(std::uint64_t seed) : state_(seed) {}
    std::uint64_t operator()() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }

private:
    std::uint64_t state_;
};

} // namespace

TEST(NumericHelpers, ArcsineOnAndBeyondTheCriticalAngle) {
    EXPECT_EQ(ArcSine(0.0), 0.0);
    EXPECT_NEAR(ArcSine(0.5), 0.5235988, 1e-7);
    EXPECT_EQ(ArcSine(-0.5), -ArcSine(0.5));
    EXPECT_NEAR(ArcSine(0.9999), std::asin(0.9999), 1e-12);
    ExpectError([] { ArcSine(1.0); }, ErrorKind::DivisionByZero);
    ExpectError([] { ArcSine(-1.0); }, ErrorKind::DivisionByZero);
    ExpectError([] { ArcSine(1.0000001); }, ErrorKind::InvalidArgument);
    ExpectError([] { ArcSine(std::numeric_limits<double>::quiet_NaN()); },
                ErrorKind::InvalidArgument);
    ExpectError([] { ArcSine(1e200); }, ErrorKind::Overflow);
    EXPECT_EQ(Pi(), std::atan(1.0) * 4.0);
}

TEST(NumericHelpers, RoundDownCutsTowardZeroAfterTheTextRoundTrip) {
    struct Row {
        const char* name;
        double value;
        std::int16_t digits;
        double expected;
    } rows[] = {
        {"plain metric cut", 65.47455, 2, 65.47},
        {"plain imperial cut", 2.5777382, 3, 2.577},
        {"0.29*100 is 28.999... but stays 0.29", 0.29, 2, 0.29},
        {"4.35*100 is 434.999... but stays 4.35", 4.35, 2, 4.35},
        {"negative values round up", -1.239, 2, -1.23},
        {"negative digits", 123.456, -1, 120},
        {"half is cut", 0.5, 0, 0},
        {"zero", 0.0, 3, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(CutToDecimals(r.value, r.digits), r.expected) << r.name;
    }
    ExpectError([] { CutToDecimals(1e300, 10); }, ErrorKind::Overflow);
    ExpectError([] { CutToDecimals(1.0, 400); }, ErrorKind::Overflow);
    ExpectError([] { CutToDecimals(1.0, -400); }, ErrorKind::DivisionByZero);
    ExpectError([] { CutToDecimals(std::numeric_limits<double>::infinity(), 2); },
                ErrorKind::Overflow);
}

TEST(NumericHelpers, HalfAdjustRoundsHalfAwayFromZero) {
    EXPECT_EQ(RoundHalfAwayFromZero(2.5, 0), 3);
    EXPECT_EQ(RoundHalfAwayFromZero(-2.5, 0), -3);
    EXPECT_EQ(RoundHalfAwayFromZero(1.234, 2), 1.23);
    EXPECT_EQ(RoundHalfAwayFromZero(1.235, 2), 1.24);
    EXPECT_EQ(RoundHalfAwayFromZero(0, 2), 0);
    EXPECT_FALSE(std::signbit(RoundHalfAwayFromZero(0, 2)));
    ExpectError([] { RoundHalfAwayFromZero(1e300, 100); }, ErrorKind::Overflow);
}

TEST(NumberText, ReadsEntriesTheSameUnderEveryLocale) {
    struct Row {
        const char* text;
        double expected;
    } good[] = {
        {"3,280", 3280}, {"6200.00", 6200}, {"-5", -5},         {"+7", 7},
        {".5", 0.5},     {"5.", 5},         {"0.0003", 0.0003}, {"-1,234,567.5", -1234567.5},
        {"000", 0},      {"0.000", 0}};
    for (const Row& r : good) {
        EXPECT_EQ(ParseNumberText(r.text), r.expected) << r.text;
    }
    for (const char* bad : {"", "+", "-", ".", ",", "1-2", "1..5", "--5", "+-5", "12a", " 100",
                            "1e5", "0x10", "inf", "nan", "１００", "5-", "1,2,3", "114,3"}) {
        ExpectError([bad] { ParseNumberText(bad); }, ErrorKind::TypeMismatch);
    }
    ExpectError([] { ParseNumberText(std::string(400, '9')); }, ErrorKind::Overflow);
    EXPECT_EQ(ParseNumberText("0." + std::string(400, '0') + "1"), 0.0);
}

// Sums of texts as written, exact where doubles are not: the no-bore boundary rests on it.
TEST(NumberText, SignOfASumAsWritten) {
    const std::string tiny = "0." + std::string(400, '0') + "1";
    const std::string nines = std::string(300, '9');
    const std::string power = "1" + std::string(300, '0');
    struct Row {
        std::initializer_list<WrittenTerm> terms;
        int sign;
    } rows[] = {
        {{{1, "121.2"}, {-2, "60.3"}, {-2, "0.3"}}, 0}, // 1.4e-14 in doubles
        {{{1, "121.21"}, {-2, "60.3"}, {-2, "0.3"}}, 1},
        {{{1, "121.19"}, {-2, "60.3"}, {-2, "0.3"}}, -1},
        {{{1, "0.1"}, {1, "0.2"}, {-1, "0.3"}}, 0},
        {{{1, "1,000"}, {-1, "999.9999999999999999999"}}, 1},
        {{{1, "-5"}, {-1, "-5.000"}}, 0},
        {{{1, "+.5"}, {-1, "5."}}, -1},
        {{{1, tiny}}, 1},
        {{{-1, tiny}, {1, "0"}}, -1},
        {{{0, "999"}, {1, "000.000"}}, 0},
        {{{1, nines}, {-1, power}}, -1},
    };
    for (const Row& r : rows) {
        std::string shown;
        for (const WrittenTerm& t : r.terms) {
            shown += " " + std::to_string(t.Factor) + "*" + std::string(t.Text.substr(0, 12));
        }
        EXPECT_EQ(SignOfWrittenSum(r.terms), r.sign) << shown;
    }
    ExpectError([] { SignOfWrittenSum({{1, "12a"}}); }, ErrorKind::TypeMismatch);
    ExpectError([] { SignOfWrittenSum({{1, "114,3"}}); }, ErrorKind::TypeMismatch);

    // Short entries take an integer path; leading zeros send the same sums the digit-string
    // way. Both must give every sign alike, near zero above all.
    XorShift next(0xC0FFEEull);
    const auto entry = [&next] {
        std::string text = std::to_string(next() % 100000);
        text.insert(next() % (text.size() + 1), ".");
        return (next() % 4 == 0 ? "-" : "") + (text == "." ? std::string("0") : text);
    };
    const auto padded = [](const std::string& text) {
        const std::size_t sign = text[0] == '-' ? 1 : 0;
        return text.substr(0, sign) + std::string(16, '0') + text.substr(sign);
    };
    for (int i = 0; i < 20000; ++i) {
        std::string outer = entry();
        std::string wall = entry();
        std::string lining = entry();
        if (i % 4 == 0) { // a bore of exactly zero, where doubles go astray
            const std::uint64_t w = next() % 100000;
            const std::uint64_t l = next() % 100000;
            const auto thousandths = [](std::uint64_t n) {
                return std::to_string(n / 1000) + "." + std::to_string(1000 + n % 1000).substr(1);
            };
            wall = thousandths(w * 10);
            lining = thousandths(l);
            outer = thousandths(2 * (w * 10 + l));
        }
        const int sign = SignOfWrittenSum({{1, outer}, {-2, wall}, {-2, lining}});
        ASSERT_TRUE(i % 4 != 0 || sign == 0) << outer << " " << wall << " " << lining;
        ASSERT_EQ(sign, SignOfWrittenSum({{1, padded(outer)}, {-2, wall}, {-2, lining}}))
            << outer << " " << wall << " " << lining;
    }
    EXPECT_EQ(SignOfWrittenSum({{1, "99999999999999"}, {-1, "99999999999999.0"}}), 0);
    EXPECT_EQ(SignOfWrittenSum({{1, "9999999999999.9"}, {-3, "0.00000000000001"}}), 1);
}

// A ',' counts only where it groups thousands; anywhere else it is most likely a decimal
// comma, and dropping it would read 114,3 as 1143.
TEST(NumberText, CommaOnlyWhereItGroupsThousands) {
    for (const char* grouped :
         {"3,280", "6,200", "1,234.5", "+1,000", "-12,345,678.25", "999,999", "100", "0.5", ""}) {
        EXPECT_FALSE(HasMisplacedComma(grouped)) << grouped;
    }
    for (const char* misplaced :
         {"114,3", "6,5", "1,2345", "12,34", "1,234,56", ",123", "1,", "1,,234", "0,125", "00,125",
          "1234,567", "1.5,3", "1,234.5,6", "-,123", "+0,500"}) {
        EXPECT_TRUE(HasMisplacedComma(misplaced)) << misplaced;
    }
}

TEST(NumberText, DefaultFormAndGroupedFormat) {
    EXPECT_EQ(DefaultNumberText(17), "17");
    EXPECT_EQ(DefaultNumberText(2.007), "2.007");
    EXPECT_EQ(DefaultNumberText(-0.0), "0");
    EXPECT_EQ(DefaultNumberText(28.999999999999996), "29");
    EXPECT_EQ(DefaultNumberText(0.1 + 0.2), "0.3");
    // Thousandths, as an inch spacing is cut to, are written without the general conversion:
    // the same text it gives, whatever the size and sign.
    for (long long n = -20'000; n <= 400'000; n += 7) {
        for (const double whole : {0.0, 1e6, 1e9, 1e11}) {
            const double value = whole + static_cast<double>(n) / 1000;
            EXPECT_EQ(DefaultNumberText(value), GeneralText15(value)) << n << " " << whole;
        }
    }
    EXPECT_EQ(DefaultNumberText(999'999'999'999.999), GeneralText15(999'999'999'999.999));
    EXPECT_EQ(DefaultNumberText(2.0079999999999996), "2.008");
    EXPECT_EQ(FormatGroupedFixed(1234.56, 2), "1,234.56");
    EXPECT_EQ(FormatGroupedFixed(0, 2), "0.00");
    EXPECT_EQ(FormatGroupedFixed(0.999, 3), "0.999");
    EXPECT_EQ(FormatGroupedFixed(1234567.5, 3), "1,234,567.500");
    EXPECT_EQ(FormatGroupedFixed(123, 2), "123.00");
    EXPECT_EQ(FormatGroupedFixed(-0.0, 2), "0.00");
    EXPECT_EQ(FormatGroupedFixed(-1234.5, 2), "-1,234.50");
}

TEST(ComputeSpacing, WorkedCases) {
    const SpacingBreakdown c1 =
        ComputeSpacingBreakdown(Pipe(114.3, 6.0, 3000, 1440), SensorTypeAt(4));
    EXPECT_NEAR(c1.WallAngle * Degrees, 53.2596, 5e-5);
    EXPECT_NEAR(c1.FluidAngle * Degrees, 22.6220, 5e-5);
    EXPECT_EQ(c1.LiningAngle, 0.0);
    EXPECT_NEAR(c1.WallRun, 8.03778, 5e-6);
    EXPECT_NEAR(c1.FluidRun, 42.62949, 5e-6);
    EXPECT_NEAR(c1.Spacing, 65.47455, 5e-6);
    EXPECT_NEAR(ComputeSpacing(Pipe(114.3, 6.0, 3000, 1440, 1), SensorTypeAt(4)), 22.84506, 5e-6);

    for (int type : {0, 1, 2, 3}) {
        EXPECT_NEAR(ComputeSpacing(Pipe(60.5, 3.9, 3000, 1440), SensorTypeAt(type)), 53.45228,
                    5e-6);
        EXPECT_NEAR(ComputeSpacing(Pipe(60.5, 3.9, 3000, 1440, 1), SensorTypeAt(type)), 31.44006,
                    5e-6);
    }
}

TEST(ComputeSpacing, CombinesRunsInTheWrittenOrder) {
    // Recompute with the formula's own operation order and demand bit equality.
    SpacingInputs in = Pipe(318.5, 10.3, 3141, 1522);
    in.LiningThickness = 2.5;
    in.LiningVelocity = 2505;
    const SensorTypeRecord& s = SensorTypeAt(11);
    const double pi = std::atan(1.0) * 4.0;
    const double w = static_cast<double>(s.IncidenceAngle) / 180.0 * pi;
    auto angle = [&](double v) {
        const double x = (v / static_cast<double>(s.WedgeVelocity)) * std::sin(w);
        return std::atan(x / std::sqrt(-x * x + 1.0));
    };
    const double lw = std::tan(angle(3141)) * 10.3;
    const double ll = std::tan(angle(2505)) * 2.5;
    const double lf = (318.5 - (2.5 + 10.3) * 2.0) * std::tan(angle(1522));
    EXPECT_EQ(ComputeSpacing(in, s), (lw + s.WedgeRun + ll + lf) * 2.0 - s.MountOffset * 2.0);
    in.MountMethod = 1;
    EXPECT_EQ(ComputeSpacing(in, s), (lw + s.WedgeRun + ll) * 2.0 + lf - s.MountOffset * 2.0);
    // N and W: wedge, wall and lining twice, the fluid three and four times.
    in.MountMethod = 2;
    EXPECT_EQ(ComputeSpacing(in, s), (lw + s.WedgeRun + ll) * 2.0 + lf * 3.0 - s.MountOffset * 2.0);
    in.MountMethod = 3;
    EXPECT_EQ(ComputeSpacing(in, s), (lw + s.WedgeRun + ll) * 2.0 + lf * 4.0 - s.MountOffset * 2.0);

    // The sound's path in the fluid: the bore over the cosine of the fluid angle, once a
    // crossing, what a converter's diagnostics hold the pipe against.
    const double bore = 318.5 - (2.5 + 10.3) * 2.0;
    const double crossing = bore / std::cos(angle(1522));
    for (const auto& [method, crossings] : {std::pair{0, 2}, {1, 1}, {2, 3}, {3, 4}}) {
        in.MountMethod = static_cast<std::int16_t>(method);
        EXPECT_NEAR(ComputeSpacingBreakdown(in, s).FluidPath, crossing * crossings, 1e-9)
            << "method " << method;
    }
    // At right angles in a slow fluid, no longer than the bore itself.
    EXPECT_GT(crossing, bore);
}

// The layers' refractions are kept from one spacing to the next: whatever came before, a
// case must give the doubles its formula gives, never another velocity's or wedge's.
TEST(ComputeSpacing, EachCaseGivesItsOwnDoublesWhateverCameBefore) {
    const double pi = std::atan(1.0) * 4.0;
    const auto run = [&](const SensorTypeRecord& s, double v, double thickness) {
        const double x = (v / static_cast<double>(s.WedgeVelocity)) *
                         std::sin(static_cast<double>(s.IncidenceAngle) / 180.0 * pi);
        return thickness * std::tan(std::atan(x / std::sqrt(-x * x + 1.0)));
    };
    // A few velocities many rows share, as a sheet's table materials, and some of their own.
    constexpr std::array<double, 6> shared{3000, 3700, 2300, 1500, 1440, 0};
    XorShift next(2026);
    struct Case {
        SpacingInputs In;
        int Type;
    };
    std::vector<Case> cases;
    for (int i = 0; i < 3000; ++i) {
        const auto pick = [&](double low, double high) {
            return next() % 3 != 0 ? shared[next() % shared.size()]
                                   : low + static_cast<double>(next() % 10000) / 1e4 * (high - low);
        };
        SpacingInputs in =
            Pipe(200, 5, pick(1000, 3700), pick(900, 2500), static_cast<int>(next() % 4));
        in.LiningThickness = 1;
        in.LiningVelocity = pick(1000, 2500);
        cases.push_back({in, static_cast<int>(next() % SensorTypeCount)});
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (const Case& c : cases) {
            const SensorTypeRecord& s = SensorTypeAt(c.Type);
            const SpacingInputs& in = c.In;
            const int crossings = FluidCrossings(in.MountMethod);
            const double wall = run(s, in.PipeVelocity, in.WallThickness);
            const double lining = run(s, in.LiningVelocity, in.LiningThickness);
            const double fluid =
                (in.OuterDiameter - (1.0 + 5.0) * 2.0) * run(s, in.FluidVelocity, 1.0);
            const double expected =
                in.MountMethod == 0
                    ? (wall + s.WedgeRun + lining + fluid) * 2.0 - s.MountOffset * 2.0
                    : (wall + s.WedgeRun + lining) * 2.0 +
                          (crossings == 1 ? fluid : fluid * crossings) - s.MountOffset * 2.0;
            EXPECT_EQ(ComputeSpacingBreakdown(in, s).Unclamped, expected + 0.0)
                << "pass " << pass << ", type " << c.Type << ", velocities " << in.PipeVelocity
                << " " << in.LiningVelocity << " " << in.FluidVelocity;
        }
        std::reverse(cases.begin(), cases.end());
    }
    // A refusal is never kept: asked again, it is refused again.
    const SensorTypeRecord& a1 = SensorTypeAt(2);
    for (int i = 0; i < 2; ++i) {
        ExpectError([&] { ComputeSpacing(Pipe(100, 5, 3000, 5000), a1); },
                    ErrorKind::InvalidArgument, Medium::Fluid);
    }
}

TEST(ComputeSpacing, MountingMethodsCrossTheFluidOneToFourTimes) {
    // Worked by hand: VT-D1/VT-D2 on a 200 mm PVC pipe, 8 mm wall, fluid at 1480 m/s: wall
    // run 6.25977, fluid run 79.19285; (6.25977 + 4.5) * 2 + fluid * k - 13.5 * 2.
    const SensorTypeRecord& d1 = SensorTypeAt(5);
    const double expected[] = {152.90524, 73.71239, 232.09809, 311.29094};
    for (int mount = 0; mount < MountMethodCount; ++mount) {
        const SpacingInputs in = Pipe(200, 8, 2307, 1480, mount);
        EXPECT_NEAR(ComputeSpacing(in, d1), expected[mount], 5e-6) << mount;
        EXPECT_EQ(FluidCrossings(in.MountMethod), (std::array{2, 1, 3, 4}[mount]));
    }
    // With a 3 mm rubber lining the extra fluid crossings of N and W add exactly two and
    // three fluid runs to Z, and the lining still counts twice.
    SpacingInputs lined = Pipe(200, 8, 2307, 1480, 1);
    lined.LiningThickness = 3;
    lined.LiningVelocity = 1510;
    const SpacingBreakdown z = ComputeSpacingBreakdown(lined, d1);
    EXPECT_GT(z.LiningRun, 0.0);
    lined.MountMethod = 2;
    EXPECT_NEAR(ComputeSpacing(lined, d1), z.Spacing + 2 * z.FluidRun, 1e-9);
    lined.MountMethod = 3;
    EXPECT_NEAR(ComputeSpacing(lined, d1), z.Spacing + 3 * z.FluidRun, 1e-9);
    EXPECT_EQ(FluidCrossings(4), 0);
}

TEST(ComputeSpacing, ZeroVelocitiesAndClamp) {
    for (int type = 0; type < SensorTypeCount; ++type) {
        for (int mount = 0; mount < MountMethodCount; ++mount) {
            SpacingInputs in = Pipe(100, 5, 0, 0, mount);
            in.LiningThickness = 3;
            EXPECT_EQ(ComputeSpacing(in, SensorTypeAt(type)), 0.0) << type;
        }
        const SensorTypeRecord& s = SensorTypeAt(type);
        // What was cut off stays known: (wedge run - allowance) x 2 with no other run.
        const double unclamped = ComputeSpacingBreakdown(Pipe(100, 5, 0, 0), s).Unclamped;
        EXPECT_EQ(unclamped, (s.WedgeRun - s.MountOffset) * 2) << type;
        if (type == 7 || type == 8) {
            EXPECT_EQ(unclamped, 0.0);
        } else {
            EXPECT_LT(unclamped, 0.0);
        }
    }
    // Z on a small pipe: VT-C1's allowance is longer than its runs. Above 0 both agree.
    const SpacingBreakdown small =
        ComputeSpacingBreakdown(Pipe(20, 1, 3000, 1440, 1), SensorTypeAt(4));
    EXPECT_EQ(small.Spacing, 0.0);
    EXPECT_LT(small.Unclamped, -1.0);
    const SpacingBreakdown usual =
        ComputeSpacingBreakdown(Pipe(114.3, 6, 3000, 1440), SensorTypeAt(4));
    EXPECT_EQ(usual.Spacing, usual.Unclamped);
    // Wall and lining thicker than half the pipe: a negative fluid run, clamped, no error.
    EXPECT_EQ(ComputeSpacing(Pipe(10, 6, 3000, 1440), SensorTypeAt(4)), 0.0);
    EXPECT_FALSE(std::signbit(ComputeSpacing(Pipe(10, 6, 3000, 1440), SensorTypeAt(4))));
}

TEST(ComputeSpacing, RefractionFailuresNameTheFirstFailingMedium) {
    const SensorTypeRecord& a1 = SensorTypeAt(2);
    for (int type = 0; type < SensorTypeCount; ++type) {
        EXPECT_NO_THROW(ComputeSpacing(Pipe(100, 5, 3700, 2500), SensorTypeAt(type))) << type;
    }
    ExpectError([&] { ComputeSpacing(Pipe(100, 5, 3800, 1440), a1); }, ErrorKind::InvalidArgument,
                Medium::Wall);

    SpacingInputs lining = Pipe(100, 5, 3000, 1440);
    lining.LiningVelocity = 4000;
    lining.LiningThickness = 0; // the ratio still fails without any thickness
    ExpectError([&] { ComputeSpacing(lining, a1); }, ErrorKind::InvalidArgument, Medium::Lining);

    SpacingInputs all = Pipe(100, 5, 3800, 5000);
    all.LiningVelocity = 4000;
    ExpectError([&] { ComputeSpacing(all, a1); }, ErrorKind::InvalidArgument, Medium::Wall);
    ExpectError([&] { ComputeSpacing(Pipe(100, 5, 3000, 5000), a1); }, ErrorKind::InvalidArgument,
                Medium::Fluid);

    // A ratio of exactly 1 is a division by zero: 42 degrees from a 1 m/s "wedge".
    SensorTypeRecord grazing = a1;
    grazing.WedgeVelocity = 1;
    grazing.IncidenceAngle = 90;
    ExpectError([&] { ComputeSpacing(Pipe(100, 5, 1, 0), grazing); }, ErrorKind::DivisionByZero,
                Medium::Wall);
}

TEST(ComputeSpacing, HugeOrOddInputsGiveErrorsNotNonFiniteResults) {
    const SensorTypeRecord& c1 = SensorTypeAt(4);
    ExpectError([&] { ComputeSpacing(Pipe(1e308, 1e308, 3000, 1440), c1); }, ErrorKind::Overflow);
    ExpectError([&] { ComputeSpacing(Pipe(100, 5, 3000, 1440, 4), c1); },
                ErrorKind::SubscriptOutOfRange);
    ExpectError([&] { ComputeSpacing(Pipe(100, 5, 3000, 1440, -1), c1); },
                ErrorKind::SubscriptOutOfRange);
    const double s = ComputeSpacing(Pipe(1e300, 0, 0, 1440), c1);
    EXPECT_TRUE(std::isfinite(s));
}

TEST(UnitSystem, ConversionsWithTheStoredConstants) {
    EXPECT_EQ(InchToMm(1), 1 / 0.0393700787);
    EXPECT_NEAR(InchToMm(1), 25.400000025908, 1e-12);
    EXPECT_NEAR(MmToInch(25.4), 0.99999999898, 1e-14);
    EXPECT_EQ(FtsToMs(3280), 3280 / 3.28083989);
    ExpectError([] { InchToMm(1e307); }, ErrorKind::Overflow);
}

TEST(NumberText, ShortcutsGiveTheTextConversionsResults) {
    // The cut and the format take short paths away from decimal boundaries; compare them
    // with the plain text conversions over many values, boundaries included.
    auto viaText = [](double value, std::int16_t digits) {
        const double p = std::pow(10.0, digits);
        char buffer[64];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, p * value,
                                     std::chars_format::general, 15);
        double reread = 0;
        std::from_chars(buffer, r.ptr, reread);
        return std::trunc(reread) / p + 0.0;
    };
    auto fixed = [](double value, int decimals) {
        char buffer[400];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::fixed, decimals);
        std::string digits(buffer, r.ptr);
        const std::string grouped = FormatGroupedFixed(value, decimals);
        std::string plain;
        for (char c : grouped) {
            if (c != ',') {
                plain.push_back(c);
            }
        }
        return std::make_pair(digits == "-0.00" || digits == "-0.000" ? digits.substr(1) : digits,
                              plain);
    };
    XorShift next(88172645463325252ull);
    for (int i = 0; i < 200000; ++i) {
        const int magnitude = static_cast<int>(next() % 12) - 3;
        double value = static_cast<double>(next() % 1000000) / 1000.0 * std::pow(10.0, magnitude);
        if (i % 3 == 0) {
            value = std::nextafter(std::round(value * 100) / 100, i % 2 ? 1e300 : -1e300);
        }
        if (i % 7 == 0) {
            value = -value;
        }
        for (std::int16_t digits : {std::int16_t{2}, std::int16_t{3}}) {
            ASSERT_EQ(CutToDecimals(value, digits), viaText(value, digits)) << value;
            const auto [expected, actual] = fixed(value, digits);
            ASSERT_EQ(actual, expected) << value;
        }
    }
    EXPECT_EQ(CutToDecimals(0.9999999999999999, 0), 1.0); // the text round trip rounds up
    EXPECT_EQ(CutToDecimals(1234567890123456.7, 0), 1234567890123460.0);

    // Whole numbers print by the integer path up to 15 digits, beyond it by the general one.
    auto general = [](double value) {
        char buffer[64];
        const auto r =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
        return std::string(buffer, r.ptr);
    };
    for (int i = 0; i < 100000; ++i) {
        const double whole = std::trunc(static_cast<double>(next() % 2000000000000000ull) /
                                        std::pow(10.0, static_cast<double>(next() % 16)));
        for (double value : {whole, -whole, whole + 0.5, std::nextafter(whole, 0.0)}) {
            ASSERT_EQ(DefaultNumberText(value), value == 0.0 ? "0" : general(value)) << value;
        }
    }
    for (double edge : {999999999999999.0, 1e15, 1e15 + 2, -999999999999999.0, 1e16, 3e20}) {
        EXPECT_EQ(DefaultNumberText(edge), general(edge)) << edge;
    }
}

TEST(NumberText, ReadsEveryDecimalAsTheGeneralConversionDoes) {
    XorShift next(0x9E3779B97F4A7C15ull);
    for (int i = 0; i < 200000; ++i) {
        const std::string digits = std::to_string(next() % 100000000000ull);
        std::string text = digits;
        if (i % 2 == 0) {
            text.insert(next() % (text.size() + 1), ".");
        }
        if (i % 5 == 0) {
            text = "0.000" + digits;
        }
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(ParseNumberText(text), expected) << text;
    }
    EXPECT_EQ(ParseNumberText("9007199254740993"), 9007199254740992.0); // past 2^53, rounded
    // The exact short path ends at 2^53: every mantissa around it, with the point anywhere,
    // reads as the general conversion reads it ("90071992547409.93" once came out wrong).
    for (std::uint64_t m = (std::uint64_t{1} << 53) - 12; m <= (std::uint64_t{1} << 53) + 12; ++m) {
        const std::string digits = std::to_string(m);
        for (std::size_t point = 0; point <= digits.size(); ++point) {
            std::string text = digits;
            text.insert(point, ".");
            double expected = 0;
            std::from_chars(text.data(), text.data() + text.size(), expected);
            ASSERT_EQ(ParseNumberText(text), expected) << text;
        }
    }
    EXPECT_EQ(ParseNumberText("90071992547409.93"), 90071992547409.93);
    EXPECT_EQ(ParseNumberText("0.1"), 0.1);
    EXPECT_EQ(ParseNumberText("123456789.123456789"), 123456789.123456789);
}

// Published reference points of the two water equations, and their ranges kept exactly.
TEST(FluidTemperature, ReferencePointsAndRanges) {
    struct Row {
        const WaterEquation& equation;
        double celsius;
        double expected; // m/s
        double tolerance;
    } rows[] = {
        {Marczak1997, 0, 1402.385, 1e-9}, // the fit's constant
        {Marczak1997, 20, 1482.3, 0.1},   // pure water at 20 degC
        {Marczak1997, 60, 1551.0, 0.1},
        {Marczak1997, 74, 1555.0, 0.5},     // near the maximum of about 1555 m/s
        {Mackenzie1981, 10, 1489.80, 0.01}, // 1448.96 + 45.91 - 5.304 + 0.2374
        {Mackenzie1981, 25, 1534.3, 0.1},
    };
    for (const Row& r : rows) {
        const std::optional<double> v = VelocityAt(r.equation, r.celsius);
        ASSERT_TRUE(v) << r.equation.Name << " " << r.celsius;
        EXPECT_NEAR(*v, r.expected, r.tolerance) << r.equation.Name << " " << r.celsius;
    }
    EXPECT_TRUE(VelocityAt(Marczak1997, 95));
    EXPECT_FALSE(VelocityAt(Marczak1997, 95.01));
    EXPECT_FALSE(VelocityAt(Marczak1997, -0.01));
    EXPECT_TRUE(VelocityAt(Mackenzie1981, 2));
    EXPECT_FALSE(VelocityAt(Mackenzie1981, 1.99));
    EXPECT_FALSE(VelocityAt(Mackenzie1981, 30.01));
    EXPECT_FALSE(VelocityAt(Marczak1997, std::numeric_limits<double>::quiet_NaN()));
    static_assert(FluidKinds[0].Water == &Marczak1997 && FluidKinds[2].Water == &Marczak1997 &&
                      FluidKinds[1].Water == &Mackenzie1981 && FluidKinds[3].Water == nullptr,
                  "WATER and DIST. WATER are pure water, SEAWATER Mackenzie's");
    EXPECT_EQ(FahrenheitToCelsius(212), 100);
}

// The check values the IF97 release and the UNESCO 1983 paper publish, to their last digit.
TEST(FluidTemperature, PublishedCheckValues) {
    // IAPWS R7-97(2012) Table 5: region 1, w in m/s.
    EXPECT_NEAR(If97SoundSpeed(3, 300), 1507.73921, 5e-6);
    EXPECT_NEAR(If97SoundSpeed(80, 300), 1634.69054, 5e-6);
    EXPECT_NEAR(If97SoundSpeed(3, 500), 1240.71337, 5e-6);
    // Table 35: the saturation pressure, MPa.
    EXPECT_NEAR(SaturationPressureMPa(300), 0.353658941e-2, 5e-12);
    EXPECT_NEAR(SaturationPressureMPa(500), 0.263889776e1, 5e-9);
    EXPECT_NEAR(SaturationPressureMPa(600), 0.123443146e2, 5e-8);
    // Unesco Tech. Pap. Mar. Sci. 44, p. 48: S = 40, t68 = 40 degC, 10000 dbar: 1731.995 m/s.
    const std::optional<double> sea = VelocityAt(Unesco1983, 40 / 1.00024, WaterState{100.0, 40.0});
    ASSERT_TRUE(sea);
    EXPECT_NEAR(*sea, 1731.995, 5e-4);
}

// Where each equation holds: liquid water only (a pressure at or below saturation is steam),
// 100 MPa at most, sea water's salinity 0 to 40; and the inverse finds what the forward gives.
TEST(FluidTemperature, PressureAndSalinityRanges) {
    // 120 degC at 16 bar gauge is liquid (saturation 0.1985 MPa); at 0.05 MPa gauge it boils.
    EXPECT_TRUE(VelocityAt(If97Region1, 120, WaterState{1.6, 35}));
    EXPECT_FALSE(VelocityAt(If97Region1, 120, WaterState{0.05, 35}));
    EXPECT_TRUE(VelocityAt(If97Region1, 350, WaterState{20, 35}));
    EXPECT_FALSE(VelocityAt(If97Region1, 350.01, WaterState{20, 35}));
    EXPECT_FALSE(VelocityAt(If97Region1, 20, WaterState{100, 35})); // 100.1 MPa absolute
    EXPECT_FALSE(VelocityAt(If97Region1, 20, WaterState{std::nan(""), 35}));
    EXPECT_FALSE(VelocityAt(Unesco1983, 20, WaterState{0, 40.01}));
    EXPECT_FALSE(VelocityAt(Unesco1983, 20, WaterState{-0.01, 35}));
    EXPECT_TRUE(VelocityAt(Unesco1983, 0, WaterState{0, 0}));
    // At atmospheric pressure IF97 and Marczak's fit, two fits of their own, agree within
    // 0.2 % (2.9 m/s at most): a mistyped coefficient would not.
    for (double t = 5; t <= 95; t += 5) {
        const double fit = *VelocityAt(Marczak1997, t);
        EXPECT_NEAR(*VelocityAt(If97Region1, t), fit, 0.002 * fit) << t;
    }
    // The inverse at pressure: each temperature found gives the velocity back.
    for (const auto& [equation, state] :
         {std::pair{&If97Region1, WaterState{1.6, 35}}, std::pair{&If97Region1, WaterState{15, 35}},
          std::pair{&Unesco1983, WaterState{0.5, 38}}}) {
        for (double t = equation->LowCelsius + 0.35; t < equation->HighCelsius; t += 7.3) {
            const std::optional<double> v = VelocityAt(*equation, t, state);
            if (!v) {
                continue;
            }
            const std::vector<double> found = TemperaturesAt(*equation, *v, state);
            ASSERT_FALSE(found.empty()) << equation->Name << " " << t;
            EXPECT_TRUE(std::any_of(found.begin(), found.end(),
                                    [&](double f) { return std::fabs(f - t) < 1e-6; }))
                << equation->Name << " " << t;
            for (const double f : found) {
                EXPECT_NEAR(*VelocityAt(*equation, f, state), *v, 1e-6);
            }
        }
    }
    // Above the boiling point at that pressure nothing is found: no steam's velocity.
    EXPECT_TRUE(TemperaturesAt(If97Region1, 500, WaterState{0, 35}).empty());
}
