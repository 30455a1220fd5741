#pragma once

// The private-profile (INI) reader that stands in for the operating system's. It only
// reads, and only regular files: a FIFO, a device or a folder counts as a missing file.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace IniFile {

// At most this much of a file is read; the rest is ignored.
inline constexpr std::size_t MaxProfileBytes = 1024 * 1024;

// The integer value of `key` in `section`: an optional sign and the leading digits; a value
// without leading digits is 0; beyond the 32-bit range it saturates. The default when the
// key or the file is missing.
std::int32_t ReadInt(const char* section, const char* key, std::int32_t nDefault,
                     const char* fileName);

// Copies the value of `key` (or `defaultText` when the key or the file is missing) into
// `buffer`, at most size - 1 bytes, and ends it with NUL. Returns the count copied.
std::uint32_t ReadString(const char* section, const char* key, const char* defaultText,
                         char* buffer, std::uint32_t size, const char* fileName);

// Called with the path of every file a read looks up; lets tests count the look-ups.
void SetLookupObserver(std::function<void(const std::string& path)> observer);

// The parsing behind the two reads, on a file's content already in memory.
namespace Detail {
// A file's bytes as UTF-8: UTF-16 with a byte order mark is converted, anything else kept.
std::string DecodedProfile(std::string content);
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key);
std::int32_t ParseInt(std::string_view value);
} // namespace Detail

} // namespace IniFile
