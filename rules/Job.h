#pragma once

// A job as every front end hands it to the rules: the units and the language of its run,
// the lists' choices, the six fields as typed, which velocity fields are locked to their
// table, and the job's identity. The window builds it from its controls, the page from its
// form, quillmere-calc and the jobs file from a sheet's columns (rules/ReadJob.h).

#include "catalogue/Language.h"
#include "engine/InputField.h"
#include "engine/UnitSystem.h"
#include "rules/JobIdentity.h"
#include "rules/MeasuringPoint.h"
#include "rules/Uncertainty.h"

#include <array>
#include <cstddef>
#include <string>

namespace Quillmere {

struct Job {
    UnitSystem Units = UnitSystem::Metric;
    Language Lang = Language::Japanese;
    // Indexes of the lists' entries (rules/Lists.h); the first entry of each by default.
    int SensorTypeIndex = 0;
    int MountMethodIndex = 0;
    int PipeMaterialIndex = 0;
    int LiningMaterialIndex = 0;
    int FluidIndex = 0;
    std::array<std::string, InputFields.size()> Texts; // the six fields, by InputField
    // Locked: the list's table velocity counts, not the field's text.
    bool PipeVelocityLocked = true;
    bool LiningVelocityLocked = true;
    bool FluidVelocityLocked = true;
    JobIdentity Identity;  // site, tag, installer and note, as typed; heads the record
    Uncertainty Uncertain; // the inputs' plus/minus and the converter's measured velocity
    SiteInput Point;       // the fittings around the measuring point and the runs it has

    std::string& Text(InputField field) { return Texts[static_cast<std::size_t>(field)]; }
    const std::string& Text(InputField field) const {
        return Texts[static_cast<std::size_t>(field)];
    }
};

} // namespace Quillmere
