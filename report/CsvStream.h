#pragma once

// The CSV of job sheets, read and written by every front end alike: one record at a time,
// so a job sheet of any length needs the memory of one row. Reads a UTF-8 byte order mark,
// CRLF or LF line ends, and quoted fields with doubled quotes and line breaks inside. A
// record is at most MaxRecordBytes long, and a quoted field must be closed: either fault
// stops the reading, with the line it is on. A cell a spreadsheet would run as a formula
// is written after an apostrophe and read back without it (rules/CsvText.h).

#include "rules/Utf8.h"
#include "rules/Words.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

class CsvReader {
public:
    // Far above any sensible row (its longest value is a few dozen bytes).
    static constexpr std::size_t MaxRecordBytes = 64 * 1024;

    enum class Fault {
        None,
        ReadFailed,        // an I/O error, not a bad row
        RecordTooLong,     // beyond MaxRecordBytes: not a job sheet
        UnterminatedQuote, // a quoted field runs to the end of the input
        TextAfterQuote,    // a closing quote not followed by a comma or the line's end
        Utf16,             // a UTF-16 byte order mark: saved in the wrong encoding
    };

    explicit CsvReader(std::FILE* in) : in_(in) {}
    // A text already in memory, which outlives the reader.
    explicit CsvReader(std::string_view text) : memory_(text) {}

    // The next record's fields, as views of the reader's own bytes: valid until the next
    // call. False at the end of the input or at a fault.
    bool Next(std::vector<std::string_view>& fields);
    // The same, copied.
    bool Next(std::vector<std::string>& fields);
    Fault Problem() const { return fault_; }
    bool Failed() const { return fault_ != Fault::None; }
    int Error() const { return error_; } // the errno of ReadFailed
    // The line the last record (or the faulty one) starts on, counted from 1.
    std::size_t Line() const { return recordLine_; }
    // The last record was an empty line, not a record of one empty ("") field.
    bool BlankLine() const { return blank_; }
    // Every byte of the last record's fields is ASCII: no UTF-8 to check in it.
    bool Ascii() const { return ascii_; }
    // The last record's bytes as they stand in the input, without the line end, where it was
    // read in one pass (no quotes in it): its fields joined by commas. None otherwise.
    std::optional<std::string_view> Unquoted() const { return unquoted_; }

private:
    enum class FieldEnd { Comma, Record, Fault }; // what ended a field

    bool Start(); // passes over a UTF-8 byte order mark; false at a UTF-16 one
    // A field from pos_ on, its bytes left in the buffer and their span added to spans_.
    FieldEnd Quoted();
    FieldEnd Plain();
    // What follows a field: a comma, a line end or the end of the input.
    FieldEnd Ending();
    // Adds n bytes to the record; false, with the fault, once it is too long.
    bool Counted(std::size_t n);
    // More input after the record being read, which moves to the buffer's start; false at
    // the end of the input, at a read error, or when the record fills the whole buffer.
    bool More();
    bool Stop(Fault fault, std::size_t line);
    // The record when the buffer holds its whole line and the line has neither quotes nor a
    // lone CR, in one pass; false, having read nothing, for the careful way.
    bool WholeLine(std::vector<std::string_view>& fields);

    std::FILE* in_ = nullptr;
    std::string_view memory_; // what is left to read when there is no stream
    // Grows, as a long record needs it, to room for any record that is not too long, quotes
    // and all.
    static constexpr std::size_t MostBuffered = 3 * MaxRecordBytes + 1024;
    std::vector<char> buffer_ = std::vector<char>(1 << 14);
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::size_t record_ = 0;         // where the record being read starts
    std::vector<std::size_t> spans_; // its fields so far: start, length, ...
    std::size_t fieldStart_ = 0;     // the field being read, moved by More() with the rest
    std::size_t written_ = 0;        // where a quoted field's next byte goes
    bool started_ = false;
    bool ended_ = false; // the input has given its last byte
    Fault fault_ = Fault::None;
    int error_ = 0;
    std::size_t line_ = 1;
    std::size_t recordLine_ = 0;
    std::size_t recordBytes_ = 0;
    bool blank_ = false;
    bool ascii_ = true;
    std::optional<std::string_view> unquoted_;
};

// The next record of a job sheet: empty lines, above its header as between its rows, are
// passed over (their lines still counted).
bool NextRecord(CsvReader& reader, std::vector<std::string_view>& fields);
bool NextRecord(CsvReader& reader, std::vector<std::string>& fields);

// "line 7: ", as every message about one place in a sheet begins.
std::string AtLine(const CsvReader& reader);

// A fault of the reader as the words of a message ("line 7: record too long").
std::string Describe(const CsvReader& reader);

class CsvWriter {
public:
    explicit CsvWriter(std::FILE* out) : out_(out) {}
    // Records appended to a text instead.
    explicit CsvWriter(std::string& text) : text_(&text) {}
    ~CsvWriter() { Flush(); }
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    // Quoted when it holds , " CR or LF. An empty one, most of a sheet row's result cells,
    // is its comma only, written here without a call.
    void Field(std::string_view text) {
        if (!text.empty()) {
            WriteField(text);
            return;
        }
        if (!firstField_) {
            *Room(1) = ',';
            ++used_;
        }
        firstField_ = false;
    }
    // Whether Field writes `text` as it stands, neither quoted nor guarded.
    static bool AsItStands(std::string_view text);
    // The same for a text known to hold no , " CR or LF (a field of CsvReader::Unquoted): only
    // its start can make it need the guard. Asked of every cell of a sheet row.
    static bool UnquotedAsItStands(std::string_view text) {
        return text.empty() || !MayStartFormula[static_cast<unsigned char>(text[0])];
    }
    // Fields already written as CSV, joined by commas (a record as CsvReader::Unquoted gives
    // it, each of its fields as it stands).
    void Fields(std::string_view written);
    void EndRecord();
    void Raw(std::string_view text);
    // Writes what is pending and flushes the stream (or appends it to the text); false once any
    // write has failed.
    bool Flush();
    bool Failed() const { return failed_; }

private:
    // Room for n more bytes in the buffer.
    char* Room(std::size_t n) {
        if (buffer_.size() - used_ < n) {
            Grow(n);
        }
        return buffer_.data() + used_;
    }
    void Grow(std::size_t n);
    void FlushIfFull();
    void WriteField(std::string_view text);
    // The first bytes of a text a spreadsheet might evaluate (SpreadsheetWouldEvaluate decides).
    static const std::array<bool, 256> MayStartFormula;

    std::FILE* out_ = nullptr;
    std::string* text_ = nullptr;
    std::vector<char> buffer_ = std::vector<char>(1 << 17);
    std::size_t used_ = 0;
    bool firstField_ = true;
    bool failed_ = false;
};

} // namespace Quillmere
