#include "Lists.h"

#include "EngineError.h"

namespace Quillmere {

std::string_view SensorTypeName(int listIndex) {
    if (listIndex < 0 || listIndex >= SensorTypeCount) {
        throw EngineError(ErrorKind::SubscriptOutOfRange);
    }
    return SensorTypeNames[static_cast<std::size_t>(listIndex) + 1];
}

} // namespace Quillmere
