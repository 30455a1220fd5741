#include "rules/Lists.h"

#include "engine/EngineError.h"
#include "rules/Execute.h"

namespace Quillmere {
namespace {

template <typename Table> const auto& At(const Table& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) {
        throw EngineError(ErrorKind::SubscriptOutOfRange);
    }
    return table[static_cast<std::size_t>(index)];
}

} // namespace

double PipeVelocityAt(int listIndex) {
    return At(PipeSoundVelocities, listIndex);
}
double LiningVelocityAt(int listIndex) {
    return At(LiningSoundVelocities, listIndex);
}
double FluidVelocityAt(int listIndex) {
    return At(FluidSoundVelocities, listIndex);
}

std::int16_t EntryNameId(std::span<const ListEntry> list, int listIndex) {
    return At(list, listIndex).NameId;
}

int PipeEntryOf(PipeMaterialKey key) {
    for (std::size_t i = 0; key != PipeMaterialKey::Any && i < PipeMaterials.size(); ++i) {
        if (PipeMaterials[i].Pipe == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const SensorTypeRecord& SensorTypeAt(int listIndex) {
    return At(SensorTypes, listIndex).Constants;
}
std::string_view SensorTypeName(int listIndex) {
    return At(SensorTypes, listIndex).Name;
}
bool IsSteppedSensorType(int listIndex) {
    return listIndex >= 0 && listIndex < SensorTypeCount &&
           SensorTypes[static_cast<std::size_t>(listIndex)].Stepped;
}

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

void LockVelocitiesByLists(Job& entries) {
    const auto locked = [&entries](InputField field) {
        return !RowOpen(field, entries.PipeMaterialIndex, entries.LiningMaterialIndex,
                        entries.FluidIndex);
    };
    entries.PipeVelocityLocked = locked(InputField::PipeVelocity);
    entries.LiningVelocityLocked = locked(InputField::LiningVelocity);
    entries.FluidVelocityLocked = locked(InputField::FluidVelocity);
}

} // namespace Quillmere
