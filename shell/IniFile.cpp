#include "shell/IniFile.h"

#include "rules/TextFold.h"

#include "engine/AsciiCase.h"
#include "rules/Utf8.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

namespace IniFile {
namespace {

using Quillmere::AppendUtf8;

std::function<void(const std::string&)>& Observer() {
    static std::function<void(const std::string&)> observer;
    return observer;
}

// Unpaired surrogates become U+FFFD.
std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (char32_t{a} << 8 | b) : (char32_t{b} << 8 | a);
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? char32_t{0xFFFD} : c);
    }
    return out;
}

// Reads a regular file, at most MaxProfileBytes of it. O_NONBLOCK keeps a FIFO from
// blocking the open; fstat then turns it, like any other non-regular file, away.
std::optional<std::string> ReadProfileFile(const char* fileName) {
    if (Observer()) {
        Observer()(fileName);
    }
    const int fd = ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string content;
    content.reserve(std::min<std::size_t>(
        static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)), MaxProfileBytes));
    char chunk[65536];
    while (content.size() < MaxProfileBytes) {
        const std::size_t want = std::min(sizeof chunk, MaxProfileBytes - content.size());
        const ssize_t got = ::read(fd, chunk, want);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        content.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return Detail::DecodedProfile(std::move(content));
}

// A line or a name without the blanks around it; a line also without the CR of its CRLF.
std::string_view Trim(std::string_view s) {
    if (s.ends_with('\r')) {
        s.remove_suffix(1);
    }
    return Quillmere::Unpadded(s);
}

std::optional<std::string> Lookup(const char* section, const char* key, const char* fileName) {
    if (section == nullptr || key == nullptr || fileName == nullptr) {
        return std::nullopt;
    }
    const std::optional<std::string> content = ReadProfileFile(fileName);
    if (!content) {
        return std::nullopt;
    }
    if (const auto value = Detail::FindValue(*content, section, key)) {
        return std::string(*value);
    }
    return std::nullopt;
}

} // namespace

std::int32_t ReadInt(const char* section, const char* key, std::int32_t nDefault,
                     const char* fileName) {
    const std::optional<std::string> value = Lookup(section, key, fileName);
    if (!value) {
        return nDefault;
    }
    return Detail::ParseInt(*value);
}

std::uint32_t ReadString(const char* section, const char* key, const char* defaultText,
                         char* buffer, std::uint32_t size, const char* fileName) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::optional<std::string> value = Lookup(section, key, fileName);
    const std::string_view text =
        value ? std::string_view(*value) : std::string_view(defaultText ? defaultText : "");
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<std::uint32_t>(count);
}

namespace Detail {

// Windows editors save "Unicode" INI files as UTF-16 with a byte order mark, and the
// system's reader takes them; read as bytes, every key would be missed and the settings
// silently fall back to their defaults.
std::string DecodedProfile(std::string content) {
    const std::string_view view(content);
    if (view.substr(0, 2) == "\xFF\xFE") {
        return FromUtf16(view.substr(2), false);
    }
    if (view.substr(0, 2) == "\xFE\xFF") {
        return FromUtf16(view.substr(2), true);
    }
    return content;
}

// The value of the first `key` in the first section named `section`, if any.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    enum class Where { BeforeSection, Wanted, Other } where = Where::BeforeSection;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            if (where == Where::Wanted) {
                return std::nullopt; // only the first matching section counts
            }
            const std::size_t close = line.find(']');
            const std::string_view name =
                Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            where = Quillmere::SameIgnoringCase(name, section) ? Where::Wanted : Where::Other;
            continue;
        }
        if (where != Where::Wanted) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos ||
            !Quillmere::SameIgnoringCase(Trim(line.substr(0, equals)), key)) {
            continue;
        }
        std::string_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    return std::nullopt;
}

std::int32_t ParseInt(std::string_view value) {
    std::string_view v = value;
    bool negative = false;
    if (!v.empty() && (v.front() == '+' || v.front() == '-')) {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    long long magnitude = 0;
    for (char c : v) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min(magnitude * 10 + (c - '0'), static_cast<long long>(INT32_MAX) + 1);
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp<long long>(signedValue, INT32_MIN, INT32_MAX));
}

} // namespace Detail

void SetLookupObserver(std::function<void(const std::string& path)> observer) {
    Observer() = std::move(observer);
}

} // namespace IniFile
