#include "rules/Words.h"

#include "catalogue/Catalogue.h"
#include "rules/Fields.h"
#include "rules/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

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

std::string ErrorDescription(const EngineError& error, Language lang) {
    const std::string_view text = Catalogue::Text(ErrorMessageId(error), lang);
    if (error.kind() == ErrorKind::EmptyInput && error.field()) {
        return Catalogue::Fill(text, {Catalogue::Text(FieldOf(*error.field()).CaptionId, lang)});
    }
    return std::string(text);
}

std::string Printable(std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string out;
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text[0]);
        const std::size_t n = Utf8SequenceLength(text);
        if (n == 0 || c < 0x20 || c == 0x7F) {
            // NUL too: "\\0" before a digit ("\\01") would read as another byte.
            out += std::string("\\x") + hex[c >> 4] + hex[c & 15];
            text.remove_prefix(1);
            continue;
        }
        if (c == '\\') {
            out += "\\\\";
        } else if (n == 2 && c == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
            // C1 controls (U+0080 to U+009F) drive terminals as well.
            const auto code = static_cast<unsigned char>(text[1]);
            out += std::string("\\u00") + hex[code >> 4] + hex[code & 15];
        } else {
            out.append(text.substr(0, n));
        }
        text.remove_prefix(n);
    }
    return out;
}

std::string Abridged(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return std::string(text);
    }
    std::size_t kept = 0;
    while (kept < limit) {
        const std::size_t n = std::max<std::size_t>(1, Utf8SequenceLength(text.substr(kept)));
        if (kept + n > limit) {
            break;
        }
        kept += n;
    }
    return std::string(text.substr(0, kept)) + "...";
}

std::string FileProblemWords(int error, Language lang) {
    namespace F = Catalogue::FileText;
    std::int16_t id = 0;
    switch (error) {
    case ENOSPC:
        id = F::DiskFull;
        break;
    case EDQUOT:
        id = F::QuotaUsedUp;
        break;
    case EACCES:
    case EPERM:
        id = F::NoPermission;
        break;
    case EROFS:
        id = F::ReadOnlyDisk;
        break;
    case ENOTDIR:
        id = F::FileInTheWay;
        break;
    case EISDIR:
        id = F::IsAFolder;
        break;
    case EFBIG:
        id = F::TooLarge;
        break;
    case EIO:
        id = F::DiskError;
        break;
    default:
        return std::strerror(error);
    }
    return std::string(Catalogue::Text(id, lang));
}

} // namespace Quillmere
