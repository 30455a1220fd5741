#include "Words.h"

#include "Catalogue.h"
#include "FieldCheck.h"

namespace Quillmere {

std::int16_t ErrorMessageId(const EngineError& error) {
    namespace E = Catalogue::ErrorText;
    const bool refraction =
        error.kind() == ErrorKind::InvalidArgument || error.kind() == ErrorKind::DivisionByZero;
    if (refraction) {
        switch (error.medium()) {
        case Medium::Wall:
            return E::WallRefraction;
        case Medium::Lining:
            return E::LiningRefraction;
        case Medium::Fluid:
            return E::FluidRefraction;
        case Medium::None:
            break;
        }
    }
    switch (error.kind()) {
    case ErrorKind::EmptyInput:
        return E::EmptyInput;
    case ErrorKind::NoBore:
        return E::NoBore;
    case ErrorKind::TypeMismatch:
        return E::TypeMismatch;
    case ErrorKind::SubscriptOutOfRange:
        return E::SubscriptOutOfRange;
    case ErrorKind::InvalidArgument:
        return E::InvalidArgument;
    case ErrorKind::DivisionByZero:
        return E::DivisionByZero;
    case ErrorKind::Overflow:
        return E::Overflow;
    }
    return E::Unexpected;
}

std::string ErrorDescription(const EngineError& error, std::int16_t stringBase) {
    const std::string_view text = Catalogue::Text(ErrorMessageId(error), stringBase);
    if (error.kind() == ErrorKind::EmptyInput && error.field()) {
        return Catalogue::Fill(text, {Catalogue::Text(CaptionId(*error.field()), stringBase)});
    }
    return std::string(text);
}

} // namespace Quillmere
