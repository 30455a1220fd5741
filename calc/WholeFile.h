#pragma once

#include <string>
#include <string_view>

namespace QuillmereCalc {

// Writes `bytes` to `path`, replacing the file only once every byte is written, as the
// window saves its report: a full disk leaves an earlier file whole. Permissions are kept
// and a read-only file is refused. A link, a device or a pipe is written through, and so is
// a writable file in a folder that takes no new files. False with errno set on failure.
bool WriteWhole(const std::string& path, std::string_view bytes);

} // namespace QuillmereCalc
