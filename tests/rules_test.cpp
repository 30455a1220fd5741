// The rules every front end shares, through their public functions: the character check
// and the leave-field verdict, the execute command's reading order and result texts, and
// failures in the catalogue's words.
#include "ExpectError.h"
#include "catalogue/Catalogue.h"
#include "engine/Engine.h"
#include "rules/NameLists.h"
#include "rules/Rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

using namespace Quillmere;

// The lists' records: what the tables hold is checked where it is written down, once.
static_assert(PipeSoundVelocities.size() == 12 && PipeSoundVelocities[0] == 3000 &&
              PipeSoundVelocities[7] == 3000);
static_assert(LiningSoundVelocities[NoLiningEntry] == 0 && FluidSoundVelocities[16] == 414);
static_assert(SensorTypeCatalogue[4].WedgeVelocity == 2505 &&
              SensorTypeCatalogue[4].IncidenceAngle == 42 &&
              SensorTypeCatalogue[4].WedgeRun == 9.07 && // stored, not the 9.00 the formula gives
              SensorTypeCatalogue[4].MountOffset == 27.0 &&
              SensorTypeCatalogue[6].WedgeRun == 9.07 &&
              SensorTypeCatalogue[11].WedgeVelocity == 2830 &&
              SensorTypeCatalogue[11].IncidenceAngle == 49);

TEST(Lists, TablesByListIndex) {
    EXPECT_EQ(PipeVelocityAt(0), 3000);
    EXPECT_EQ(FluidVelocityAt(16), 414);
    ExpectError([] { PipeVelocityAt(PipeUserEntry); }, ErrorKind::SubscriptOutOfRange);
    ExpectError([] { FluidVelocityAt(-1); }, ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(LiningVelocityAt(LiningUserEntry), 0); // a slot, never read
    EXPECT_EQ(SensorTypeAt(4).WedgeVelocity, 2505);
    constexpr double Degrees = 180.0 / 3.14159265358979323846;
    for (int i = 0; i < SensorTypeCount; ++i) {
        const SensorTypeRecord& r = SensorTypeAt(i);
        const double angle = r.IncidenceAngle / Degrees;
        EXPECT_NEAR(r.WedgePathLength, r.WedgeHeight / std::cos(angle), 5e-7) << i;
    }
    ExpectError([] { SensorTypeAt(-1); }, ErrorKind::SubscriptOutOfRange);
    ExpectError([] { SensorTypeAt(12); }, ErrorKind::SubscriptOutOfRange);
    EXPECT_FALSE(IsSteppedSensorType(12));
    EXPECT_EQ(PipeEntryOf(PipeMaterialKey::Pvc), 2);
    EXPECT_EQ(PipeEntryOf(PipeMaterialKey::Any), -1);
}

TEST(Fields, LabelsAndTypingLengths) {
    const char* metric[] = {"6.00-6200.00mm", "1000-3700m/s",  "0.10-100.00mm",
                            "1000-3700m/s",   "0.01-100.00mm", "300-2500m/s"};
    const char* imperial[] = {"0.2362-244.100inch", "3280-12140ft/s",    "0.0039-3.9380inch",
                              "3280-12140ft/s",     "0.0003-3.9380inch", "984-8203ft/s"};
    const int lengths[][2] = {{7, 7}, {4, 5}, {6, 6}, {4, 5}, {6, 6}, {4, 4}};
    for (int i = 0; i < 6; ++i) {
        const InputField field = InputFields[static_cast<std::size_t>(i)];
        EXPECT_EQ(RangeLabelText(field, UnitSystem::Metric), metric[i]);
        EXPECT_EQ(RangeLabelText(field, UnitSystem::Imperial), imperial[i]);
        EXPECT_EQ(MaxInputLength(field, UnitSystem::Metric), lengths[i][0]);
        EXPECT_EQ(MaxInputLength(field, UnitSystem::Imperial), lengths[i][1]);
    }
    EXPECT_EQ(RangeLimitsOf(UnitSystem::Metric)[1], "6200.00");
    EXPECT_EQ(RangeLimitsOf(UnitSystem::Imperial)[9], "3.9380");
    EXPECT_EQ(UnitLabelText(UnitNamesOf(UnitSystem::Metric)[0]), "[mm]");
    EXPECT_EQ(UnitLabelText(UnitNamesOf(UnitSystem::Imperial)[1]), "[ft/s]");
}

TEST(IsNumericText, CharacterCheck) {
    struct Row {
        const char16_t* text;
        std::int32_t expected;
    } rows[] = {
        {u"", 1},      {u"0", 0},       {u"6200.00", 0}, {u"3,280", 0}, {u"-5", 0},  {u"+", 0},
        {u"1-2", 0},   {u"--5", 0},     {u",", -1},      {u".", -1},    {u"-", -1},  {u"12a", -1},
        {u" 100", -1}, {u"１００", -1}, {u"1e5", -1},    {u"100 ", -1}, {u"\t", -1},
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
// The tables below give a unit system and a language as the flags 0 and 1 (or 5000).
constexpr UnitSystem Units(int flag) {
    return flag == 0 ? UnitSystem::Metric : UnitSystem::Imperial;
}
constexpr Language Lang(int flag) {
    return flag == 0 ? Language::Japanese : Language::English;
}

Job Entries(int type, const char* od, const char* wall, int mount = 0, int unit = 0) {
    Job e;
    e.Units = Units(unit);
    e.SensorTypeIndex = type;
    e.MountMethodIndex = mount;
    e.Text(InputField::OuterDiameter) = od;
    e.Text(InputField::WallThickness) = wall;
    return e;
}
} // namespace

TEST(Calculation, DisplayRulesOfTheExecuteCommand) {
    struct Row {
        const char* name;
        Job entries;
        const char* result1;
        const char* result2;
    } rows[] = {
        {"VT-C1 V metric", Entries(4, "114.3", "6.0"), "65.47", ""},
        {"VT-C1 Z metric", Entries(4, "114.3", "6.0", 1), "22.84", ""},
        {"VT-A1 stepped metric", Entries(2, "60.5", "3.9"), "51", "17"},
        {"VT-B1 stepped metric", Entries(3, "60.5", "3.9"), "51", "17"},
        {"RESERVE is plain", Entries(0, "60.5", "3.9"), "53.45", ""},
        {"spacing cut to 0", Entries(4, "10", "4.9"), "0.00", ""},
        {"spacing cut to 0 imperial", Entries(4, "0.5", "0.2", 0, 1), "0.000", ""},
    };
    for (const Row& r : rows) {
        const DisplayTexts d = RunCalculation(r.entries, 2).Display;
        EXPECT_EQ(d.Result1, r.result1) << r.name;
        EXPECT_EQ(d.Result2, r.result2) << r.name;
    }
    // The slowest pipe and fluid the fields take, on the thinnest pipe: no whole step.
    Job slow = Entries(2, "6", "0.1");
    slow.PipeMaterialIndex = PipeUserEntry;
    slow.FluidIndex = FluidUserEntry;
    slow.PipeVelocityLocked = slow.FluidVelocityLocked = false;
    slow.Text(InputField::PipeVelocity) = "1000";
    slow.Text(InputField::FluidVelocity) = "300";
    EXPECT_EQ(RunCalculation(slow, 2).Display.Result1, "0");
    EXPECT_EQ(RunCalculation(slow, 2).Display.Result2, "0");
    // Imperial display of the same spacings, fed straight to the formatter.
    EXPECT_EQ(FormatSpacing(65.47455, 4, UnitSystem::Imperial).Result1, "2.577");
    EXPECT_EQ(FormatSpacing(53.45228, 2, UnitSystem::Imperial).Result1, "2.007");
    EXPECT_EQ(FormatSpacing(53.45228, 2, UnitSystem::Imperial).Result2, "17");
    EXPECT_EQ(FormatSpacing(25.4, 4, UnitSystem::Imperial).Result1, "0.999");
    EXPECT_EQ(FormatSpacing(1234.567, 4, UnitSystem::Metric).Result1, "1,234.56");
    EXPECT_EQ(FormatSpacing(1234.567, 2, UnitSystem::Metric).Result1, "1233");
    EXPECT_EQ(FormatSpacing(1234.567, 2, UnitSystem::Metric).Result2, "411");
    EXPECT_EQ(FormatSpacing(1234.5678, 4, UnitSystem::Imperial).Result1, "48.605");
}

TEST(Calculation, ReadsEntriesByLockAndUnitSystem) {
    Job e = Entries(4, "114.3", "6.0");
    e.Text(InputField::PipeVelocity) = "3200";  // ignored while locked: carbon steel's 3000 counts
    e.Text(InputField::LiningThickness) = "50"; // ignored while no lining is selected
    EXPECT_EQ(RunCalculation(e, 2).Display.Result1, "65.47");
    EXPECT_EQ(RunCalculation(e, 2).Inputs.LiningThickness, 0.0);

    e.PipeVelocityLocked = false; // user entry: the typed velocity counts
    e.PipeMaterialIndex = PipeUserEntry;
    e.Text(InputField::PipeVelocity) = "3000";
    EXPECT_EQ(RunCalculation(e, 2).Display.Result1, "65.47");

    Job imp = Entries(4, "1", "0.1", 0, 1);
    imp.FluidVelocityLocked = false;
    imp.FluidIndex = FluidUserEntry;
    imp.Text(InputField::FluidVelocity) = "4,724";
    const CalcOutcome o = RunCalculation(imp, 2);
    EXPECT_EQ(o.Inputs.OuterDiameter, 1 / 0.0393700787);
    EXPECT_EQ(o.Inputs.FluidVelocity, 4724 / 3.28083989);
    EXPECT_EQ(o.Inputs.PipeVelocity, 3000); // table values are never converted

    Job lined = Entries(4, "114.3", "6.0");
    lined.LiningMaterialIndex = 3;
    lined.Text(InputField::LiningThickness) = "2";
    EXPECT_EQ(RunCalculation(lined, 2).Inputs.LiningVelocity, 1510);
    EXPECT_EQ(RunCalculation(lined, 2).Inputs.LiningThickness, 2);
}

// A number a check read is taken only for the very text it was read from: a job whose text
// has changed since (or a number handed over for another) is read again.
// An outcome computed again for another job keeps nothing of the first one's.
TEST(Calculation, OutcomeWrittenAnewInPlace) {
    Job lined = Entries(4, "114.3", "6.0");
    lined.LiningMaterialIndex = 3;
    lined.Text(InputField::LiningThickness) = "2";
    lined.MountMethodIndex = 1; // Z: a circumferential result
    CalcOutcome outcome;
    RunCalculation(lined, 2, outcome);
    EXPECT_EQ(outcome.Inputs.LiningThickness, 2);
    EXPECT_FALSE(outcome.Display.Circumferential.empty());
    const Job plain = Entries(4, "114.3", "6.0");
    RunCalculation(plain, 2, outcome);
    EXPECT_EQ(outcome.Inputs.LiningThickness, 0);
    EXPECT_TRUE(outcome.Display.Circumferential.empty());
    EXPECT_EQ(outcome.Display.Result1, RunCalculation(plain, 2).Display.Result1);
}

TEST(Calculation, NumbersAlreadyReadCountOnlyForTheirOwnText) {
    const Job e = Entries(4, "114.3", "6.0");
    ReadNumbers read;
    auto& outer = read[static_cast<std::size_t>(InputField::OuterDiameter)];
    outer = ReadNumber{"114.3", 114.3};
    EXPECT_EQ(RunCalculation(e, 2, &read).Display.Result1, RunCalculation(e, 2).Display.Result1);
    outer = ReadNumber{"114.3", 200.0}; // taken as read: the text is the job's
    EXPECT_EQ(RunCalculation(e, 2, &read).Inputs.OuterDiameter, 200.0);
    outer = ReadNumber{"114.30", 200.0};
    EXPECT_EQ(RunCalculation(e, 2, &read).Inputs.OuterDiameter, 114.3);
    outer = ReadNumber{"", 200.0};
    EXPECT_EQ(RunCalculation(e, 2, &read).Inputs.OuterDiameter, 114.3);
}

TEST(Calculation, FirstBadEntryInReadingOrderIsReported) {
    Job e = Entries(4, "x", "y");
    ExpectError([&] { RunCalculation(e, 2); }, ErrorKind::TypeMismatch);
    e = Entries(4, "100", "5");
    e.PipeVelocityLocked = false;
    e.Text(InputField::PipeVelocity) = "1-2";
    ExpectError([&] { RunCalculation(e, 2); }, ErrorKind::TypeMismatch);
    e.Text(InputField::PipeVelocity) = "3800";
    e.SensorTypeIndex = 2;
    ExpectError([&] { RunCalculation(e, 2); }, ErrorKind::InvalidArgument, Medium::Wall);
    e.SensorTypeIndex = -1;
    ExpectError([&] { RunCalculation(e, 2); }, ErrorKind::SubscriptOutOfRange);
    e = Entries(4, "100", "5");
    e.PipeMaterialIndex = PipeUserEntry; // locked with the user entry: no table slot
    ExpectError([&] { RunCalculation(e, 2); }, ErrorKind::SubscriptOutOfRange);
}

TEST(Calculation, OnlyTheMountingMethodsTheFrontEndOffers) {
    // The window's list holds V and Z; N and W come from front ends that offer four.
    Job e = Entries(5, "200", "8", 2);
    ExpectError([&] { RunCalculation(e, 2); }, ErrorKind::SubscriptOutOfRange);
    EXPECT_EQ(RunCalculation(e, MountMethodCount).Display.Result1,
              "233.45"); // (10.71704 + 4.5) * 2 + 76.67475 * 3 - 27
    e.MountMethodIndex = 3;
    EXPECT_EQ(RunCalculation(e, MountMethodCount).Breakdown.Spacing,
              ComputeSpacing(RunCalculation(e, MountMethodCount).Inputs, SensorTypeAt(5)));
    e.MountMethodIndex = -1;
    ExpectError([&] { RunCalculation(e, MountMethodCount); }, ErrorKind::SubscriptOutOfRange);
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
        // A decimal comma is refused before it can count as a grouping: 114,3 is no 1143.
        {u"114,3", InputField::OuterDiameter, 0, Catalogue::ErrorText::MisplacedComma},
        {u"6,5", InputField::WallThickness, 0, Catalogue::ErrorText::MisplacedComma},
        {u"0,125", InputField::WallThickness, 1, Catalogue::ErrorText::MisplacedComma},
        {u"1,480", InputField::FluidVelocity, 0, 0},
        {u"1,4800", InputField::FluidVelocity, 0, Catalogue::ErrorText::MisplacedComma},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(LeaveFieldMessageId(r.text, r.field, Units(r.unit)), r.expected)
            << std::string(r.text, r.text + std::char_traits<char16_t>::length(r.text));
    }
}

// Texts that arrive as UTF-8 are checked as the window's UTF-16 fields hold them; a byte
// that is no well-formed character (an overlong NUL among them) is never a digit or a NUL.
TEST(LeaveField, Utf8TextsAsTheFieldsHoldThem) {
    EXPECT_EQ(Utf16FromUtf8("６,200 \xf0\x9f\x94\xa7"), u"６,200 \U0001F527");
    EXPECT_EQ(Utf16FromUtf8("1\xc0\xb0"
                            "2"),
              u"1\uFFFD\uFFFD2");
    EXPECT_EQ(Utf16FromUtf8("\xed\xa0\x80\xe3\x81"), u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Utf8SequenceLength("\xf4\x90\x80\x80"), 0u); // past U+10FFFF
    EXPECT_EQ(LeaveFieldMessageId(Utf16FromUtf8("1\xc0\xb0"), InputField::OuterDiameter,
                                  UnitSystem::Metric),
              Catalogue::Id::NotANumber);
}

TEST(FoldedName, WhatAnInputMethodTypesMatchesTheLists) {
    EXPECT_EQ(FoldedName("ﾗｲﾆﾝｸﾞ無し"), "ライニング無し");
    EXPECT_EQ(FoldedName("ｺﾞﾑ"), FoldedName("ゴム"));
    EXPECT_EQ(FoldedName("ﾊﾟｲﾌﾟ ﾎﾞﾙﾄ ｳﾞ"), "パイプ ボルト ヴ");
    EXPECT_EQ(FoldedName("ﾞｱﾞ"), "゛ア゛"); // a mark with nothing to voice stays a mark
    EXPECT_EQ(FoldedName("ＳＧＰ　１００Ａ sch40"), "SGP 100A SCH40");
    EXPECT_EQ(FoldedName("Stainless Steel"), "STAINLESS STEEL");
    EXPECT_EQ(FoldedName("vt‐c1 VT−C1 ﾀｰﾙ"),
              "VT-C1 VT-C1 タール"); // the long vowel mark is no dash
    EXPECT_EQ(FoldedName("a\xff\xe3\x81"
                         "b"),
              "A\xff\xe3\x81"
              "B"); // broken bytes kept as they are
}

// A name is found by its length and its first and last bytes, and by its whole text where
// those do not hold it all: names alike but for one byte, of every length, stay apart.
TEST(NameList, NamesAlikeButForOneByteStayApart) {
    NameList list;
    std::vector<std::string> names;
    for (std::size_t length = 1; length <= 24; ++length) {
        for (std::size_t differs = 0; differs < length; ++differs) {
            std::string name(length, 'A');
            name[differs] = 'B';
            names.push_back(name);
        }
        names.emplace_back(length, 'A');
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        list.Add(names[i], static_cast<int>(i));
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(list.Find(names[i]), static_cast<int>(i)) << names[i];
    }
    EXPECT_FALSE(list.Find(std::string(25, 'A')));
    EXPECT_FALSE(list.Find("AAAAAAAAAAAAAAAAACAA")); // a byte neither first nor last eight
}

TEST(NearestNames, ASlipOfTheKeysFindsTheNameMeant) {
    const std::vector<std::string> names{
        "CARBON STEEL", "STAINLESS STEEL", "SEAWATER", "DIST. WATER", "炭素鋼",
        "VT-C1",        "VT-D1/VT-D2",     "wall",     "lining",      "lining_thickness"};
    const auto nearest = [&](std::string_view typed) { return NearestNames(typed, names); };
    using Found = std::vector<std::size_t>;
    EXPECT_EQ(nearest("carbon stel"), Found{0});  // a letter left out
    EXPECT_EQ(nearest("CRABON STEEL"), Found{0}); // two swapped
    EXPECT_EQ(nearest("sea water"), Found{2});    // blanks and full stops do not count
    EXPECT_EQ(nearest("ｄｉｓｔ　ｗａｔｅｒ"), Found{3});
    EXPECT_EQ(nearest("stainless"), Found{1}); // the start of a name
    EXPECT_EQ(nearest("炭素"), Found{4});
    EXPECT_EQ(nearest("vt-c"), Found{5});
    EXPECT_EQ(nearest("wal"), Found{7});
    EXPECT_EQ(nearest("lin"), (Found{8, 9})); // every name equally near
    EXPECT_EQ(nearest("lining_thicknes"), Found{9});
    // Nothing near: too many edits for the length typed, or too little typed to tell.
    EXPECT_EQ(nearest("GOLD"), Found{});
    EXPECT_EQ(nearest("VT-Z9"), Found{});
    EXPECT_EQ(nearest("W"), Found{});
    EXPECT_EQ(nearest("wa"), Found{7}); // two letters count as a start only
    EXPECT_EQ(nearest("al"), Found{});
    EXPECT_EQ(nearest(""), Found{});
    EXPECT_EQ(NearestNames("wall", {}), Found{});
    // A field of any length is compared at once, not edit by edit.
    EXPECT_EQ(nearest(std::string(60000, 'A')), Found{});
}

TEST(Words, FailuresAndListsInTheCatalogueLanguage) {
    EXPECT_EQ(
        ErrorDescription(EngineError(ErrorKind::InvalidArgument, Medium::Fluid), Language::English),
        "The sound beam cannot enter the fluid: its sound velocity is too high for this "
        "sensor type.");
    EXPECT_EQ(
        ErrorDescription(EngineError(ErrorKind::DivisionByZero, Medium::Wall), Language::Japanese),
        Catalogue::Text(Catalogue::ErrorText::WallRefraction, Language::Japanese));
    EXPECT_EQ(ErrorDescription(EngineError(ErrorKind::TypeMismatch), Language::English),
              "An entry cannot be read as a number.");
    EXPECT_EQ(SensorTypeName(4), "VT-C1");
    EXPECT_EQ(SensorTypeName(11), "VT-K1/VT-K2/VT-K3");
    ExpectError([] { SensorTypeName(12); }, ErrorKind::SubscriptOutOfRange);
    for (InputField f :
         {InputField::OuterDiameter, InputField::PipeVelocity, InputField::WallThickness,
          InputField::LiningVelocity, InputField::LiningThickness, InputField::FluidVelocity}) {
        EXPECT_NO_THROW(Catalogue::Text(FieldOf(f).CaptionId, Language::English));
    }
    EXPECT_EQ(Catalogue::Text(FieldOf(InputField::WallThickness).CaptionId, Language::English),
              "WALL THICKNESS");
}

// An empty required entry and a pipe without bore give a spacing the installer would
// believe; both are refused, naming the field to correct.
TEST(Refusals, EmptyEntriesInReadingOrder) {
    auto open = [](Job e, bool lining) {
        e.LiningMaterialIndex = lining ? LiningUserEntry : NoLiningEntry;
        e.PipeMaterialIndex = PipeUserEntry;
        e.FluidIndex = FluidUserEntry;
        e.PipeVelocityLocked = e.FluidVelocityLocked = false;
        e.LiningVelocityLocked = !lining;
        return e;
    };
    const InputField order[] = {InputField::WallThickness,  InputField::LiningThickness,
                                InputField::OuterDiameter,  InputField::PipeVelocity,
                                InputField::LiningVelocity, InputField::FluidVelocity};
    for (bool lining : {false, true}) {
        Job e = open(Entries(4, "114.3", "6.0"), lining);
        e.Text(InputField::PipeVelocity) = "3000";
        e.Text(InputField::LiningVelocity) = "2000";
        e.Text(InputField::LiningThickness) = "2";
        e.Text(InputField::FluidVelocity) = "1440";
        ASSERT_NO_THROW(RunCalculation(e, 2));
        // Emptying every field from the last in reading order to the first: each time the
        // first empty one it reads is named; without a lining its two fields are not read.
        Job empty = open(Entries(4, "", ""), lining);
        for (InputField field : order) {
            const bool read = lining || (field != InputField::LiningThickness &&
                                         field != InputField::LiningVelocity);
            if (!read) {
                continue;
            }
            try {
                RunCalculation(empty, 2);
                ADD_FAILURE() << "no refusal";
            } catch (const EngineError& error) {
                EXPECT_EQ(error.kind(), ErrorKind::EmptyInput);
                EXPECT_EQ(error.field(), field);
            }
            empty.Text(field) = e.Text(field);
        }
        EXPECT_NO_THROW(RunCalculation(empty, 2));
    }
    // Locked velocities are the table's: their empty texts are never read.
    EXPECT_NO_THROW(RunCalculation(Entries(4, "114.3", "6.0"), 2));
    // A refusal comes before the conversion errors of later fields.
    Job e = Entries(4, "12a", "");
    ExpectError([&] { RunCalculation(e, 2); }, ErrorKind::EmptyInput);
    EXPECT_EQ(ErrorDescription(EngineError(ErrorKind::EmptyInput, InputField::WallThickness),
                               Language::English),
              "WALL THICKNESS: enter a value.");
    EXPECT_EQ(ErrorDescription(EngineError(ErrorKind::EmptyInput, InputField::WallThickness),
                               Language::Japanese),
              "配管厚さを入力してください。");
}

TEST(Refusals, NoBoreAtTheExactBoundary) {
    struct Row {
        const char* name;
        const char* od;
        const char* wall;
        const char* lining; // thickness; empty: no lining
        std::int16_t unit;
        bool refused;
    } rows[] = {
        {"bore exactly 0", "12", "6", "", 0, true},
        {"wall just too thick", "12", "6.01", "", 0, true},
        {"a hair of bore", "12.01", "6", "", 0, false},
        {"lining closes it", "20", "6", "4", 0, true},
        {"lining leaves a bore", "20", "6", "3.99", 0, false},
        {"inch, exactly 0", "1", "0.5", "", 1, true},
        {"inch, wall and lining exactly 0", "2", "0.5", "0.5", 1, true},
        {"inch, a bore", "1.0001", "0.5", "", 1, false},
        {"wall 60 on 114.3", "114.3", "60", "", 0, true},
        // Exactly 0 as written, 1.4e-14 (7e-15) in doubles: decided on the digits typed.
        {"written 0, above 0 in doubles", "121.2", "60.3", "0.3", 0, true},
        {"one step above it", "121.21", "60.3", "0.3", 0, false},
        {"inch, written 0, above 0 in doubles", "1.8", "0.7", "0.2", 1, true},
        {"inch, one step above it", "1.8001", "0.7", "0.2", 1, false},
        {"grouped and signed as written", "+1,000", "499.99", "0.01", 0, true},
    };
    for (const Row& r : rows) {
        Job e = Entries(4, r.od, r.wall, 0, r.unit);
        if (*r.lining != 0) {
            e.LiningMaterialIndex = 3; // rubber
            e.Text(InputField::LiningThickness) = r.lining;
        }
        if (r.refused) {
            try {
                RunCalculation(e, 2);
                ADD_FAILURE() << r.name;
            } catch (const EngineError& error) {
                EXPECT_EQ(error.kind(), ErrorKind::NoBore) << r.name;
                EXPECT_EQ(error.field(), InputField::OuterDiameter) << r.name;
            }
        } else {
            EXPECT_NO_THROW(RunCalculation(e, 2)) << r.name;
        }
    }
}

TEST(FluidAtTemperature, VelocityTypedAsTheFluidFieldTakesIt) {
    struct Row {
        int fluid;
        const char* temperature;
        std::int16_t unit;
        std::int16_t base;
        const char* velocity;
        const char* error;
    } rows[] = {
        {0, "60", 0, 5000, "1551", ""},
        {0, "20", 0, 5000, "1482", ""},
        {2, "0", 0, 5000, "1402", ""},
        {0, "140", 1, 5000, "5089", ""}, // 60 degC in ft/s
        {1, "10", 0, 5000, "1490", ""},
        {0, "96", 0, 5000, "",
         "The Marczak 1997 equation holds for 0 - 95 °C only. With the line's pressure, the "
         "IAPWS-IF97 equation gives water's velocity up to 350 °C."},
        // Sea water outside Mackenzie's 2-30 degC follows UNESCO 1983 (0-40 degC) at 35.
        {1, "31", 0, 0, "1548", ""},
        {1, "100", 1, 5000, "5118", ""},
        {1, "41", 0, 0, "", "UNESCO 1983 の式は 0 - 40 °C の温度でだけ使えます。"},
        {10, "20", 0, 5000, "",
         "Only WATER, SEAWATER and DIST. WATER have a sound velocity by temperature."},
        {0, "warm", 0, 5000, "", "Any data other than a number is not allowed"},
    };
    for (const Row& r : rows) {
        const FluidAtTemperature water =
            VelocityFromTemperature(r.fluid, r.temperature, Units(r.unit), Lang(r.base));
        EXPECT_EQ(water.VelocityText, r.velocity) << r.temperature;
        EXPECT_EQ(water.Error, r.error) << r.temperature;
        if (*r.velocity != 0) { // the field takes it as typed
            EXPECT_EQ(LeaveFieldMessageId(
                          std::u16string(r.velocity, r.velocity + std::strlen(r.velocity)),
                          InputField::FluidVelocity, Units(r.unit)),
                      0);
        }
    }
}

// The line's pressure and sea water's salinity: the equation each brings, the note that says
// what the velocity is of, and the refusal that names the entry to mend.
TEST(FluidAtTemperature, PressureAndSalinity) {
    struct Row {
        int fluid;
        const char* temperature;
        const char* pressure;
        const char* salinity;
        std::int16_t unit;
        const char* velocity;
        const char* note; // or the refusal
        WaterInput errorIn = WaterInput::Temperature;
    } rows[] = {
        // District heating: 120 degC at 16 bar is liquid; IF97 gives its velocity.
        {0, "120", "1.6", "", 0, "1524",
         "WATER 120 °C, 1.6 MPa gauge (1.701325 MPa absolute), IAPWS-IF97"},
        // Boiler feed at 200 degC and 2 MPa.
        {0, "200", "2", "", 0, "1334",
         "WATER 200 °C, 2 MPa gauge (2.101325 MPa absolute), IAPWS-IF97"},
        {0, "392", "290.075", "", 1, "4375", // 200 degC at 2 MPa in degF and psi
         "WATER 392 °F, 290.075 psi gauge (304.77 psi absolute), IAPWS-IF97"},
        {0, "120", "0.05", "", 0, "",
         "At 120 °C water boils at 0.09734 MPa gauge (0.198665 MPa absolute) and below: give the "
         "line's pressure; below it, it is steam",
         WaterInput::Pressure},
        {0, "20", "100", "", 0, "", "The IAPWS-IF97 equation holds up to 100 MPa absolute",
         WaterInput::Pressure},
        {0, "351", "20", "", 0, "", "The IAPWS-IF97 equation holds for 0 - 350 °C only."},
        {0, "20", "1.6", "35", 0, "", "A salinity is given for SEAWATER only",
         WaterInput::Salinity},
        {0, "20", "x", "", 0, "", "Pressure (gauge) [MPa] is not a number", WaterInput::Pressure},
        {1, "35", "0.5", "38", 0, "1559",
         "SEAWATER 35 °C, salinity 38, 0.5 MPa gauge, UNESCO 1983"},
        {1, "20", "", "40", 0, "1527", "SEAWATER 20 °C, salinity 40, UNESCO 1983"},
        {1, "20", "", "41", 0, "", "The salinity must lie between 0 and 40 (41)",
         WaterInput::Salinity},
        {1, "20", "-0.1", "", 0, "",
         "The UNESCO 1983 equation holds for a gauge pressure of 0 to 100 MPa only (-0.1 MPa)",
         WaterInput::Pressure},
        // Without either, and 2-30 degC, the note and the velocity are what they always were.
        {1, "10", "", "", 0, "1490", "SEAWATER 10 °C, Mackenzie 1981"},
        {0, "60", " ", " ", 0, "1551", "WATER 60 °C, Marczak 1997"},
    };
    for (const Row& r : rows) {
        const FluidAtTemperature water = VelocityFromTemperature(
            r.fluid, r.temperature, Units(r.unit), Language::English, r.pressure, r.salinity);
        EXPECT_EQ(water.VelocityText, r.velocity) << r.temperature << " " << r.pressure;
        EXPECT_EQ(water.VelocityText.empty() ? water.Error : water.Note, r.note)
            << r.temperature << " " << r.pressure;
        EXPECT_EQ(water.ErrorIn, r.errorIn) << r.temperature << " " << r.pressure;
    }
}

// The job's identity is printed as typed, so what could not be is refused, counted in
// characters; the report's file name takes the tag only as far as a file name can.
TEST(JobIdentity, TextsTheRecordCanPrintAsTyped) {
    EXPECT_EQ(Unpadded("  FT-101\t "), "FT-101");
    EXPECT_EQ(IdentityProblem(IdentityItem::Site, "北浄水場 第2系統 (No.2)", Language::English),
              "");
    EXPECT_EQ(IdentityProblem(IdentityItem::Note, "a\nb", Language::English),
              "NOTE cannot hold control characters (line breaks, tabs and the like)");
    for (const char* control : {"\t", "\x7f", "\xc2\x85", "\xe2\x80\xa8", "\x1b"}) {
        EXPECT_NE(IdentityProblem(IdentityItem::Tag, std::string("A") + control + "B",
                                  Language::Japanese),
                  "")
            << control;
    }
    EXPECT_NE(IdentityProblem(IdentityItem::Tag, std::string_view("A\0B", 3), Language::Japanese),
              "");
    // Direction overrides and isolates would show the figures after them reversed, zero-width
    // characters make two tags that look alike differ.
    for (const char* invisible : {"\u202A", "\u202E", "\u2066", "\u2069", "\u200B", "\u200F",
                                  "\uFEFF", "\u2060", "\u061C"}) {
        EXPECT_EQ(IdentityProblem(IdentityItem::Tag, std::string("FT") + invisible + "-1",
                                  Language::English),
                  "TAG cannot hold invisible format characters (direction marks and overrides, "
                  "zero-width spaces)")
            << invisible;
    }
    EXPECT_EQ(IdentityProblem(IdentityItem::Installer, "\xe3\x81", Language::English),
              "INSTALLER must be written in UTF-8");
    std::string japanese;
    for (int i = 0; i < 40; ++i) {
        japanese += "計";
    }
    EXPECT_EQ(IdentityProblem(IdentityItem::Tag, japanese, Language::Japanese), "");
    EXPECT_EQ(IdentityProblem(IdentityItem::Tag, japanese + "x", Language::Japanese),
              "測定点 (タグ) は 40 文字までです");
    EXPECT_EQ(IdentityProblem(IdentityItem::Note, std::string(300, 'n'), Language::English), "");
    EXPECT_NE(IdentityProblem(IdentityItem::Note, std::string(301, 'n'), Language::English), "");
}

TEST(JobIdentity, ReportFileNameCarriesTheTagSafely) {
    const std::string stamp = "20261209-034812";
    EXPECT_EQ(ReportFileName("FT-101", stamp), "quillmere-FT-101-20261209-034812.pdf");
    EXPECT_EQ(ReportFileName("", stamp), "quillmere-20261209-034812.pdf");
    // Separators, blanks and characters file systems refuse become one '-'; no leading dot.
    EXPECT_EQ(ReportFileName("../etc/passwd", stamp), "quillmere-etc-passwd-20261209-034812.pdf");
    EXPECT_EQ(ReportFileName("FT 101 / A:B*?", stamp), "quillmere-FT-101-A-B-20261209-034812.pdf");
    EXPECT_EQ(ReportFileName("\\\\server\\share", stamp),
              "quillmere-server-share-20261209-034812.pdf");
    EXPECT_EQ(ReportFileName("...", stamp), "quillmere-20261209-034812.pdf");
    EXPECT_EQ(ReportFileName("流量計　第1", stamp), "quillmere-流量計-第1-20261209-034812.pdf");
    EXPECT_EQ(ReportFileName(std::string(60, 'x'), stamp),
              "quillmere-" + std::string(40, 'x') + "-" + stamp + ".pdf");
    EXPECT_EQ(ReportFileName("FT\u202E101\u200B\uFEFF", stamp),
              "quillmere-FT-101-20261209-034812.pdf");
    // Bytes that are not UTF-8 never reach a file name.
    EXPECT_EQ(ReportFileName("A\xff"
                             "B",
                             stamp),
              "quillmere-A-B-20261209-034812.pdf");
}

// A units switch keeps the pipe: each field's text in the other system at that system's
// precision, and back; what is not a number stays as typed, to be refused at the press.
TEST(Fields, TextsConvertedToTheOtherUnits) {
    EXPECT_EQ(ConvertedFieldText(InputField::OuterDiameter, "114.3", UnitSystem::Imperial), "4.5");
    EXPECT_EQ(ConvertedFieldText(InputField::OuterDiameter, "4.5", UnitSystem::Metric), "114.3");
    EXPECT_EQ(ConvertedFieldText(InputField::WallThickness, "6.0", UnitSystem::Imperial), "0.2362");
    EXPECT_EQ(ConvertedFieldText(InputField::WallThickness, "0.2362", UnitSystem::Metric), "6");
    EXPECT_EQ(ConvertedFieldText(InputField::OuterDiameter, "1,234.5", UnitSystem::Imperial),
              "48.6024");
    EXPECT_EQ(ConvertedFieldText(InputField::FluidVelocity, "1440", UnitSystem::Imperial), "4724");
    EXPECT_EQ(ConvertedFieldText(InputField::PipeVelocity, "3,280", UnitSystem::Metric), "1000");
    for (const char* kept : {"", "12a", "114,3", "-"}) {
        EXPECT_EQ(ConvertedFieldText(InputField::OuterDiameter, kept, UnitSystem::Imperial), kept)
            << kept;
    }
}
