#pragma once

// Looking up the pipe tables by the names the standards print, for the tests of their rows.

#include "engine/PipeSizes.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace PipeTablesTest {

inline const Quillmere::PipeTable& Table(std::string_view key) {
    for (const Quillmere::PipeTable& t : Quillmere::PipeTables()) {
        if (t.Key == key) {
            return t;
        }
    }
    throw std::out_of_range(std::string(key));
}

inline std::size_t Column(const Quillmere::PipeTable& t, std::string_view schedule) {
    for (std::size_t c = 0; c < t.Schedules.size(); ++c) {
        if (t.Schedules[c] == schedule) {
            return c;
        }
    }
    throw std::out_of_range(std::string(schedule));
}

inline const Quillmere::PipeSizeRow* Row(const Quillmere::PipeTable& t, std::string_view size) {
    for (const Quillmere::PipeSizeRow& r : t.Rows) {
        if (r.Size == size) {
            return &r;
        }
    }
    return nullptr;
}

} // namespace PipeTablesTest
