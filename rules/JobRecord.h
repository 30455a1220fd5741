#pragma once

// A computed job: what was entered, as the front end held it, and what came out of it, the
// same in every front end; and its results in words where the numbers alone would mislead.

#include "catalogue/Language.h"
#include "engine/FluidTemperature.h"
#include "engine/InputField.h"
#include "engine/UnitSystem.h"
#include "rules/Execute.h"
#include "rules/JobIdentity.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace Quillmere {

// The water a fluid helper's velocity is of: its temperature, the pressure and salinity its
// equation took, and the equation.
struct FluidSource {
    double Celsius = 0;
    WaterState State;
    const WaterEquation* Equation = nullptr;
};

// The job as it was entered, and what came out of it.
struct JobRecord : Job {
    CalcOutcome Outcome; // metric inputs, beam path and the result texts
    // Where a helper's figures came from: "STPG 100A Sch40, JIS G 3454:2017" for the
    // diameter and wall, "WATER 60 °C, Marczak 1997" for FLUID S.V.; empty when typed.
    std::string PipeSize;
    std::string FluidTemperature;
    // "ISO 4179:2005" where a ductile size's standard lining gave LINING THICKNESS.
    std::string LiningStandard;
    // The water FLUID S.V. came from, where a helper gave it: the equation the converter's
    // measured velocity is turned back into a temperature by, and what decides between two
    // temperatures of one velocity.
    std::optional<FluidSource> Fluid;
};

// Computes the job (throws EngineError as RunCalculation does) and keeps it with what it
// was computed from.
JobRecord RecordJob(const Job& job, int mountMethodsOffered);
// The same for a record whose job is already in it (built there, as a sheet row's is, so
// that the job is never copied).
void ComputeRecord(JobRecord& record, int mountMethodsOffered, const ReadNumbers* read = nullptr);

// What the helpers typed ("Standard pipe...", "Fluid at temperature...") and where it came
// from, as a front end keeps it after their OK.
struct HelperNotes {
    std::string PipeSize; // as JobRecord::PipeSize
    std::string Outer, Wall;
    std::string FluidTemperature; // as JobRecord::FluidTemperature
    std::string FluidVelocity;
    std::string LiningStandard;       // as JobRecord::LiningStandard
    std::string Lining;               // the LINING THICKNESS it typed
    std::optional<FluidSource> Fluid; // the water the fluid helper took
};

// Puts the notes on the record while its fields still hold what the helpers typed: a size
// or a temperature the user has since typed over is not the job's.
void AddHelperNotes(JobRecord& job, const HelperNotes& notes);

// For the two stepped sensor types, the spacing computed beside the one mounted ("53.45 mm
// computed, mounted at 17 steps = 51 mm"); "" for the others.
std::string SteppedNote(const JobRecord& job);

// The warning for a spacing the clamp raised to 0 ("Note: the computed spacing is -6.41 mm,
// below 0, ..."), or "" when the shown result is the computed one to its last digit.
std::string BelowZeroNote(const JobRecord& job);

// The sound's time in the fluid over its whole path, in microseconds: FluidPath over the
// fluid's velocity, as a converter's diagnostics show it.
double FluidTransitMicroseconds(const CalcOutcome& outcome);

// "216.49 mm (2 crossings), transit time 150.34 µs": the fluid path in the job's length
// unit and the transit time, to compare with the converter's diagnostics.
std::string FluidPathNote(const JobRecord& job);

// Whether the list's table velocity counted for a velocity field rather than its text.
bool TableVelocityCounted(const Job& job, InputField field);

// An input as the computation read it, in the job's units without the unit: the text as
// typed, or the table velocity that counted (in ft/s to the hundredth).
std::string ValueReadText(const JobRecord& job, InputField field);

// A catalogue text of the job's language.
std::string Words(const JobRecord& job, std::int16_t id);

} // namespace Quillmere
