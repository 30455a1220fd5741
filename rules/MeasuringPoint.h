#pragma once

// Where on the pipe to measure: the straight run each kind of fitting needs upstream and
// downstream of the sensors, in this pipe's length, against the run the site has; and where
// around the pipe the sensors go. Every front end takes its figures from here.

#include "catalogue/CatalogueIds.h"
#include "catalogue/Language.h"
#include "engine/UnitSystem.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

struct JobRecord;

enum class Fitting : std::uint8_t {
    Straight,
    Elbow,
    ElbowsInPlane,
    ElbowsOutOfPlane,
    Tee,
    Reducer,
    Expander,
    OpenValve,
    ControlValve,
    Pump,
};

// A kind of fitting and the straight run it needs, in pipe diameters: the largest of the
// makers' published figures in docs/measuring-point.md, so that a point that satisfies it
// satisfies each of them. A kind fewer than three makers' figures could be read for is not
// held, and refused rather than given a run that may be short.
struct FittingRecord {
    Fitting Id;
    std::string_view Key; // the command line's name, "two-elbows-in-plane"
    std::int16_t NameId;
    int UpstreamDiameters;
    int DownstreamDiameters;
    bool Held;
};

namespace Site = Catalogue::SiteText;

// clang-format off
inline constexpr std::array<FittingRecord, 10> Fittings{{
    {Fitting::Straight, "straight", Site::FittingStraight, 0, 0, true},
    {Fitting::Elbow, "elbow", Site::FittingElbow, 20, 10, true},
    {Fitting::ElbowsInPlane, "two-elbows-in-plane", Site::FittingElbowsInPlane, 30, 10, true},
    {Fitting::ElbowsOutOfPlane, "two-elbows-out-of-plane", Site::FittingElbowsOutOfPlane, 40, 10,
     true},
    {Fitting::Tee, "tee", Site::FittingTee, 0, 0, false},
    {Fitting::Reducer, "reducer", Site::FittingReducer, 30, 20, true},
    {Fitting::Expander, "expander", Site::FittingExpander, 0, 0, false},
    {Fitting::OpenValve, "open-valve", Site::FittingOpenValve, 30, 20, true},
    {Fitting::ControlValve, "control-valve", Site::FittingControlValve, 30, 20, true},
    {Fitting::Pump, "pump", Site::FittingPump, 30, 20, true},
}};
// clang-format on

constexpr const FittingRecord& FittingOf(Fitting fitting) {
    return Fittings[static_cast<std::size_t>(fitting)];
}

enum class PipeRun : std::uint8_t { Horizontal, Up, Down };
inline constexpr std::array<std::string_view, 3> PipeRunKeys{"horizontal", "up", "down"};

// The measuring point as typed: the fittings' names, the runs the site has (in the job's
// length unit) and the pipe's run. Empty: not given.
struct SiteInput {
    std::string Upstream, Downstream;
    std::string AvailableUpstream, AvailableDownstream;
    std::string Run;

    bool Given() const {
        return !Upstream.empty() || !Downstream.empty() || !AvailableUpstream.empty() ||
               !AvailableDownstream.empty() || !Run.empty();
    }
};

// One side of the measuring point.
struct StraightRun {
    std::optional<Fitting> Kind; // none: not given
    int Diameters = 0;
    double RequiredMm = 0;             // Diameters times the outer diameter
    std::optional<double> AvailableMm; // the run the site has, where given
    std::optional<bool> Enough;        // where both are known
    std::string Text;                  // "upstream 20 D = 2,286 mm; the 3,000 mm ... enough"
};

struct SitePlan {
    // A name or a length refused, in the job's language, and which input it is (0 upstream,
    // 1 downstream, 2 available upstream, 3 available downstream, 4 the run).
    std::string Error;
    int ErrorInput = -1;
    StraightRun Up, Down;
    PipeRun Run = PipeRun::Horizontal;
    std::array<int, 2> Clock{3, 3}; // the sensors' hours on a horizontal pipe
    bool OppositeSides = false;
    std::string Rule;      // where around the pipe, for this run and mounting method
    std::string Placement; // "V method: both sensors on one side, at 3 o'clock"

    bool Ok() const { return Error.empty(); }
};

// The fitting a name means: its key, or its name in either language, in any case or width.
std::optional<Fitting> FittingNamed(std::string_view name);
std::optional<PipeRun> PipeRunNamed(std::string_view name);

// The kinds' names for a refusal and --list-names: "straight, elbow, ...".
std::string FittingKeys();

// The straight runs and the sensors' places for a computed job.
SitePlan PlanSite(const JobRecord& job, const SiteInput& site);

// The plan in lines, as the summary and quillmere-calc print it: the straight runs' heading
// and a line for each side given, the sensors' position and its rule.
std::vector<std::string> SiteLines(const JobRecord& job, const SitePlan& plan);

// A length in the job's unit with it, rounded up where it is a run required ("2,286 mm",
// "90.0 inch"): a required run is never shown short of itself.
std::string RunLengthText(double millimetres, UnitSystem units, bool roundUp);
// The same without its unit ("2,286"), as a sheet's result cell holds it.
std::string RunLengthFigure(double millimetres, UnitSystem units, bool roundUp);

} // namespace Quillmere
