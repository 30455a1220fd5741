#pragma once

// The names of the catalogue ids the code uses. Japanese texts live at the id, English
// ones at id + 5000; the lists' entry ids are in the list sources of the rules layer.

#include <cstdint>

namespace Catalogue::Id {

inline constexpr std::int16_t FontName = 1;
inline constexpr std::int16_t SensorMount = 790;
inline constexpr std::int16_t SensorType = 800;
inline constexpr std::int16_t LiningVelocity = 1100; // also the lining list's user entry
inline constexpr std::int16_t LiningThickness = 1110;
inline constexpr std::int16_t LiningMaterial = 1120;
inline constexpr std::int16_t OuterDiameter = 1240;
inline constexpr std::int16_t SensorSpacing = 1380;
inline constexpr std::int16_t Input = 1967;
inline constexpr std::int16_t PipeVelocity = 2050; // also the pipe list's user entry
inline constexpr std::int16_t PipeMaterial = 2060;
inline constexpr std::int16_t FluidVelocity = 2200; // also the fluid list's user entry
inline constexpr std::int16_t KindOfFluid = 2210;
inline constexpr std::int16_t WallThickness = 2880;
inline constexpr std::int16_t VMethod = 3140;
inline constexpr std::int16_t ZMethod = 3150;
inline constexpr std::int16_t NotANumber = 3920;
inline constexpr std::int16_t OutOfRange = 3921;
inline constexpr std::int16_t Execute = 3922;
inline constexpr std::int16_t CalculationResult = 3926;
inline constexpr std::int16_t TitleFirst = 4401;
inline constexpr std::int16_t TitleSecond = 4402;

} // namespace Catalogue::Id

// Descriptions of calculation failures, ids of our own beside the window's texts.
namespace Catalogue::ErrorText {
inline constexpr std::int16_t TypeMismatch = 4930;
inline constexpr std::int16_t SubscriptOutOfRange = 4931;
inline constexpr std::int16_t WallRefraction = 4932;
inline constexpr std::int16_t LiningRefraction = 4933;
inline constexpr std::int16_t FluidRefraction = 4934;
inline constexpr std::int16_t DivisionByZero = 4935;
inline constexpr std::int16_t Overflow = 4936;
inline constexpr std::int16_t InvalidArgument = 4937;
inline constexpr std::int16_t Unexpected = 4938;
inline constexpr std::int16_t MisplacedComma = 4939; // a decimal comma, say: "114,3"
inline constexpr std::int16_t EmptyInput = 4948;     // %1: the field's caption
inline constexpr std::int16_t NoBore = 4949;
} // namespace Catalogue::ErrorText

// Words of the command-line front end.
namespace Catalogue::CalcText {
inline constexpr std::int16_t UnknownSensorType = 4940;
inline constexpr std::int16_t UnknownPipeMaterial = 4941;
inline constexpr std::int16_t UnknownLiningMaterial = 4942;
inline constexpr std::int16_t UnknownFluid = 4943;
inline constexpr std::int16_t UnknownMountMethod = 4944;
inline constexpr std::int16_t Circumferential = 4945;
inline constexpr std::int16_t RowLength = 4946; // %1 the row's field count, %2 the header's
inline constexpr std::int16_t TooLong = 4947;
inline constexpr std::int16_t NamedAndVelocity =
    4950;                                           // %1 the named entry, %2 the velocity's caption
inline constexpr std::int16_t NeedsLining = 4951;   // %1 the value's caption, %2 the lining list's
inline constexpr std::int16_t UnheadedValue = 4952; // %1 the column's number, %2 the value
inline constexpr std::int16_t DidYouMean = 4953;    // %1 the names a refused one may mean
inline constexpr std::int16_t RowOfOneField = 4954; // %1 the header's field count
} // namespace Catalogue::CalcText

namespace Catalogue::ReportText {
// A stepped spacing beside the one computed: %1 computed, %2 the steps, %3 the mounted one.
inline constexpr std::int16_t SteppedFrom = 4955;
} // namespace Catalogue::ReportText

// Words of the job record: the window's menu, the summary, the report and the sketch.
namespace Catalogue::ReportText {
inline constexpr std::int16_t CopySummary = 4960;
inline constexpr std::int16_t SaveReport = 4961;
inline constexpr std::int16_t Print = 4962;
inline constexpr std::int16_t Help = 4963;
inline constexpr std::int16_t About = 4964;
inline constexpr std::int16_t Title = 4965;
inline constexpr std::int16_t DateTime = 4966;
inline constexpr std::int16_t Version = 4967;
inline constexpr std::int16_t TableValue = 4968; // %1: the velocity
inline constexpr std::int16_t Scale = 4969;      // %1: "1:2"
inline constexpr std::int16_t NMethod = 4970;
inline constexpr std::int16_t WMethod = 4971;
inline constexpr std::int16_t Steps = 4972; // %1: the count of 3 mm steps
inline constexpr std::int16_t Legend = 4973;
inline constexpr std::int16_t HelpText = 4974;   // HTML
inline constexpr std::int16_t AboutText = 4975;  // HTML; %1 version, %2 the configuration file
inline constexpr std::int16_t SaveFailed = 4976; // %1: the file
inline constexpr std::int16_t PdfFiles = 4977;
inline constexpr std::int16_t FluidAtTemperature = 4978;
inline constexpr std::int16_t Temperature = 4979;
inline constexpr std::int16_t NoTemperatureEquation = 4980;
inline constexpr std::int16_t TemperatureOutOfRange = 4981; // %1 the equation, %2 its range
inline constexpr std::int16_t TemperatureAndVelocity = 4982;
inline constexpr std::int16_t WebHelpText = 4983; // HTML: the browser page's help
inline constexpr std::int16_t BelowZero = 4984;   // %1 the spacing before the clamp, with its unit
inline constexpr std::int16_t PrintFailed = 4985;
inline constexpr std::int16_t Copied = 4986;     // the page's copy button, for a moment
inline constexpr std::int16_t CopyFailed = 4987; // the summary follows, to copy by hand
inline constexpr std::int16_t FluidPath = 4520;
// %1 the path with its unit, %2 the fluid crossings, %3 the transit time in µs
inline constexpr std::int16_t FluidPathFormat = 4521;
} // namespace Catalogue::ReportText

// Words of the standard pipe sizes: the window's dialog and the refusals of a size text.
namespace Catalogue::PipeText {
inline constexpr std::int16_t AOrB = 4988;   // %1 standard and bare size, %2 the sizes it may be
inline constexpr std::int16_t NoSize = 4989; // %1 standard, %2 and %3 its first and last sizes
inline constexpr std::int16_t StandardPipe = 4990;
inline constexpr std::int16_t Standard = 4991;
inline constexpr std::int16_t Size = 4992;
inline constexpr std::int16_t Schedule = 4993;
inline constexpr std::int16_t UnknownStandard = 4994; // %1 the text, %2 the standards
inline constexpr std::int16_t UnknownSize = 4995;     // %1 standard, %2 size, %3 nearest sizes
inline constexpr std::int16_t UnknownSchedule =
    4996; // %1 standard and size, %2 schedule, %3 those it has
inline constexpr std::int16_t NoSchedule = 4997; // %1 standard and size, %2 its schedules
inline constexpr std::int16_t SizeAndDimensions = 4998;
inline constexpr std::int16_t OneWall = 4999;      // %1 standard and size
inline constexpr std::int16_t NoMortar = 4500;     // %1 the standard whose lining is not held
inline constexpr std::int16_t MortarLining = 4501; // the dialogs' choice
// "%1 %2 (%3)": the lining, its thickness with unit and the standard it comes from
inline constexpr std::int16_t LiningFrom = 4502;
inline constexpr std::int16_t SizeAndLining = 4503;
inline constexpr std::int16_t SuNotA = 4504;           // %1 as written, %2 its two readings
inline constexpr std::int16_t MortarAndUnlined = 4505; // %1 as written
// %1 standard and size, %2 what follows, %3 its schedules
inline constexpr std::int16_t UnknownAfterSize = 4506;
inline constexpr std::int16_t UnknownAfterOneWall = 4507; // %1 standard and size, %2 what follows
inline constexpr std::int16_t NeverMortar = 4508;         // %1 the standard
inline constexpr std::int16_t DuctileLining = 4509;       // %1 the designation
} // namespace Catalogue::PipeText

// Words of the job's identity: its captions, the window's dialog and refusals of its texts.
namespace Catalogue::JobText {
inline constexpr std::int16_t Site = 4530;
inline constexpr std::int16_t Tag = 4531;
inline constexpr std::int16_t Installer = 4532;
inline constexpr std::int16_t Note = 4533;
inline constexpr std::int16_t Details = 4534;          // the menus' "Job details..."
inline constexpr std::int16_t ControlCharacter = 4535; // %1 the caption
inline constexpr std::int16_t TooLong = 4536;          // %1 the caption, %2 the most characters
inline constexpr std::int16_t NotUtf8 = 4537;          // %1 the caption
inline constexpr std::int16_t FormatCharacter = 4538;  // %1 the caption
} // namespace Catalogue::JobText

// Words of the window's menu bar and its jobs file.
namespace Catalogue::MenuText {
inline constexpr std::int16_t File = 4540;
inline constexpr std::int16_t Edit = 4541;
inline constexpr std::int16_t Tools = 4542;
inline constexpr std::int16_t HelpMenu = 4543;
inline constexpr std::int16_t RecentJobs = 4544;
inline constexpr std::int16_t Quit = 4545;
inline constexpr std::int16_t NoRecentJobs = 4546;
inline constexpr std::int16_t JobsNotKept = 4547;    // %1 the file, %2 why
inline constexpr std::int16_t OtherColumns = 4548;   // %1 the file
inline constexpr std::int16_t OtherUnits = 4549;     // %1 the job's units, %2 the window's
inline constexpr std::int16_t MethodNotHere = 4550;  // %1 the method
inline constexpr std::int16_t NotRegularFile = 4551; // %1 the file
inline constexpr std::int16_t UnfinishedRow = 4552;  // %1 the file
} // namespace Catalogue::MenuText

// Why a file could not be written or read, for the messages that name it.
namespace Catalogue::FileText {
inline constexpr std::int16_t DiskFull = 4570;
inline constexpr std::int16_t QuotaUsedUp = 4571;
inline constexpr std::int16_t NoPermission = 4572;
inline constexpr std::int16_t ReadOnlyDisk = 4573;
inline constexpr std::int16_t FileInTheWay = 4574; // a file where a folder should be
inline constexpr std::int16_t IsAFolder = 4575;
inline constexpr std::int16_t TooLarge = 4576;
inline constexpr std::int16_t DiskError = 4577;
} // namespace Catalogue::FileText

// Words of the page's kept jobs and its sketch viewer.
namespace Catalogue::WebText {
inline constexpr std::int16_t ExportJobs = 4560;
inline constexpr std::int16_t ShareSummary = 4561;
inline constexpr std::int16_t ShareJobs = 4562;
inline constexpr std::int16_t ClearJobs = 4563;
inline constexpr std::int16_t ClearConfirm = 4564; // %1 the count of jobs
inline constexpr std::int16_t EnlargeSketch = 4565;
} // namespace Catalogue::WebText

// Words of how sure a spacing is: the plus/minus of the inputs, the spacing's and the flow's
// ranges, how much each input matters, and the converter's check.
namespace Catalogue::CheckText {
inline constexpr std::int16_t HowSure = 4600;               // the menus' "How sure..."
inline constexpr std::int16_t PlusMinus = 4601;             // the caption of a ± column
inline constexpr std::int16_t MeasuredFluidVelocity = 4602; // the converter's FLUID S.V.
inline constexpr std::int16_t SpacingRange = 4603;
inline constexpr std::int16_t FlowErrorRange = 4604;
inline constexpr std::int16_t Sensitivity = 4605;
inline constexpr std::int16_t SensitivityOf = 4606; // %1 caption, %2 spacing, %3 flow, per unit
inline constexpr std::int16_t DeltaT = 4607;
inline constexpr std::int16_t DeltaTOf = 4608; // %1 ns, %2 the velocity unit
inline constexpr std::int16_t ConverterCheck = 4609;
inline constexpr std::int16_t MeasuredOf = 4610;         // %1 measured, %2 unit, %3 used, %4 %
inline constexpr std::int16_t SpacingForIt = 4611;       // %1 the spacing with its unit
inline constexpr std::int16_t WaterAt = 4612;            // %1 the temperature
inline constexpr std::int16_t WaterAtEither = 4613;      // %1 the nearer, %2 the other
inline constexpr std::int16_t NoWaterTemperature = 4614; // %1 the equation's range
inline constexpr std::int16_t NoBeamForMeasured = 4615;
inline constexpr std::int16_t ToleranceNegative = 4616;   // %1 the caption
inline constexpr std::int16_t ToleranceTooLarge = 4617;   // %1 the caption, %2 the value
inline constexpr std::int16_t ToleranceNotANumber = 4618; // %1 the caption
inline constexpr std::int16_t ToleranceNotRead = 4619;    // %1 the caption
inline constexpr std::int16_t ToleranceNoBore = 4620;
inline constexpr std::int16_t ToleranceNoBeam = 4621; // %1 why
inline constexpr std::int16_t Tolerances = 4622;
inline constexpr std::int16_t TornadoTitle = 4623;
inline constexpr std::int16_t MeasuredRefused = 4624; // %1 the caption, %2 the check's message
inline constexpr std::int16_t RangeOf = 4625;         // %1 the low end, %2 the high end
} // namespace Catalogue::CheckText

// Words of the measuring point: the fittings around it, the straight runs they need and the
// sensors' places around the pipe.
namespace Catalogue::SiteText {
inline constexpr std::int16_t MeasuringPoint = 4700; // the menus' "Measuring point..."
inline constexpr std::int16_t Upstream = 4701;
inline constexpr std::int16_t Downstream = 4702;
inline constexpr std::int16_t AvailableUpstream = 4703;
inline constexpr std::int16_t AvailableDownstream = 4704;
inline constexpr std::int16_t PipeRun = 4705;
inline constexpr std::int16_t StraightRuns = 4706;
inline constexpr std::int16_t Position = 4707;
inline constexpr std::int16_t Required = 4708;  // the drawing's label of a required run
inline constexpr std::int16_t Available = 4709; // and of the run the site has
// The kinds of fitting, in the order of rules/MeasuringPoint.h's table.
inline constexpr std::int16_t FittingStraight = 4710;
inline constexpr std::int16_t FittingElbow = 4711;
inline constexpr std::int16_t FittingElbowsInPlane = 4712;
inline constexpr std::int16_t FittingElbowsOutOfPlane = 4713;
inline constexpr std::int16_t FittingTee = 4714;
inline constexpr std::int16_t FittingReducer = 4715;
inline constexpr std::int16_t FittingExpander = 4716;
inline constexpr std::int16_t FittingOpenValve = 4717;
inline constexpr std::int16_t FittingControlValve = 4718;
inline constexpr std::int16_t FittingPump = 4719;
// The pipe's runs, in the order of PipeRun.
inline constexpr std::int16_t RunHorizontal = 4720;
inline constexpr std::int16_t RunUp = 4721;
inline constexpr std::int16_t RunDown = 4722;
inline constexpr std::int16_t RequiredOf = 4730; // %1 side, %2 diameters, %3 length with unit
inline constexpr std::int16_t EnoughOf = 4731;   // %1 the available length with unit
inline constexpr std::int16_t ShortOf = 4732;    // %1 available, %2 how much short
inline constexpr std::int16_t RuleHorizontal = 4733;
inline constexpr std::int16_t OneSide = 4734;       // %1 the method, %2 the hour
inline constexpr std::int16_t OppositeSides = 4735; // %1 the method, %2 and %3 the hours
inline constexpr std::int16_t RuleUp = 4736;
inline constexpr std::int16_t RuleDown = 4737;
inline constexpr std::int16_t OneSideVertical = 4738;         // %1 the method
inline constexpr std::int16_t OppositeSidesVertical = 4739;   // %1 the method
inline constexpr std::int16_t UnknownFitting = 4740;          // %1 as typed, %2 the names
inline constexpr std::int16_t FittingNotHeld = 4741;          // %1 the fitting
inline constexpr std::int16_t NotALength = 4742;              // %1 the caption, %2 as typed
inline constexpr std::int16_t LengthBelowZero = 4743;         // %1 the caption
inline constexpr std::int16_t LengthTooLong = 4744;           // %1 the caption, %2 the limit
inline constexpr std::int16_t UnknownRun = 4745;              // %1 as typed
inline constexpr std::int16_t AvailableWithoutFitting = 4746; // %1 the caption
inline constexpr std::int16_t ApartAround = 4747;             // %1 the circumferential length
inline constexpr std::int16_t NoFitting = 4748;               // the lists' "not given"
inline constexpr std::int16_t Sensors = 4749;                 // the drawing's sensors
} // namespace Catalogue::SiteText

// Words of water at a pressure and sea water by its salinity.
namespace Catalogue::WaterText {
inline constexpr std::int16_t Pressure = 4650; // the helper's caption, before its unit
inline constexpr std::int16_t Salinity = 4651;
inline constexpr std::int16_t NotANumberIn = 4652;       // %1 the caption
inline constexpr std::int16_t Boils = 4653;              // %1 temperature, %2 gauge, %3 absolute
inline constexpr std::int16_t PressureTooHigh = 4654;    // %1 the equation, %2 its limit
inline constexpr std::int16_t SalinityOutOfRange = 4655; // %1 the salinity typed
inline constexpr std::int16_t SalinityForSeawater = 4656;
inline constexpr std::int16_t GivePressure = 4657;        // after a temperature over 95 degC
inline constexpr std::int16_t GaugeAbsolute = 4658;       // %1 gauge, %2 absolute, with units
inline constexpr std::int16_t SalinityOf = 4659;          // %1 the salinity
inline constexpr std::int16_t SeaPressureRange = 4660;    // %1 the pressure typed
inline constexpr std::int16_t WithTemperatureOnly = 4661; // %1 the column
} // namespace Catalogue::WaterText
