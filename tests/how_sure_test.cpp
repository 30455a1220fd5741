// How sure a spacing is: the derivatives against finite differences, the ranges against a
// dense sampling of the box, the transit-time difference against the fluid path, the water
// temperature against the forward equation, and the refusals of what cannot be assessed.
#include "engine/Engine.h"
#include "engine/SpacingBounds.h"
#include "report/Tornado.h"
#include "rules/HowSure.h"
#include "rules/Rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <regex>
#include <string>

using namespace Quillmere;

namespace {

SpacingInputs Inputs(double od, double wall, double lining, double pipe, double liningVelocity,
                     double fluid, int mount) {
    SpacingInputs in;
    in.OuterDiameter = od;
    in.WallThickness = wall;
    in.LiningThickness = lining;
    in.PipeVelocity = pipe;
    in.LiningVelocity = liningVelocity;
    in.FluidVelocity = fluid;
    in.MountMethod = static_cast<std::int16_t>(mount);
    return in;
}

JobRecord Computed(const char* od, const char* wall, int sensor = 4, int lining = NoLiningEntry,
                   const char* liningThickness = "") {
    Job job;
    job.Lang = Language::English;
    job.SensorTypeIndex = sensor;
    job.Text(InputField::OuterDiameter) = od;
    job.Text(InputField::WallThickness) = wall;
    job.LiningMaterialIndex = lining;
    job.Text(InputField::LiningThickness) = liningThickness;
    LockVelocitiesByLists(job);
    return RecordJob(job, MountMethodCount);
}

} // namespace

// The derivative of the formula is the spacing's slope: central differences of small steps
// agree to a few parts in a million, for every sensor type, method and a spread of pipes.
TEST(SpacingDerivatives, AgreeWithFiniteDifferences) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int checked = 0;
    for (int round = 0; round < 400; ++round) {
        const SensorTypeRecord& sensor = SensorTypeAt(round % SensorTypeCount);
        const SpacingInputs in =
            Inputs(40 + unit(random) * 900, 1 + unit(random) * 15, unit(random) * 5,
                   1000 + unit(random) * 2600, 1000 + unit(random) * 1500,
                   300 + unit(random) * 1300, round % MountMethodCount);
        FieldValues exact{};
        try {
            exact = SpacingDerivatives(in, sensor);
        } catch (const EngineError&) {
            continue; // a velocity the beam cannot enter: no spacing to differentiate
        }
        for (const InputField field : InputFields) {
            // The spacing is affine in the lengths: a step of a thousandth of a mm is exact
            // there; a velocity's step is a millionth of it.
            const double h =
                FieldOf(field).Unit == UnitKind::Length ? 1e-3 : InputOf(in, field) * 1e-6;
            SpacingInputs up = in;
            SpacingInputs down = in;
            InputOf(up, field) += h;
            InputOf(down, field) -= h;
            const double numeric = (ComputeSpacingBreakdown(up, sensor).Unclamped -
                                    ComputeSpacingBreakdown(down, sensor).Unclamped) /
                                   (2 * h);
            const double d = exact[static_cast<std::size_t>(field)];
            EXPECT_NEAR(d, numeric, 1e-5 * std::max(1.0, std::fabs(d)))
                << "round " << round << ", field " << static_cast<int>(field);
        }
        ++checked;
    }
    EXPECT_GT(checked, 300) << checked;
}

// The range over the box is its true extremes: no point of a dense sampling lies outside
// it, and the sampled corners reach both ends, even where the spacing rises with the wall
// at one fluid velocity and falls at another.
TEST(SpacingOverBox, HoldsEveryPointOfADenseSampling) {
    const SensorTypeRecord& sensor = SensorTypeAt(4); // VT-C1
    struct Case {
        const char* name;
        SpacingInputs in;
        FieldValues plusMinus;
    } cases[] = {
        {"pipe, wall and fluid", Inputs(114.3, 6, 0, 3000, 0, 1440, 0), {1, 150, 0.5, 0, 0, 40}},
        {"lined, Z", Inputs(300, 8, 3, 3000, 1510, 1480, 1), {2, 100, 1, 200, 1, 60}},
        {"wall slope changes sign", Inputs(200, 10, 0, 1200, 0, 1450, 0), {0, 400, 4, 0, 0, 900}},
        {"W method", Inputs(60.5, 3.9, 0, 3000, 0, 1440, 3), {0.5, 0, 0.4, 0, 0, 30}},
    };
    // The wall's slope, 2 tan(wall) - 2n tan(fluid), is of both signs in the third box.
    const FieldValues low = SpacingDerivatives(Inputs(200, 10, 0, 800, 0, 2350, 0), sensor);
    const FieldValues high = SpacingDerivatives(Inputs(200, 10, 0, 1600, 0, 550, 0), sensor);
    ASSERT_LT(low[static_cast<std::size_t>(InputField::WallThickness)], 0);
    ASSERT_GT(high[static_cast<std::size_t>(InputField::WallThickness)], 0);
    for (const Case& c : cases) {
        const SpacingRange range = SpacingOverBox(c.in, c.plusMinus, sensor);
        double seenMin = 1e300;
        double seenMax = -1e300;
        const int steps = 5;
        for (int code = 0; code < 15625; ++code) { // 5^6 points of the box
            SpacingInputs at = c.in;
            int rest = code;
            for (const InputField field : InputFields) {
                const double tolerance = c.plusMinus[static_cast<std::size_t>(field)];
                InputOf(at, field) += tolerance * (2.0 * (rest % steps) / (steps - 1) - 1.0);
                rest /= steps;
            }
            const double s = ComputeSpacingBreakdown(at, sensor).Unclamped;
            seenMin = std::min(seenMin, s);
            seenMax = std::max(seenMax, s);
        }
        EXPECT_NEAR(seenMin, range.Min, 1e-9) << c.name;
        EXPECT_NEAR(seenMax, range.Max, 1e-9) << c.name;
        EXPECT_LT(range.Min, ComputeSpacingBreakdown(c.in, sensor).Unclamped) << c.name;
        EXPECT_EQ(ComputeSpacingBreakdown(range.AtMax, sensor).Unclamped, range.Max) << c.name;
    }
}

// What the converter sees per unit of flow: the sound's path in the fluid, its axial share
// and the fluid's velocity squared give the same difference as the bore and the angle.
TEST(TransitTime, DifferenceIsTheFluidPathsAxialShare) {
    for (int mount = 0; mount < MountMethodCount; ++mount) {
        const SpacingInputs in = Inputs(114.3, 6, 0, 3000, 0, 1440, mount);
        const SpacingBreakdown b = ComputeSpacingBreakdown(in, SensorTypeAt(4));
        const double fromPath = 2.0 * (b.FluidPath / 1000.0) * std::sin(b.FluidAngle) /
                                (in.FluidVelocity * in.FluidVelocity) * 1e9;
        EXPECT_NEAR(TransitTimeDifferenceNs(in, b), fromPath, 1e-9) << mount;
    }
    // VT-C1, 114.3 x 6: 2 x 2 x 0.1023 m x tan(22.62 deg) / 1440^2 = 82.2 ns per m/s.
    const SpacingInputs v = Inputs(114.3, 6, 0, 3000, 0, 1440, 0);
    EXPECT_NEAR(TransitTimeDifferenceNs(v, ComputeSpacingBreakdown(v, SensorTypeAt(4))), 82.23,
                0.01);
}

// Inverting the water equations: every temperature found gives the velocity back, each
// temperature of the range is found again from its velocity, and above the peak near 74 degC
// one velocity is water's at two temperatures.
TEST(WaterTemperature, InversionGivesTheForwardEquationBack) {
    for (const WaterEquation* equation : {&Marczak1997, &Mackenzie1981}) {
        for (double t = equation->LowCelsius; t <= equation->HighCelsius; t += 0.37) {
            const double v = equation->Velocity(t, {});
            const std::vector<double> found = TemperaturesAt(*equation, v);
            ASSERT_FALSE(found.empty()) << equation->Name << " " << t;
            EXPECT_TRUE(std::any_of(found.begin(), found.end(),
                                    [t](double f) { return std::fabs(f - t) < 1e-6; }))
                << equation->Name << " " << t;
            for (const double f : found) {
                EXPECT_NEAR(equation->Velocity(f, {}), v, 1e-6);
            }
        }
    }
    EXPECT_EQ(TemperaturesAt(Marczak1997, 1550).size(), 2u);
    EXPECT_EQ(TemperaturesAt(Marczak1997, 1482).size(), 1u);
    EXPECT_TRUE(TemperaturesAt(Marczak1997, 1600).empty()); // faster than water ever is
    EXPECT_TRUE(TemperaturesAt(Mackenzie1981, 1400).empty());
}

// What cannot be assessed is refused with the field it is about; nothing is computed from it.
TEST(AssessJob, RefusesWhatItCannotAssess) {
    const JobRecord job = Computed("114.3", "6.0");
    struct Row {
        InputField field;
        const char* text;
        const char* error;
    } rows[] = {
        {InputField::WallThickness, "-0.1", "WALL THICKNESS: the ± cannot be below 0"},
        {InputField::WallThickness, "a", "WALL THICKNESS: the ± is not a number"},
        {InputField::WallThickness, "0,5", "WALL THICKNESS: the ± is not a number"},
        {InputField::WallThickness, "6",
         "WALL THICKNESS: the ± must be smaller than the value "
         "itself (6.0)"},
        {InputField::PipeVelocity, "3000",
         "PIPE S.V.: the ± must be smaller than the value "
         "itself (3000)"},
        {InputField::LiningThickness, "1",
         "LINING THICKNESS is not read for this job, so it "
         "takes no ±"},
        {InputField::OuterDiameter, "103",
         "At the ends of the ± the wall and lining leave no "
         "room for the fluid"},
        {InputField::PipeVelocity, "1000",
         "At the ends of the ±: The sound beam cannot enter "
         "the pipe wall: its sound velocity is too high for "
         "this sensor type."},
    };
    for (const Row& r : rows) {
        Uncertainty u;
        u.Of(r.field) = r.text;
        const Assessment a = AssessJob(job, u);
        EXPECT_EQ(a.Error, r.error) << r.text;
    }
    Uncertainty measured;
    measured.MeasuredFluidVelocity = "99";
    const Assessment m = AssessJob(job, measured);
    EXPECT_TRUE(m.ErrorInMeasured);
    EXPECT_EQ(m.Error, "FLUID S.V. the converter measures: The value is outside of range");
    // Nothing given: the sensitivities and the transit-time difference all the same.
    const Assessment plain = AssessJob(job, {});
    EXPECT_TRUE(plain.Ok());
    EXPECT_FALSE(plain.Toleranced);
    EXPECT_EQ(plain.Sensitivities.size(), 4u); // no lining: its two inputs are not read
}

// The flow reading's error is the bore's square ratio, entered over true; a velocity's
// plus/minus moves the spacing but not the flow area.
TEST(AssessJob, FlowErrorIsTheSquareOfTheBoresRatio) {
    const JobRecord job = Computed("114.3", "6.0");
    Uncertainty u;
    u.Of(InputField::OuterDiameter) = "1";
    u.Of(InputField::WallThickness) = "0.5";
    const Assessment a = AssessJob(job, u);
    ASSERT_TRUE(a.Ok()) << a.Error;
    const double bore = 114.3 - 12;
    EXPECT_NEAR(a.FlowErrorMaxPercent, (std::pow(bore / (bore - 2), 2) - 1) * 100, 1e-9);
    EXPECT_NEAR(a.FlowErrorMinPercent, (std::pow(bore / (bore + 2), 2) - 1) * 100, 1e-9);
    EXPECT_NEAR(a.Sensitivities[0].FlowErrorPercentPerUnit, 200 / bore, 1e-12);
    ASSERT_EQ(a.Bars.size(), 2u);
    EXPECT_EQ(a.Bars[0].Field, InputField::OuterDiameter); // 1.67 mm wide, the wall's 1.01 mm
    Uncertainty velocities;
    velocities.Of(InputField::FluidVelocity) = "20";
    const Assessment v = AssessJob(job, velocities);
    EXPECT_EQ(v.FlowErrorMinPercent, 0.0);
    EXPECT_EQ(v.FlowErrorMaxPercent, 0.0);
    EXPECT_LT(v.SpacingMinMm, v.SpacingMaxMm);
    // Imperial: the plus/minus in inches and ft/s, the lines in the job's units.
    Job inches;
    inches.Units = UnitSystem::Imperial;
    inches.Lang = Language::English;
    inches.SensorTypeIndex = 4;
    inches.Text(InputField::OuterDiameter) = "4.5";
    inches.Text(InputField::WallThickness) = "0.237";
    Uncertainty inch;
    inch.Of(InputField::WallThickness) = "0.02";
    const JobRecord imperial = RecordJob(inches, MountMethodCount);
    const Assessment ia = AssessJob(imperial, inch);
    ASSERT_TRUE(ia.Ok()) << ia.Error;
    const std::vector<std::string> lines = AssessmentLines(imperial, inch, ia);
    EXPECT_EQ(lines[0], "Tolerances: WALL THICKNESS ±0.02 inch");
    EXPECT_TRUE(lines[1].starts_with("Spacing range: ") && lines[1].ends_with(" inch")) << lines[1];
}

// The converter's measured velocity: how far from the one used, the spacing for it, and the
// water temperature it means, the one nearer the temperature entered of two.
TEST(AssessJob, ConverterCheckOfAMeasuredVelocity) {
    const JobRecord water = Computed("114.3", "6.0");
    Uncertainty u;
    u.MeasuredFluidVelocity = "1480";
    const Assessment a = AssessJob(water, u);
    ASSERT_TRUE(a.Measured);
    EXPECT_NEAR(a.Measured->DifferencePercent, 40.0 / 1440 * 100, 1e-9);
    ASSERT_TRUE(a.Measured->WaterTemperature);
    EXPECT_NEAR(Marczak1997.Velocity(*a.Measured->WaterTemperature, {}), 1480, 1e-6);
    EXPECT_GT(*a.Measured->SpacingMm, water.Outcome.Breakdown.Spacing);
    u.MeasuredFluidVelocity = "1552";
    EXPECT_LT(*AssessJob(water, u).Measured->WaterTemperature, 74); // the lower of two
    JobRecord hot = water;
    hot.Fluid = FluidSource{85.0, {}, &Marczak1997};
    EXPECT_GT(*AssessJob(hot, u).Measured->WaterTemperature, 74); // nearer 85 degC
    // At a pressure the same measured velocity means another temperature: IF97 at 1.6 MPa.
    JobRecord pressed = water;
    pressed.Fluid = FluidSource{60.0, {1.6, 35}, &If97Region1};
    const double at = *AssessJob(pressed, u).Measured->WaterTemperature;
    EXPECT_NEAR(*VelocityAt(If97Region1, at, {1.6, 35}), 1552, 1e-6);
    EXPECT_GT(std::fabs(at - *AssessJob(water, u).Measured->WaterTemperature), 0.5);
    const std::string line = AssessmentLines(water, u, AssessJob(water, u)).back();
    EXPECT_TRUE(std::regex_search(line, std::regex("water's velocity at 6\\d\\.\\d °C \\(and at "
                                                   "8\\d\\.\\d °C\\)")))
        << line;
    u.MeasuredFluidVelocity = "1650";
    EXPECT_NE(AssessmentLines(water, u, AssessJob(water, u)).back().find("no water temperature"),
              std::string::npos);
    JobRecord oil = Computed("114.3", "6.0");
    oil.FluidIndex = 13; // LUBE OIL: no equation, no temperature
    EXPECT_FALSE(AssessJob(oil, u).Measured->Water);
}

// The chart: one bar per plus/minus given, the widest first, across the line at the spacing.
TEST(Tornado, BarsWidestFirstAcrossTheComputedSpacing) {
    const JobRecord job = Computed("114.3", "6.0");
    Uncertainty u;
    u.Of(InputField::OuterDiameter) = "0.2";
    u.Of(InputField::WallThickness) = "0.5";
    u.Of(InputField::FluidVelocity) = "30";
    const std::string svg = TornadoSvg(job, AssessJob(job, u));
    EXPECT_TRUE(svg.starts_with("<?xml") && svg.ends_with("</svg>\n"));
    const std::size_t fluid = svg.find(">FLUID S.V.<");
    const std::size_t wall = svg.find(">WALL THICKNESS<");
    const std::size_t outer = svg.find(">OUTER DIAMETER<");
    ASSERT_NE(outer, std::string::npos);
    EXPECT_LT(fluid, wall); // 30 m/s moves it 4.2 mm, 0.5 mm of wall 1.0 mm
    EXPECT_LT(wall, outer);
    EXPECT_NE(svg.find(">65.47 mm<"), std::string::npos);
}
