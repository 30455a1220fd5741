#pragma once

// Streaming CSV: one record at a time, so a job sheet of any length needs the memory of
// one row. Reads a UTF-8 byte order mark, CRLF or LF line ends, and quoted fields with
// doubled quotes and line breaks inside.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace QuillmereCalc {

class CsvReader {
public:
    explicit CsvReader(std::FILE* in) : in_(in) {}

    // The next record's fields; false at the end of the input.
    bool Next(std::vector<std::string>& fields);
    // True when the input could not be read to its end (an I/O error, not a bad row).
    bool Failed() const { return failed_; }

private:
    int Get();

    std::FILE* in_;
    std::vector<char> buffer_ = std::vector<char>(1 << 16);
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool started_ = false;
    bool failed_ = false;
};

class CsvWriter {
public:
    explicit CsvWriter(std::FILE* out) : out_(out) { pending_.reserve(1 << 17); }
    ~CsvWriter() { Flush(); }
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void Field(std::string_view text); // quoted when it holds , " CR or LF
    void EndRecord();
    void Raw(std::string_view text);
    void Flush();

private:
    std::FILE* out_;
    std::string pending_;
    bool firstField_ = true;
};

} // namespace QuillmereCalc
