#pragma once

// The fuzz targets' one entry point. Built with libFuzzer in the fuzz build, and with a
// small replay driver in the normal build, where every kept input runs as a test.
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
