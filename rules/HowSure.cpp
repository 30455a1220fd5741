#include "rules/HowSure.h"

#include "catalogue/Catalogue.h"
#include "engine/EngineError.h"
#include "engine/FloatText.h"
#include "engine/FluidTemperature.h"
#include "engine/NumberText.h"
#include "engine/SpacingBounds.h"
#include "rules/Execute.h"
#include "rules/FieldCheck.h"
#include "rules/Fields.h"
#include "rules/Lists.h"
#include "rules/TextFold.h"
#include "rules/Words.h"

#include <algorithm>
#include <cmath>

namespace Quillmere {
namespace {

namespace C = Catalogue::CheckText;

std::string Said(Language lang, std::int16_t id,
                 std::initializer_list<std::string_view> args = {}) {
    return Catalogue::Fill(Catalogue::Text(id, lang), args);
}

std::string CaptionOf(InputField field, Language lang) {
    return std::string(Catalogue::Text(FieldOf(field).CaptionId, lang));
}

bool IsLength(InputField field) {
    return FieldOf(field).Unit == UnitKind::Length;
}

// A figure typed in the job's units, in mm or m/s.
double Metric(double value, InputField field, UnitSystem units) {
    if (units == UnitSystem::Metric) {
        return value;
    }
    return IsLength(field) ? InchToMm(value) : FtsToMs(value);
}

// A per-unit figure of the spacing in the job's units: inch per inch, inch per ft/s.
double SpacingPerShownUnit(double mmPerUnit, InputField field, UnitSystem units) {
    if (units == UnitSystem::Metric || IsLength(field)) {
        return mmPerUnit;
    }
    return mmPerUnit * InchPerMillimetre / FeetPerMetre;
}

// "+2.78": a percentage to two decimals with its sign.
std::string SignedNumber(double percent) {
    const double shown = std::round(percent * 100) / 100;
    return (shown > 0 ? "+" : "") + FormatGroupedFixed(shown == 0 ? 0.0 : shown, 2);
}

std::string Signed(double percent) {
    return SignedNumber(percent) + " %";
}

// The water the job's fluid velocity is of: the one the temperature helper took, or the list
// entry's at its usual conditions; none for another fluid.
std::optional<FluidSource> WaterOf(const JobRecord& job) {
    if (job.Fluid && job.Fluid->Equation != nullptr) {
        return job.Fluid;
    }
    if (const WaterEquation* water = FluidKinds[static_cast<std::size_t>(job.FluidIndex)].Water) {
        return FluidSource{0, {}, water};
    }
    return std::nullopt;
}

// Reads the plus/minus of each input, metric; false with the refusal in `out`.
bool ReadPlusMinus(const JobRecord& job, const Uncertainty& given, FieldValues& plusMinus,
                   Assessment& out) {
    const std::vector<InputField> read = InputsRead(job);
    for (const InputField field : InputFields) {
        const std::string_view text = Unpadded(given.Of(field));
        if (text.empty()) {
            continue;
        }
        const std::string caption = CaptionOf(field, job.Lang);
        out.ErrorField = field;
        if (std::find(read.begin(), read.end(), field) == read.end()) {
            out.Error = Said(job.Lang, C::ToleranceNotRead, {caption});
            return false;
        }
        double value = 0;
        try {
            if (HasMisplacedComma(text)) {
                throw EngineError(ErrorKind::TypeMismatch);
            }
            value = ParseNumberText(text);
        } catch (const EngineError&) {
            out.Error = Said(job.Lang, C::ToleranceNotANumber, {caption});
            return false;
        }
        if (value < 0) {
            out.Error = Said(job.Lang, C::ToleranceNegative, {caption});
            return false;
        }
        const double metric = Metric(value, field, job.Units);
        const double input = InputOf(job.Outcome.Inputs, field);
        if (metric >= input) {
            const std::string shown =
                job.Text(field).empty()
                    ? DefaultNumberText(job.Units == UnitSystem::Metric ? input
                                                                        : input * FeetPerMetre)
                    : job.Text(field);
            out.Error = Said(job.Lang, C::ToleranceTooLarge, {caption, shown});
            return false;
        }
        plusMinus[static_cast<std::size_t>(field)] = metric;
    }
    out.ErrorField.reset();
    return true;
}

void AddRanges(const JobRecord& job, const FieldValues& plusMinus, Assessment& out) {
    const SpacingInputs& in = job.Outcome.Inputs;
    const SensorTypeRecord& sensor = SensorTypeAt(job.SensorTypeIndex);
    try {
        const SpacingRange range = SpacingOverBox(in, plusMinus, sensor);
        out.SpacingMinMm = std::max(0.0, range.Min);
        out.SpacingMaxMm = std::max(0.0, range.Max);
        for (const InputField field : InputFields) {
            const double tolerance = plusMinus[static_cast<std::size_t>(field)];
            if (tolerance > 0) {
                SpacingInputs low = in;
                SpacingInputs high = in;
                InputOf(low, field) -= tolerance;
                InputOf(high, field) += tolerance;
                out.Bars.push_back({field, ComputeSpacingBreakdown(low, sensor).Unclamped,
                                    ComputeSpacingBreakdown(high, sensor).Unclamped});
            }
        }
    } catch (const EngineError& error) {
        out.Error = error.kind() == ErrorKind::NoBore
                        ? Said(job.Lang, C::ToleranceNoBore)
                        : Said(job.Lang, C::ToleranceNoBeam, {ErrorDescription(error, job.Lang)});
        return;
    }
    std::stable_sort(out.Bars.begin(), out.Bars.end(),
                     [](const TornadoBar& a, const TornadoBar& b) {
                         return std::fabs(a.PlusMm - a.MinusMm) > std::fabs(b.PlusMm - b.MinusMm);
                     });
    // The converter takes the flow area from the bore it is given: (ID entered / ID true)^2.
    const auto tolerance = [&plusMinus](InputField field) {
        return plusMinus[static_cast<std::size_t>(field)];
    };
    const double bore = InnerDiameter(in);
    const double spread =
        tolerance(InputField::OuterDiameter) +
        2 * (tolerance(InputField::WallThickness) + tolerance(InputField::LiningThickness));
    const auto flowError = [bore](double trueBore) {
        return (bore / trueBore) * (bore / trueBore) * 100.0 - 100.0;
    };
    out.FlowErrorMinPercent = flowError(bore + spread);
    out.FlowErrorMaxPercent = spread > 0 ? flowError(bore - spread) : 0.0;
}

void CheckMeasured(const JobRecord& job, std::string_view text, Assessment& out) {
    if (const std::int16_t refused =
            LeaveFieldMessageId(text, InputField::FluidVelocity, job.Units);
        refused != 0) {
        out.ErrorField = InputField::FluidVelocity;
        out.ErrorInMeasured = true;
        out.Error = Said(job.Lang, C::MeasuredRefused,
                         {Catalogue::Text(C::MeasuredFluidVelocity, job.Lang),
                          Catalogue::Text(refused, job.Lang)});
        return;
    }
    const double typed = ParseNumberText(text);
    MeasuredFluid measured{};
    measured.VelocityMs = job.Units == UnitSystem::Metric ? typed : FtsToMs(typed);
    const double used = job.Outcome.Inputs.FluidVelocity;
    measured.DifferencePercent = (measured.VelocityMs - used) / used * 100.0;
    SpacingInputs at = job.Outcome.Inputs;
    at.FluidVelocity = measured.VelocityMs;
    try {
        measured.SpacingMm = ComputeSpacingBreakdown(at, SensorTypeAt(job.SensorTypeIndex)).Spacing;
    } catch (const EngineError&) {
        measured.SpacingMm.reset();
    }
    if (const std::optional<FluidSource> water = WaterOf(job)) {
        measured.Water = true;
        measured.WaterCelsius = TemperaturesAt(*water->Equation, measured.VelocityMs, water->State);
        if (!measured.WaterCelsius.empty()) {
            measured.WaterTemperature = measured.WaterCelsius.front(); // the lower
            if (job.Fluid && measured.WaterCelsius.size() > 1) {
                const double entered = job.Fluid->Celsius;
                measured.WaterTemperature =
                    *std::min_element(measured.WaterCelsius.begin(), measured.WaterCelsius.end(),
                                      [entered](double a, double b) {
                                          return std::fabs(a - entered) < std::fabs(b - entered);
                                      });
            }
        }
    }
    out.Measured = measured;
}

} // namespace

bool Uncertainty::Toleranced() const {
    return std::any_of(PlusMinus.begin(), PlusMinus.end(), [](const std::string& text) {
        return !text.empty() && !Unpadded(text).empty();
    });
}

std::vector<InputField> InputsRead(const Job& job) {
    const bool lined = job.LiningMaterialIndex != NoLiningEntry;
    std::vector<InputField> read;
    for (const InputField field : InputFields) {
        if (lined ||
            (field != InputField::LiningThickness && field != InputField::LiningVelocity)) {
            read.push_back(field);
        }
    }
    return read;
}

Assessment AssessJob(const JobRecord& job, const Uncertainty& uncertainty) {
    Assessment out;
    const SpacingInputs& in = job.Outcome.Inputs;
    const SensorTypeRecord& sensor = SensorTypeAt(job.SensorTypeIndex);
    FieldValues plusMinus{};
    if (!ReadPlusMinus(job, uncertainty, plusMinus, out)) {
        return out;
    }
    const FieldValues derivatives = SpacingDerivatives(in, sensor);
    const double bore = InnerDiameter(in);
    for (const InputField field : InputsRead(job)) {
        const double flow = field == InputField::OuterDiameter ? 200.0 / bore
                            : IsLength(field)                  ? -400.0 / bore
                                                               : 0.0;
        out.Sensitivities.push_back({field, derivatives[static_cast<std::size_t>(field)], flow});
    }
    out.DeltaTNsPerMs = TransitTimeDifferenceNs(in, job.Outcome.Breakdown);
    out.Toleranced = uncertainty.Toleranced();
    if (out.Toleranced) {
        AddRanges(job, plusMinus, out);
        if (!out.Ok()) {
            return out;
        }
    }
    if (const std::string_view measured = Unpadded(uncertainty.MeasuredFluidVelocity);
        !measured.empty()) {
        CheckMeasured(job, measured, out);
    }
    return out;
}

std::string ThreeFigures(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(2 - magnitude, 0, 9);
    std::string text = FixedText(value, decimals);
    return text == "-0" ? "0" : text;
}

std::vector<std::string> AssessmentLines(const JobRecord& job, const Uncertainty& uncertainty,
                                         const Assessment& a) {
    const Language lang = job.Lang;
    const UnitSystem units = job.Units;
    const auto caption = [lang](std::int16_t id) { return std::string(Catalogue::Text(id, lang)); };
    const UnitNamesSet unitNames = UnitNamesOf(units);
    const std::string length(unitNames[0]);
    const std::string velocity(unitNames[1]);
    std::vector<std::string> lines;
    if (a.Toleranced) {
        std::vector<std::string> given;
        for (const InputField field : InputFields) {
            if (const std::string_view text = Unpadded(uncertainty.Of(field)); !text.empty()) {
                given.push_back(CaptionOf(field, lang) + " ±" + std::string(text) + " " +
                                std::string(UnitOf(field, units)));
            }
        }
        lines.push_back(caption(C::Tolerances) + ": " + Joined(given, ", "));
        lines.push_back(caption(C::SpacingRange) + ": " +
                        Said(lang, C::RangeOf,
                             {PlainLengthText(a.SpacingMinMm, units) + " " + length,
                              PlainLengthText(a.SpacingMaxMm, units) + " " + length}));
        lines.push_back(
            caption(C::FlowErrorRange) + ": " +
            Said(lang, C::RangeOf, {Signed(a.FlowErrorMinPercent), Signed(a.FlowErrorMaxPercent)}));
    }
    lines.push_back(caption(C::Sensitivity) + ":");
    const double lengthPerUnit = units == UnitSystem::Metric ? 1.0 : 25.4;
    for (const InputSensitivity& s : a.Sensitivities) {
        const std::string per = IsLength(s.Field) ? length : "(" + velocity + ")";
        lines.push_back(
            "  " +
            Said(lang, C::SensitivityOf,
                 {CaptionOf(s.Field, lang),
                  ThreeFigures(SpacingPerShownUnit(s.SpacingPerUnit, s.Field, units)) + " " +
                      length + "/" + per,
                  (s.FlowErrorPercentPerUnit > 0 ? "+" : "") +
                      ThreeFigures(s.FlowErrorPercentPerUnit * lengthPerUnit) + " %/" + per}));
    }
    const double deltaT =
        units == UnitSystem::Metric ? a.DeltaTNsPerMs : a.DeltaTNsPerMs / FeetPerMetre;
    lines.push_back(caption(C::DeltaT) + ": " +
                    Said(lang, C::DeltaTOf, {ThreeFigures(deltaT), velocity}));
    if (a.Measured) {
        const MeasuredFluid& m = *a.Measured;
        const auto shownVelocity = [units](double ms) {
            return DefaultNumberText(
                std::round(units == UnitSystem::Metric ? ms : ms * FeetPerMetre));
        };
        std::vector<std::string> parts{Said(lang, C::MeasuredOf,
                                            {Unpadded(uncertainty.MeasuredFluidVelocity), velocity,
                                             shownVelocity(job.Outcome.Inputs.FluidVelocity),
                                             SignedNumber(m.DifferencePercent)})};
        parts.push_back(m.SpacingMm ? Said(lang, C::SpacingForIt,
                                           {PlainLengthText(*m.SpacingMm, units) + " " + length})
                                    : caption(C::NoBeamForMeasured));
        if (m.Water) {
            const std::string degrees = units == UnitSystem::Metric ? " °C" : " °F";
            const auto temperature = [&](double celsius) {
                const double shown = units == UnitSystem::Metric ? celsius : celsius * 1.8 + 32;
                return FormatGroupedFixed(std::round(shown * 10) / 10, 1) + degrees;
            };
            if (!m.WaterTemperature) {
                const FluidSource water = *WaterOf(job);
                parts.push_back(Said(lang, C::NoWaterTemperature,
                                     {temperature(water.Equation->LowCelsius) + " - " +
                                      temperature(HighestCelsius(*water.Equation, water.State))}));
            } else if (m.WaterCelsius.size() > 1) {
                const double other = m.WaterCelsius.front() == *m.WaterTemperature
                                         ? m.WaterCelsius.back()
                                         : m.WaterCelsius.front();
                parts.push_back(Said(lang, C::WaterAtEither,
                                     {temperature(*m.WaterTemperature), temperature(other)}));
            } else {
                parts.push_back(Said(lang, C::WaterAt, {temperature(*m.WaterTemperature)}));
            }
        }
        lines.push_back(caption(C::ConverterCheck) + ": " +
                        Joined(parts, lang == Language::Japanese ? "。" : "; "));
    }
    return lines;
}

} // namespace Quillmere
