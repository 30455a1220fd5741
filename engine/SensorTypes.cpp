#include "SensorTypes.h"

#include "EngineError.h"

namespace Quillmere {

bool IsSteppedSensorType(int listIndex) { return listIndex == 2 || listIndex == 3; }

const SensorTypeRecord& SensorTypeAt(int listIndex) {
    if (listIndex < 0 || listIndex >= SensorTypeCount) {
        throw EngineError(ErrorKind::SubscriptOutOfRange);
    }
    return SensorTypeCatalogue[static_cast<std::size_t>(listIndex)];
}

} // namespace Quillmere
