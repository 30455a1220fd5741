#include "rules/MeasuringPoint.h"

#include "catalogue/Catalogue.h"
#include "engine/EngineError.h"
#include "engine/NumberText.h"
#include "rules/Fields.h"
#include "rules/JobRecord.h"
#include "rules/NameLists.h"
#include "rules/TextFold.h"
#include "rules/Words.h"

#include <cmath>
#include <tuple>

namespace Quillmere {

namespace {

static_assert(
    [] {
        for (std::size_t i = 0; i < Fittings.size(); ++i) {
            if (static_cast<std::size_t>(Fittings[i].Id) != i ||
                Fittings[i].NameId != Site::FittingStraight + static_cast<int>(i)) {
                return false;
            }
        }
        return true;
    }(),
    "the fittings are in their enum's and the catalogue's order");
static_assert(FittingOf(Fitting::Straight).UpstreamDiameters == 0 &&
                  FittingOf(Fitting::Straight).DownstreamDiameters == 0,
              "straight pipe needs no run of its own");

const NameList& FittingNames() {
    static const NameList names = [] {
        NameList list;
        for (const FittingRecord& f : Fittings) {
            list.Add(std::string(f.Key), static_cast<int>(f.Id));
            list.AddText(f.NameId, static_cast<int>(f.Id));
        }
        return list;
    }();
    return names;
}

const NameList& RunNames() {
    static const NameList names = [] {
        NameList list;
        for (std::size_t i = 0; i < PipeRunKeys.size(); ++i) {
            list.Add(std::string(PipeRunKeys[i]), static_cast<int>(i));
            list.AddText(static_cast<std::int16_t>(Site::RunHorizontal + i), static_cast<int>(i));
        }
        return list;
    }();
    return names;
}

// The longest run a site may give: a kilometre, 40,000 inch.
constexpr double LongestRunMm = 1'000'000;

class Planner {
public:
    Planner(const JobRecord& job, SitePlan& out) : job_(job), out_(out) {}

    // The fitting a side names; false with the refusal when the name is none of them.
    bool ReadFitting(std::string_view typed, int input, std::optional<Fitting>& kind) {
        typed = Unpadded(typed);
        if (typed.empty()) {
            return true;
        }
        kind = FittingNamed(typed);
        if (!kind) {
            return Refuse(input, Catalogue::Fill(Words(job_, Site::UnknownFitting),
                                                 {Quote(typed), FittingKeys()}));
        }
        if (!FittingOf(*kind).Held) {
            return Refuse(input, Catalogue::Fill(Words(job_, Site::FittingNotHeld),
                                                 {Words(job_, FittingOf(*kind).NameId)}));
        }
        return true;
    }

    bool ReadLength(std::string_view typed, int input, std::int16_t caption,
                    std::optional<double>& millimetres) {
        typed = Unpadded(typed);
        if (typed.empty()) {
            return true;
        }
        const std::string name = Words(job_, caption);
        double value = 0;
        try {
            if (HasMisplacedComma(typed)) {
                throw EngineError(ErrorKind::TypeMismatch);
            }
            value = ParseNumberText(typed);
        } catch (const EngineError&) {
            return Refuse(input,
                          Catalogue::Fill(Words(job_, Site::NotALength), {name, Quote(typed)}));
        }
        const double mm = job_.Units == UnitSystem::Metric ? value : value * 25.4;
        if (!(mm >= 0)) {
            return Refuse(input, Catalogue::Fill(Words(job_, Site::LengthBelowZero), {name}));
        }
        if (mm > LongestRunMm) {
            return Refuse(input,
                          Catalogue::Fill(Words(job_, Site::LengthTooLong),
                                          {name, RunLengthText(LongestRunMm, job_.Units, false)}));
        }
        millimetres = mm;
        return true;
    }

    bool Refuse(int input, std::string message) {
        out_.Error = std::move(message);
        out_.ErrorInput = input;
        return false;
    }

    void Side(StraightRun& side, std::int16_t name) const {
        if (!side.Kind) {
            return;
        }
        const FittingRecord& f = FittingOf(*side.Kind);
        side.Diameters = name == Site::Upstream ? f.UpstreamDiameters : f.DownstreamDiameters;
        // The outer diameter: the larger of the pipe's, so that a run is never short.
        side.RequiredMm = side.Diameters * job_.Outcome.Inputs.OuterDiameter;
        side.Text = Catalogue::Fill(Words(job_, Site::RequiredOf),
                                    {Words(job_, name), std::to_string(side.Diameters),
                                     RunLengthText(side.RequiredMm, job_.Units, true)});
        if (!side.AvailableMm) {
            return;
        }
        // A micrometre of slack: the imperial conversion's last digits are no shortfall.
        side.Enough = *side.AvailableMm >= side.RequiredMm - 0.001;
        const std::string has = RunLengthText(*side.AvailableMm, job_.Units, false);
        side.Text += job_.Lang == Language::Japanese ? "、" : "; ";
        side.Text += *side.Enough
                         ? Catalogue::Fill(Words(job_, Site::EnoughOf), {has})
                         : Catalogue::Fill(Words(job_, Site::ShortOf),
                                           {has, RunLengthText(side.RequiredMm - *side.AvailableMm,
                                                               job_.Units, true)});
    }

    void Around() const {
        const auto method = static_cast<MountMethod>(job_.MountMethodIndex);
        out_.OppositeSides = method == MountMethod::Z || method == MountMethod::N;
        out_.Clock = out_.OppositeSides ? std::array<int, 2>{3, 9} : std::array<int, 2>{3, 3};
        const std::string letter(1, MountLetter(method));
        switch (out_.Run) {
        case PipeRun::Horizontal:
            out_.Rule = Words(job_, Site::RuleHorizontal);
            out_.Placement =
                out_.OppositeSides
                    ? Catalogue::Fill(Words(job_, Site::OppositeSides), {letter, "3", "9"})
                    : Catalogue::Fill(Words(job_, Site::OneSide), {letter, "3"});
            break;
        case PipeRun::Up:
        case PipeRun::Down:
            out_.Rule = Words(job_, out_.Run == PipeRun::Up ? Site::RuleUp : Site::RuleDown);
            out_.Placement =
                Catalogue::Fill(Words(job_, out_.OppositeSides ? Site::OppositeSidesVertical
                                                               : Site::OneSideVertical),
                                {letter});
            break;
        }
        if (const std::string& around = job_.Outcome.Display.Circumferential; !around.empty()) {
            out_.Placement += job_.Lang == Language::Japanese ? "、" : ", ";
            out_.Placement +=
                Catalogue::Fill(Words(job_, Site::ApartAround),
                                {around + " " + std::string(UnitNamesOf(job_.Units)[0])});
        }
    }

private:
    static std::string Quote(std::string_view typed) {
        return "\"" + Printable(Abridged(typed)) + "\"";
    }

    const JobRecord& job_;
    SitePlan& out_;
};

} // namespace

std::optional<Fitting> FittingNamed(std::string_view name) {
    if (const std::optional<int> index = FittingNames().Find(Unpadded(name))) {
        return static_cast<Fitting>(*index);
    }
    return std::nullopt;
}

std::optional<PipeRun> PipeRunNamed(std::string_view name) {
    if (const std::optional<int> index = RunNames().Find(Unpadded(name))) {
        return static_cast<PipeRun>(*index);
    }
    return std::nullopt;
}

std::string FittingKeys() {
    std::string keys;
    for (const FittingRecord& f : Fittings) {
        keys += (keys.empty() ? "" : ", ") + std::string(f.Key);
    }
    return keys;
}

std::string RunLengthText(double millimetres, UnitSystem units, bool roundUp) {
    return RunLengthFigure(millimetres, units, roundUp) + " " + std::string(UnitNamesOf(units)[0]);
}

std::string RunLengthFigure(double millimetres, UnitSystem units, bool roundUp) {
    const bool metric = units == UnitSystem::Metric;
    const double value = metric ? millimetres : millimetres / 25.4;
    const double step = metric ? 1.0 : 0.1;
    // A required run up to the next whole mm (tenth of an inch); the trace of binary
    // arithmetic in 10 x 114.3, or of the imperial conversion, is not a millimetre more.
    const double shown = roundUp ? std::ceil(value / step - 1e-4) * step : value;
    return FormatGroupedFixed(shown, metric ? 0 : 1);
}

std::vector<std::string> SiteLines(const JobRecord& job, const SitePlan& plan) {
    std::vector<std::string> lines;
    if (plan.Up.Kind || plan.Down.Kind) {
        lines.push_back(Words(job, Site::StraightRuns) + ":");
        for (const StraightRun* side : {&plan.Up, &plan.Down}) {
            if (side->Kind) {
                lines.push_back("  " + side->Text + " (" +
                                Words(job, FittingOf(*side->Kind).NameId) + ")");
            }
        }
    }
    lines.push_back(Words(job, Site::Position) + ": " + plan.Placement);
    lines.push_back("  " + plan.Rule);
    return lines;
}

SitePlan PlanSite(const JobRecord& job, const SiteInput& site) {
    SitePlan out;
    Planner plan(job, out);
    if (!plan.ReadFitting(site.Upstream, 0, out.Up.Kind) ||
        !plan.ReadFitting(site.Downstream, 1, out.Down.Kind) ||
        !plan.ReadLength(site.AvailableUpstream, 2, Site::AvailableUpstream, out.Up.AvailableMm) ||
        !plan.ReadLength(site.AvailableDownstream, 3, Site::AvailableDownstream,
                         out.Down.AvailableMm)) {
        return out;
    }
    for (const auto& [side, input, caption] :
         {std::tuple{&out.Up, 2, Site::AvailableUpstream},
          std::tuple{&out.Down, 3, Site::AvailableDownstream}}) {
        if (side->AvailableMm && !side->Kind) {
            plan.Refuse(input, Catalogue::Fill(Words(job, Site::AvailableWithoutFitting),
                                               {Words(job, caption)}));
            return out;
        }
    }
    if (const std::string_view run = Unpadded(site.Run); !run.empty()) {
        const std::optional<PipeRun> named = PipeRunNamed(run);
        if (!named) {
            plan.Refuse(4, Catalogue::Fill(Words(job, Site::UnknownRun),
                                           {"\"" + Printable(Abridged(run)) + "\""}));
            return out;
        }
        out.Run = *named;
    }
    plan.Side(out.Up, Site::Upstream);
    plan.Side(out.Down, Site::Downstream);
    plan.Around();
    return out;
}

} // namespace Quillmere
