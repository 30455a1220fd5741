#include "engine/EngineError.h"

namespace Quillmere {

const char* ErrorKindName(ErrorKind kind) noexcept {
    switch (kind) {
    case ErrorKind::TypeMismatch:
        return "type mismatch";
    case ErrorKind::SubscriptOutOfRange:
        return "subscript out of range";
    case ErrorKind::InvalidArgument:
        return "invalid argument";
    case ErrorKind::DivisionByZero:
        return "division by zero";
    case ErrorKind::Overflow:
        return "overflow";
    case ErrorKind::EmptyInput:
        return "empty input";
    case ErrorKind::NoBore:
        return "no bore";
    }
    return "unknown error";
}

const char* MediumName(Medium medium) noexcept {
    switch (medium) {
    case Medium::None:
        return "none";
    case Medium::Wall:
        return "wall";
    case Medium::Lining:
        return "lining";
    case Medium::Fluid:
        return "fluid";
    }
    return "none";
}

const char* EngineError::what() const noexcept {
    return ErrorKindName(kind_);
}

} // namespace Quillmere
