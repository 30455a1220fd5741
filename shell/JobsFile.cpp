#include "shell/JobsFile.h"

#include "rules/CsvText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace Quillmere {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// An open file descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// O_NONBLOCK keeps a FIFO from blocking the open; fstat then turns it, like any other
// file that is not a regular one, away before a byte is read or written.
int OpenRegular(const std::string& path, int flags, struct stat& info, JobsFile::Outcome& outcome) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        outcome = {JobsFile::Problem::CannotOpen, errno};
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        outcome = {JobsFile::Problem::NotRegularFile, 0};
        return -1;
    }
    return fd;
}

// Up to `size` bytes at `offset`; fewer at the end of the file, none on an error.
std::optional<std::string> ReadAt(int fd, off_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n =
            ::pread(fd, bytes.data() + got, size - got, offset + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

// The file starts with the header this program writes: ended, or the whole file (an editor
// that adds no line end, after the day's rows were deleted).
bool HasHeader(int fd, std::string_view header) {
    const std::string_view wanted = header.substr(0, header.find('\n'));
    const auto start = ReadAt(fd, 0, ByteOrderMark.size() + wanted.size() + 2);
    if (!start) {
        return false;
    }
    std::string_view text = *start;
    if (text.starts_with(ByteOrderMark)) {
        text.remove_prefix(ByteOrderMark.size()); // saved again by a spreadsheet
    }
    if (!text.starts_with(wanted)) {
        return false;
    }
    text.remove_prefix(wanted.size());
    return text.empty() || text.starts_with('\n') || text.starts_with("\r\n");
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

JobsFile::Outcome JobsFile::CheckEnd(int fd, const struct stat& info, bool& lineEnded) {
    const bool same = checked_.Device == info.st_dev && checked_.Inode == info.st_ino;
    if (same && checked_.Size == info.st_size && SameTime(checked_.Modified, info.st_mtim)) {
        lineEnded = true; // as this program left it
        return {};
    }
    // Grown since it was checked (another window's jobs): only what was added is read.
    off_t offset = same && checked_.Size > 0 && info.st_size > checked_.Size ? checked_.Size : 0;
    CsvEnding ending;
    std::array<char, 65536> chunk{};
    char last = '\n';
    for (;;) {
        const ssize_t n = ::pread(fd, chunk.data(), chunk.size(), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return {Problem::CannotRead, errno};
        }
        if (n == 0) {
            break;
        }
        ending.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(n)));
        last = chunk[static_cast<std::size_t>(n) - 1];
        offset += n;
    }
    if (!ending.Whole()) {
        return {Problem::UnfinishedRow, 0};
    }
    lineEnded = last == '\n';
    return {};
}

JobsFile::Outcome JobsFile::Append(std::string_view header, std::string_view line) {
    std::error_code ignored; // a folder that cannot be made fails the open, which says why
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
    Outcome outcome;
    struct stat info {};
    const Descriptor file(OpenRegular(path_, O_RDWR | O_APPEND | O_CREAT, info, outcome));
    if (file.get() < 0) {
        return outcome;
    }
    std::string bytes;
    if (info.st_size == 0) {
        bytes.append(header);
    } else {
        if (!HasHeader(file.get(), header)) {
            return {Problem::OtherColumns, 0};
        }
        bool lineEnded = true;
        if (outcome = CheckEnd(file.get(), info, lineEnded); !outcome.Ok()) {
            return outcome;
        }
        if (!lineEnded) {
            bytes += '\n'; // a line typed by hand without its end, or the header alone
        }
    }
    bytes.append(line);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(file.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            struct stat now {};
            // Only what this append began is cut back: never half a line.
            if (written > 0 && ::fstat(file.get(), &now) == 0 &&
                now.st_size == info.st_size + static_cast<off_t>(written) &&
                ::ftruncate(file.get(), info.st_size) != 0) {
                checked_ = {}; // the part stays; the write's own failure is what is said
            }
            checked_ = {};
            return {Problem::CannotWrite, error};
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fstat(file.get(), &info) == 0) {
        checked_ = {info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    }
    return {};
}

std::optional<std::string> JobsFile::ReadLast(std::size_t limit, Outcome& outcome) const {
    outcome = {};
    struct stat info {};
    const Descriptor file(OpenRegular(path_, O_RDONLY, info, outcome));
    if (file.get() < 0) {
        if (outcome.What == Problem::CannotOpen && outcome.Error == ENOENT) {
            outcome = {}; // no job kept yet
        }
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
    std::optional<std::string> bytes;
    if (size <= limit) {
        bytes = ReadAt(file.get(), 0, size);
    } else if (auto first = ReadAt(file.get(), 0, 4096)) {
        // The header, then whole lines from the end: the line the cut falls in is left out.
        first->resize(std::min(first->size(), first->find('\n') + 1));
        if (auto last = ReadAt(file.get(), info.st_size - static_cast<off_t>(limit), limit)) {
            last->erase(0, std::min(last->size(), last->find('\n') + 1));
            bytes = *first + *last;
        }
    }
    if (!bytes) {
        outcome = {Problem::CannotRead, errno};
    }
    return bytes;
}

} // namespace Quillmere
