#include "Lists.h"

#include "EngineError.h"

namespace Quillmere {

bool RowOpen(InputField field, int pipeIndex, int liningIndex, int fluidIndex) {
    switch (field) {
    case InputField::PipeVelocity:
        return pipeIndex == PipeUserEntry;
    case InputField::LiningVelocity:
        return liningIndex == LiningUserEntry;
    case InputField::LiningThickness:
        return liningIndex != NoLiningEntry;
    case InputField::FluidVelocity:
        return fluidIndex == FluidUserEntry;
    case InputField::OuterDiameter:
    case InputField::WallThickness:
        return true;
    }
    return true;
}

void LockVelocitiesByLists(CalcEntries& entries) {
    const auto locked = [&entries](InputField field) {
        return !RowOpen(field, entries.PipeMaterialIndex, entries.LiningMaterialIndex, entries.FluidIndex);
    };
    entries.PipeVelocityLocked = locked(InputField::PipeVelocity);
    entries.LiningVelocityLocked = locked(InputField::LiningVelocity);
    entries.FluidVelocityLocked = locked(InputField::FluidVelocity);
}

std::string_view SensorTypeName(int listIndex) {
    if (listIndex < 0 || listIndex >= SensorTypeCount) {
        throw EngineError(ErrorKind::SubscriptOutOfRange);
    }
    return SensorTypeNames[static_cast<std::size_t>(listIndex) + 1];
}

} // namespace Quillmere
