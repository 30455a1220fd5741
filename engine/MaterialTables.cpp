#include "MaterialTables.h"

#include "EngineError.h"

namespace Quillmere {
namespace {

template <typename Table> double At(const Table& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) {
        throw EngineError(ErrorKind::SubscriptOutOfRange);
    }
    return static_cast<double>(table[static_cast<std::size_t>(index)]);
}

} // namespace

double PipeVelocityAt(int listIndex) { return At(PipeSoundVelocities, listIndex); }
double LiningVelocityAt(int listIndex) { return At(LiningSoundVelocities, listIndex); }
double FluidVelocityAt(int listIndex) { return At(FluidSoundVelocities, listIndex); }

} // namespace Quillmere
