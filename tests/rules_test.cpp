// The rules every front end shares, through their public functions: the character check
// and the leave-field verdict, the execute command's reading order and result texts, and
// failures in the catalogue's words.
#include "Catalogue.h"
#include "Engine.h"
#include "ExpectError.h"
#include "Rules.h"

#include <gtest/gtest.h>

#include <string>

using namespace Quillmere;

TEST(IsNumericText, CharacterCheck) {
    struct Row {
        const char16_t* text;
        std::int32_t expected;
    } rows[] = {
        {u"", 1},      {u"0", 0},    {u"6200.00", 0}, {u"3,280", 0},  {u"-5", 0},
        {u"+", 0},     {u"1-2", 0},  {u"--5", 0},     {u",", -1},     {u".", -1},
        {u"-", -1},    {u"12a", -1}, {u" 100", -1},   {u"１００", -1}, {u"1e5", -1},
        {u"100 ", -1}, {u"\t", -1},
    };
    for (const Row& r : rows) {
        const std::u16string text(r.text);
        const std::int32_t n = static_cast<std::int32_t>(text.size());
        EXPECT_EQ(IsNumericText(text, n), r.expected);
    }
    EXPECT_EQ(IsNumericText(u"12", -1), 1);
    EXPECT_EQ(IsNumericText(u"12", 5), -1); // a length past the text is not trusted
}

namespace {
CalcEntries Entries(int type, const char* od, const char* wall, int mount = 0, int unit = 0) {
    CalcEntries e;
    e.UnitFlag = static_cast<std::int16_t>(unit);
    e.SensorTypeIndex = type;
    e.MountMethodIndex = mount;
    e.OuterDiameterText = od;
    e.WallThicknessText = wall;
    return e;
}
} // namespace

TEST(Calculation, DisplayRulesOfTheExecuteCommand) {
    struct Row {
        const char* name;
        CalcEntries entries;
        const char* result1;
        const char* result2;
    } rows[] = {
        {"VT-C1 V metric", Entries(4, "114.3", "6.0"), "65.47", ""},
        {"VT-C1 Z metric", Entries(4, "114.3", "6.0", 1), "22.84", ""},
        {"VT-A1 stepped metric", Entries(2, "60.5", "3.9"), "51", "17"},
        {"VT-B1 stepped metric", Entries(3, "60.5", "3.9"), "51", "17"},
        {"RESERVE is plain", Entries(0, "60.5", "3.9"), "53.45", ""},
        {"empty entries", Entries(4, "", ""), "0.00", ""},
        {"empty entries stepped", Entries(2, "", ""), "0", "0"},
        {"empty entries imperial", Entries(4, "", "", 0, 1), "0.000", ""},
    };
    for (const Row& r : rows) {
        const DisplayTexts d = RunCalculation(r.entries).Display;
        EXPECT_EQ(d.Result1, r.result1) << r.name;
        EXPECT_EQ(d.Result2, r.result2) << r.name;
    }
    // Imperial display of the same spacings, fed straight to the formatter.
    EXPECT_EQ(FormatSpacing(65.47455, 4, 1).Result1, "2.577");
    EXPECT_EQ(FormatSpacing(53.45228, 2, 1).Result1, "2.007");
    EXPECT_EQ(FormatSpacing(53.45228, 2, 1).Result2, "17");
    EXPECT_EQ(FormatSpacing(25.4, 4, 1).Result1, "0.999");
    EXPECT_EQ(FormatSpacing(1234.567, 4, 0).Result1, "1,234.56");
    EXPECT_EQ(FormatSpacing(1234.567, 2, 0).Result1, "1233");
    EXPECT_EQ(FormatSpacing(1234.567, 2, 0).Result2, "411");
    EXPECT_EQ(FormatSpacing(1234.5678, 4, 1).Result1, "48.605");
}

TEST(Calculation, ReadsEntriesByLockAndUnitSystem) {
    CalcEntries e = Entries(4, "114.3", "6.0");
    e.PipeVelocityText = "3200"; // ignored while locked: carbon steel's 3000 counts
    e.LiningThicknessText = "50"; // ignored while no lining is selected
    EXPECT_EQ(RunCalculation(e).Display.Result1, "65.47");
    EXPECT_EQ(RunCalculation(e).Inputs.LiningThickness, 0.0);

    e.PipeVelocityLocked = false; // user entry: the typed velocity counts
    e.PipeMaterialIndex = PipeUserEntry;
    e.PipeVelocityText = "3000";
    EXPECT_EQ(RunCalculation(e).Display.Result1, "65.47");
    e.PipeVelocityText = "";
    EXPECT_EQ(RunCalculation(e).Inputs.PipeVelocity, 0.0);

    CalcEntries imp = Entries(4, "1", "0.1", 0, 1);
    imp.FluidVelocityLocked = false;
    imp.FluidIndex = FluidUserEntry;
    imp.FluidVelocityText = "4,724";
    const CalcOutcome o = RunCalculation(imp);
    EXPECT_EQ(o.Inputs.OuterDiameter, 1 / 0.0393700787);
    EXPECT_EQ(o.Inputs.FluidVelocity, 4724 / 3.28083989);
    EXPECT_EQ(o.Inputs.PipeVelocity, 3000); // table values are never converted

    CalcEntries lined = Entries(4, "114.3", "6.0");
    lined.LiningMaterialIndex = 3;
    lined.LiningThicknessText = "2";
    EXPECT_EQ(RunCalculation(lined).Inputs.LiningVelocity, 1510);
    EXPECT_EQ(RunCalculation(lined).Inputs.LiningThickness, 2);
}

TEST(Calculation, FirstBadEntryInReadingOrderIsReported) {
    CalcEntries e = Entries(4, "x", "y");
    ExpectError([&] { RunCalculation(e); }, ErrorKind::TypeMismatch);
    e = Entries(4, "100", "5");
    e.PipeVelocityLocked = false;
    e.PipeVelocityText = "1-2";
    ExpectError([&] { RunCalculation(e); }, ErrorKind::TypeMismatch);
    e.PipeVelocityText = "3800";
    e.SensorTypeIndex = 2;
    ExpectError([&] { RunCalculation(e); }, ErrorKind::InvalidArgument, Medium::Wall);
    e.SensorTypeIndex = -1;
    ExpectError([&] { RunCalculation(e); }, ErrorKind::SubscriptOutOfRange);
    e = Entries(4, "100", "5");
    e.PipeMaterialIndex = PipeUserEntry; // locked with the user entry: no table slot
    ExpectError([&] { RunCalculation(e); }, ErrorKind::SubscriptOutOfRange);
}


TEST(Calculation, OnlyTheMountingMethodsTheFrontEndOffers) {
    // The window's list holds V and Z; N and W come from front ends that offer four.
    CalcEntries e = Entries(5, "200", "8", 2);
    ExpectError([&] { RunCalculation(e); }, ErrorKind::SubscriptOutOfRange);
    e.MountMethodsOffered = MountMethodCount;
    EXPECT_EQ(RunCalculation(e).Display.Result1, "233.45"); // (10.71704 + 4.5) * 2 + 76.67475 * 3 - 27
    e.MountMethodIndex = 3;
    EXPECT_EQ(RunCalculation(e).Breakdown.Spacing,
              ComputeSpacing(RunCalculation(e).Inputs, SensorTypeAt(5)));
    e.MountMethodIndex = -1;
    ExpectError([&] { RunCalculation(e); }, ErrorKind::SubscriptOutOfRange);
}

TEST(LeaveField, VerdictsInBothUnitSystems) {
    struct Row {
        const char16_t* text;
        InputField field;
        std::int16_t unit;
        std::int16_t expected;
    } rows[] = {
        {u"", InputField::OuterDiameter, 0, 0},
        {u"6", InputField::OuterDiameter, 0, 0},
        {u"6,200", InputField::OuterDiameter, 0, 0},
        {u"5.99", InputField::OuterDiameter, 0, Catalogue::Id::OutOfRange},
        {u"12a", InputField::OuterDiameter, 0, Catalogue::Id::NotANumber},
        {u"+", InputField::WallThickness, 0, Catalogue::Id::NotANumber},
        {u"1-2", InputField::PipeVelocity, 0, Catalogue::Id::NotANumber},
        {u"-5", InputField::FluidVelocity, 0, Catalogue::Id::OutOfRange},
        {u"3701", InputField::LiningVelocity, 0, Catalogue::Id::OutOfRange},
        {u"0.01", InputField::LiningThickness, 0, 0},
        {u"983", InputField::FluidVelocity, 1, Catalogue::Id::OutOfRange},
        {u"8203", InputField::FluidVelocity, 1, 0},
        {u"0.0038", InputField::WallThickness, 1, Catalogue::Id::OutOfRange},
        {u"0.0003", InputField::LiningThickness, 1, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(LeaveFieldMessageId(r.text, r.field, r.unit), r.expected)
            << std::string(r.text, r.text + std::char_traits<char16_t>::length(r.text));
    }
}

TEST(Words, FailuresAndListsInTheCatalogueLanguage) {
    EXPECT_EQ(ErrorDescription(EngineError(ErrorKind::InvalidArgument, Medium::Fluid), 5000),
              "The sound beam cannot enter the fluid: its sound velocity is too high for this "
              "sensor type.");
    EXPECT_EQ(ErrorDescription(EngineError(ErrorKind::DivisionByZero, Medium::Wall), 0),
              Catalogue::Text(Catalogue::ErrorText::WallRefraction, 0));
    EXPECT_EQ(ErrorDescription(EngineError(ErrorKind::TypeMismatch), 5000),
              "An entry cannot be read as a number.");
    EXPECT_EQ(SensorTypeName(4), "VT-C1");
    EXPECT_EQ(SensorTypeName(11), "VT-K1/VT-K2/VT-K3");
    ExpectError([] { SensorTypeName(12); }, ErrorKind::SubscriptOutOfRange);
    for (InputField f : {InputField::OuterDiameter, InputField::PipeVelocity,
                         InputField::WallThickness, InputField::LiningVelocity,
                         InputField::LiningThickness, InputField::FluidVelocity}) {
        EXPECT_NO_THROW(Catalogue::Text(CaptionId(f), 5000));
    }
    EXPECT_EQ(Catalogue::Text(CaptionId(InputField::WallThickness), 5000), "WALL THICKNESS");
}
