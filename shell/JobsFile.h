#pragma once

// The day's jobs file: each computed job appended as one whole line of a job sheet, the
// last ones read back. The file is the user's: only a regular file is taken (a FIFO or a
// device in its place neither blocks nor fills the memory), nothing in it is rewritten,
// and a file that would not read back the line as a row of its own is said, not added to.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <sys/stat.h>

namespace Quillmere {

class JobsFile {
public:
    enum class Problem {
        None,
        CannotOpen,     // Error says why
        NotRegularFile, // a FIFO, a device, a folder
        OtherColumns,   // a header other than the one this program writes
        UnfinishedRow,  // the end would not read back as whole rows: a quote never closed
        CannotWrite,    // Error says why; what this append began is cut back
        CannotRead,
    };
    struct Outcome {
        Problem What = Problem::None;
        int Error = 0; // the errno of CannotOpen, CannotWrite and CannotRead
        bool Ok() const { return What == Problem::None; }
    };

    explicit JobsFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Appends `line`, one record with its line end; a new or empty file starts with
    // `header` (with its line end), and a last line without its end is ended first. The
    // folder is made where it is missing.
    Outcome Append(std::string_view header, std::string_view line);

    // The file's first line and its last `limit` bytes from a line's start, enough for the
    // last jobs of a file of any size; none for a missing file or a problem.
    std::optional<std::string> ReadLast(std::size_t limit, Outcome& outcome) const;

private:
    // The file as it was when last found to end in whole rows, so that each append does not
    // read it all again: the same file, grown, is read from where the check ended.
    struct Checked {
        dev_t Device = 0;
        ino_t Inode = 0;
        off_t Size = -1;
        struct timespec Modified {};
    };
    Outcome CheckEnd(int fd, const struct stat& info, bool& lineEnded);

    std::string path_;
    Checked checked_;
};

} // namespace Quillmere
