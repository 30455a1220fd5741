#include "report/CsvStream.h"

#include "rules/CsvText.h"
#include "rules/Utf8.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>

namespace Quillmere {
namespace {

// The bytes that end a plain run of a field, or need quotes around a field written.
constexpr std::array<bool, 256> ByteTable(std::string_view bytes) {
    std::array<bool, 256> table{};
    for (const char c : bytes) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}
constexpr std::array<bool, 256> EndsRun = ByteTable(",\n\r");
constexpr std::array<bool, 256> NeedsQuotes = ByteTable(",\"\r\n");
// CsvWriter::MayStartFormula, made and checked at compile time.
constexpr std::array<bool, 256> FormulaStarts = ByteTable("'=@+- \t\r\n");
static_assert(
    [] {
        for (int c = 0; c < 256; ++c) {
            const char text[] = {static_cast<char>(c), '=', '1'};
            if (!FormulaStarts[static_cast<std::size_t>(c)] &&
                SpreadsheetWouldEvaluate(std::string_view(text, 3))) {
                return false;
            }
        }
        return true;
    }(),
    "a text a spreadsheet would evaluate starts with one of FormulaStarts' bytes");

} // namespace

const std::array<bool, 256> CsvWriter::MayStartFormula = FormulaStarts;

namespace {

// Inlined into the line's split: a dozen calls a sheet row, each else a call and a frame.
[[gnu::always_inline]] inline void AddField(std::vector<std::string_view>& fields,
                                            std::string_view field) {
    fields.push_back(field.empty() || field.front() != FormulaGuard ? field : CellText(field));
}

// The high bit of each byte of `word` that is `c`, and of no other: the exact form of the
// zero-byte test, without a carry from one byte into the next.
constexpr std::uint64_t BytesEqual(std::uint64_t word, char c) {
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ (0x0101010101010101ULL * static_cast<unsigned char>(c));
    return ~(((x & low7) + low7) | x | low7);
}
static_assert(BytesEqual(0x2C00'2C2C'0A22'0D2CULL, ',') == 0x8000'8080'0000'0080ULL &&
              BytesEqual(0x0100'0000'0000'0000ULL, '\0') == 0x0080'8080'8080'8080ULL);

} // namespace

bool CsvReader::More() {
    if (ended_ || fault_ != Fault::None) {
        return false;
    }
    if (record_ > 0) {
        const std::size_t shift = record_;
        std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(shift),
                  buffer_.begin() + static_cast<std::ptrdiff_t>(end_), buffer_.begin());
        for (std::size_t& at :
             {std::ref(pos_), std::ref(end_), std::ref(fieldStart_), std::ref(written_)}) {
            at -= std::min(at, shift);
        }
        for (std::size_t i = 0; i < spans_.size(); i += 2) {
            spans_[i] -= shift;
        }
        record_ = 0;
    }
    if (end_ == buffer_.size()) {
        if (buffer_.size() == MostBuffered) {
            return Stop(Fault::RecordTooLong, recordLine_);
        }
        buffer_.resize(std::min(2 * buffer_.size(), MostBuffered));
    }
    std::size_t n = 0;
    if (in_ == nullptr) {
        n = std::min(memory_.size(), buffer_.size() - end_);
        std::copy_n(memory_.data(), n, buffer_.data() + end_);
        memory_.remove_prefix(n);
    } else {
        n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, in_);
    }
    if (n == 0) {
        ended_ = true;
        if (in_ != nullptr && std::ferror(in_) != 0) {
            fault_ = Fault::ReadFailed;
            error_ = errno; // "Is a directory" says more than a failure
        }
        return false;
    }
    end_ += n;
    return true;
}

bool CsvReader::Stop(Fault fault, std::size_t line) {
    fault_ = fault;
    recordLine_ = line;
    return false;
}

bool CsvReader::Start() {
    started_ = true;
    if (More()) {
        const auto at = [this](std::size_t i) {
            return static_cast<unsigned char>(buffer_[pos_ + i]);
        };
        if (end_ - pos_ >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
            pos_ += 3;
        } else if (end_ - pos_ >= 2 &&
                   ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))) {
            return Stop(Fault::Utf16, 1);
        }
    }
    return fault_ == Fault::None;
}

bool CsvReader::Counted(std::size_t n) {
    recordBytes_ += n;
    return recordBytes_ <= MaxRecordBytes || Stop(Fault::RecordTooLong, recordLine_);
}

CsvReader::FieldEnd CsvReader::Ending() {
    if (pos_ == end_ && !More()) {
        return Failed() ? FieldEnd::Fault : FieldEnd::Record;
    }
    const char c = buffer_[pos_++];
    if (c == ',') {
        return Counted(1) ? FieldEnd::Comma : FieldEnd::Fault;
    }
    ++line_;
    if (c == '\r') { // CRLF is one line end, and a lone CR one too
        if ((pos_ < end_ || More()) && buffer_[pos_] == '\n') {
            ++pos_;
        }
        if (Failed()) {
            return FieldEnd::Fault;
        }
    }
    return FieldEnd::Record;
}

CsvReader::FieldEnd CsvReader::Plain() {
    fieldStart_ = pos_;
    unsigned char high = 0;
    for (;;) {
        const char* const stop = buffer_.data() + end_;
        const char* p = buffer_.data() + pos_;
        while (p != stop && !EndsRun[static_cast<unsigned char>(*p)]) {
            high |= static_cast<unsigned char>(*p++);
        }
        pos_ = static_cast<std::size_t>(p - buffer_.data());
        if (pos_ - fieldStart_ > MaxRecordBytes) {
            Counted(pos_ - fieldStart_); // too long, with the line it starts on
            return FieldEnd::Fault;
        }
        if (p != stop || !More()) {
            break;
        }
    }
    if (Failed()) {
        return FieldEnd::Fault;
    }
    ascii_ = ascii_ && high < 0x80;
    const std::size_t length = pos_ - fieldStart_;
    spans_.push_back(fieldStart_);
    spans_.push_back(length);
    return Counted(length) ? Ending() : FieldEnd::Fault;
}

CsvReader::FieldEnd CsvReader::Quoted() {
    const std::size_t opened = line_;
    fieldStart_ = pos_; // the content is written over the opening quote and on
    written_ = pos_;
    ++pos_;
    for (;;) {
        if (pos_ == end_ && !More()) {
            if (!Failed()) {
                Stop(Fault::UnterminatedQuote, opened);
            }
            return FieldEnd::Fault;
        }
        char c = buffer_[pos_++];
        if (c == '"') {
            if (pos_ == end_ && !More() && Failed()) {
                return FieldEnd::Fault;
            }
            if (pos_ == end_ || buffer_[pos_] != '"') {
                break; // the closing quote
            }
            ++pos_; // a doubled quote is one
        } else if (c == '\n') {
            ++line_;
        }
        if (!Counted(1)) {
            return FieldEnd::Fault;
        }
        ascii_ = ascii_ && static_cast<unsigned char>(c) < 0x80;
        buffer_[written_++] = c;
    }
    // Kept where More() moves it along with the record, not as a position of the moment.
    spans_.push_back(fieldStart_);
    spans_.push_back(written_ - fieldStart_);
    if ((pos_ < end_ || More()) && !EndsRun[static_cast<unsigned char>(buffer_[pos_])]) {
        // A stray quote would otherwise swallow rows up to the next quote.
        Stop(Fault::TextAfterQuote, opened);
        return FieldEnd::Fault;
    }
    return Failed() ? FieldEnd::Fault : Ending();
}

bool CsvReader::Next(std::vector<std::string_view>& fields) {
    fields.clear();
    spans_.clear();
    blank_ = false;
    ascii_ = true;
    unquoted_.reset();
    if (fault_ != Fault::None || (!started_ && !Start())) {
        return false;
    }
    record_ = pos_;
    if (pos_ == end_ && !More()) {
        return false;
    }
    recordLine_ = line_;
    blank_ = buffer_[pos_] == '\n' || buffer_[pos_] == '\r';
    recordBytes_ = 0;
    if (WholeLine(fields)) {
        return true;
    }
    for (;;) {
        const bool quoted = (pos_ < end_ || More()) && buffer_[pos_] == '"';
        if (Failed()) {
            return false;
        }
        const FieldEnd end = quoted ? Quoted() : Plain();
        if (end == FieldEnd::Fault) {
            return false;
        }
        if (end == FieldEnd::Record) {
            break;
        }
    }
    for (std::size_t i = 0; i < spans_.size(); i += 2) {
        AddField(fields, std::string_view(buffer_.data() + spans_[i], spans_[i + 1]));
    }
    return true;
}

bool CsvReader::WholeLine(std::vector<std::string_view>& fields) {
    const char* const first = buffer_.data() + pos_;
    const auto* const newline = static_cast<const char*>(std::memchr(first, '\n', end_ - pos_));
    if (newline == nullptr) {
        return false; // the line goes on past the buffer, or is the input's last
    }
    const char* const last = newline > first && newline[-1] == '\r' ? newline - 1 : newline;
    const auto length = static_cast<std::size_t>(last - first);
    if (length > MaxRecordBytes) {
        return false;
    }
    // One pass eight bytes at a time: the commas (a sheet's fields are a few bytes each, fewer
    // than a call to memchr costs for each), whether a quote or a lone CR sends the line the
    // careful way, whether it is ASCII.
    const char* start = first;
    const char* word = first;
    std::uint64_t odd = 0;
    std::uint64_t high = 0;
    for (; last - word >= 8; word += 8) {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, word, 8);
        if constexpr (std::endian::native == std::endian::big) {
            bytes = __builtin_bswap64(bytes); // the first byte lowest, as the commas are taken
        }
        odd |= BytesEqual(bytes, '"') | BytesEqual(bytes, '\r');
        high |= bytes;
        for (std::uint64_t commas = BytesEqual(bytes, ','); commas != 0; commas &= commas - 1) {
            const char* const comma = word + std::countr_zero(commas) / 8;
            AddField(fields, std::string_view(start, static_cast<std::size_t>(comma - start)));
            start = comma + 1;
        }
    }
    for (; word != last; ++word) {
        const char c = *word;
        odd |= c == '"' || c == '\r' ? 1 : 0;
        high |= static_cast<unsigned char>(c);
        if (c == ',') {
            AddField(fields, std::string_view(start, static_cast<std::size_t>(word - start)));
            start = word + 1;
        }
    }
    if (odd != 0) {
        fields.clear();
        return false;
    }
    AddField(fields, std::string_view(start, static_cast<std::size_t>(last - start)));
    unquoted_ = std::string_view(first, length);
    ascii_ = (high & 0x8080808080808080ULL) == 0;
    pos_ = static_cast<std::size_t>(newline - buffer_.data()) + 1;
    ++line_;
    return true;
}

bool CsvReader::Next(std::vector<std::string>& fields) {
    std::vector<std::string_view> views;
    const bool read = Next(views);
    fields.assign(views.begin(), views.end());
    return read;
}

template <typename Field> bool NextRecordOf(CsvReader& reader, std::vector<Field>& fields) {
    while (reader.Next(fields)) {
        if (!reader.BlankLine()) {
            return true;
        }
    }
    return false;
}

bool NextRecord(CsvReader& reader, std::vector<std::string_view>& fields) {
    return NextRecordOf(reader, fields);
}

bool NextRecord(CsvReader& reader, std::vector<std::string>& fields) {
    return NextRecordOf(reader, fields);
}

std::string AtLine(const CsvReader& reader) {
    return "line " + std::to_string(reader.Line()) + ": ";
}

std::string Describe(const CsvReader& reader) {
    const std::string line = AtLine(reader);
    switch (reader.Problem()) {
    case CsvReader::Fault::None:
        return "";
    case CsvReader::Fault::ReadFailed:
        return std::string("cannot read it: ") + std::strerror(reader.Error());
    case CsvReader::Fault::RecordTooLong:
        return line + "record too long (a job sheet row is at most " +
               std::to_string(CsvReader::MaxRecordBytes / 1024) + " KiB)";
    case CsvReader::Fault::UnterminatedQuote:
        return line + "a quoted field is never closed";
    case CsvReader::Fault::TextAfterQuote:
        return line + "a quoted field must end at a comma or at the end of the line";
    case CsvReader::Fault::Utf16:
        return "the sheet is UTF-16, save the sheet as UTF-8";
    }
    return "";
}

void CsvWriter::Grow(std::size_t n) {
    buffer_.resize(used_ + n);
}

void CsvWriter::FlushIfFull() {
    if (used_ > (1 << 16)) {
        Flush();
    }
}

bool CsvWriter::AsItStands(std::string_view text) {
    return UnquotedAsItStands(text) && std::none_of(text.begin(), text.end(), [](char c) {
               return NeedsQuotes[static_cast<unsigned char>(c)];
           });
}

void CsvWriter::Fields(std::string_view written) {
    char* out = Room(written.size() + 1);
    if (!firstField_) {
        *out++ = ',';
        ++used_;
    }
    firstField_ = false;
    std::copy(written.begin(), written.end(), out); // an empty view may have no data
    used_ += written.size();
}

void CsvWriter::WriteField(std::string_view text) {
    // Room for a comma, the guard, the text with every byte doubled and its quotes.
    char* out = Room(2 * text.size() + 4);
    char* const start = out;
    if (!firstField_) {
        *out++ = ',';
    }
    firstField_ = false;
    // Copied as it is when nothing in it needs quotes or the guard, as nearly nothing in a
    // sheet does.
    if (AsItStands(text)) {
        std::copy(text.begin(), text.end(), out); // an empty view may have no data
        used_ += static_cast<std::size_t>(out - start) + text.size();
        return;
    }
    char* const field = out;
    const bool guarded = SpreadsheetWouldEvaluate(text);
    if (guarded) {
        *out++ = FormulaGuard;
    }
    bool quoted = false;
    for (const char c : text) {
        if (NeedsQuotes[static_cast<unsigned char>(c)]) {
            quoted = true;
            break;
        }
        *out++ = c;
    }
    if (quoted) {
        out = field;
        *out++ = '"';
        if (guarded) {
            *out++ = FormulaGuard;
        }
        for (const char c : text) {
            if (c == '"') {
                *out++ = '"';
            }
            *out++ = c;
        }
        *out++ = '"';
    }
    used_ += static_cast<std::size_t>(out - start);
}

void CsvWriter::EndRecord() {
    *Room(1) = '\n';
    ++used_;
    firstField_ = true;
    FlushIfFull();
}

void CsvWriter::Raw(std::string_view text) {
    std::copy(text.begin(), text.end(), Room(text.size()));
    used_ += text.size();
    FlushIfFull();
}

bool CsvWriter::Flush() {
    if (text_ != nullptr) {
        text_->append(buffer_.data(), used_);
        used_ = 0;
        return true;
    }
    if (used_ > 0) {
        if (std::fwrite(buffer_.data(), 1, used_, out_) != used_) {
            failed_ = true;
        }
        used_ = 0;
    }
    if (std::fflush(out_) != 0 || std::ferror(out_) != 0) {
        failed_ = true;
    }
    return !failed_;
}

} // namespace Quillmere
