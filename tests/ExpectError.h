#pragma once

// Expects `f` to throw an EngineError of `kind` (and, for a refraction, of `medium`).
#include "engine/EngineError.h"

#include <gtest/gtest.h>

template <typename F>
void ExpectError(F&& f, Quillmere::ErrorKind kind,
                 Quillmere::Medium medium = Quillmere::Medium::None) {
    try {
        f();
        ADD_FAILURE() << "no error, expected " << Quillmere::ErrorKindName(kind);
    } catch (const Quillmere::EngineError& e) {
        EXPECT_EQ(e.kind(), kind) << e.what();
        EXPECT_EQ(e.medium(), medium) << Quillmere::MediumName(e.medium());
    }
}
