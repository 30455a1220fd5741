#include "engine/UnitSystem.h"

#include "engine/EngineError.h"

#include <cmath>

namespace Quillmere {
namespace {

double Finite(double value) {
    if (!std::isfinite(value)) {
        throw EngineError(ErrorKind::Overflow);
    }
    return value;
}

} // namespace

double InchToMm(double inches) {
    return Finite(inches / InchPerMillimetre);
}
double FtsToMs(double feetPerSecond) {
    return Finite(feetPerSecond / FeetPerMetre);
}
double MmToInch(double millimetres) {
    return Finite(millimetres * InchPerMillimetre);
}

} // namespace Quillmere
