#pragma once

#include "engine/InputField.h"

#include <exception>
#include <optional>

namespace Quillmere {

// What went wrong, in the terms of the arithmetic, or which input a calculation refused
// before computing; the front ends turn it into words.
enum class ErrorKind {
    TypeMismatch,
    SubscriptOutOfRange,
    InvalidArgument,
    DivisionByZero,
    Overflow,
    EmptyInput, // a required entry is empty: it would count as 0 and give a wrong spacing
    NoBore,     // wall and lining fill the whole pipe: no fluid for the beam to cross
};

// The layer a failed refraction was aiming at; None for every other failure.
enum class Medium { None, Wall, Lining, Fluid };

class EngineError : public std::exception {
public:
    explicit EngineError(ErrorKind kind, Medium medium = Medium::None) noexcept
        : kind_(kind), medium_(medium) {}
    // A refusal names the entry the user must correct.
    EngineError(ErrorKind kind, InputField field) noexcept : kind_(kind), field_(field) {}

    ErrorKind kind() const noexcept { return kind_; }
    Medium medium() const noexcept { return medium_; }
    std::optional<InputField> field() const noexcept { return field_; }
    const char* what() const noexcept override;

private:
    ErrorKind kind_;
    Medium medium_ = Medium::None;
    std::optional<InputField> field_;
};

const char* ErrorKindName(ErrorKind kind) noexcept;
const char* MediumName(Medium medium) noexcept;

} // namespace Quillmere
