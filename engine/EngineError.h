#pragma once

#include <exception>

namespace Quillmere {

// What went wrong, in the terms of the arithmetic; the window turns it into words.
enum class ErrorKind {
    TypeMismatch,
    SubscriptOutOfRange,
    InvalidArgument,
    DivisionByZero,
    Overflow,
};

// The layer a failed refraction was aiming at; None for every other failure.
enum class Medium { None, Wall, Lining, Fluid };

class EngineError : public std::exception {
public:
    explicit EngineError(ErrorKind kind, Medium medium = Medium::None) noexcept
        : kind_(kind), medium_(medium) {}

    ErrorKind kind() const noexcept { return kind_; }
    Medium medium() const noexcept { return medium_; }
    const char* what() const noexcept override;

private:
    ErrorKind kind_;
    Medium medium_;
};

const char* ErrorKindName(ErrorKind kind) noexcept;
const char* MediumName(Medium medium) noexcept;

} // namespace Quillmere
