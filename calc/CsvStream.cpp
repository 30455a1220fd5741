#include "CsvStream.h"

#include "Utf8.h"

#include <array>
#include <cerrno>
#include <cstring>

namespace QuillmereCalc {

bool CsvReader::Refill() {
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), in_);
    pos_ = 0;
    if (end_ == 0 && std::ferror(in_) != 0) {
        fault_ = Fault::ReadFailed;
        error_ = errno; // "Is a directory" says more than a failure
    }
    return end_ > 0;
}

int CsvReader::Get() {
    if (pos_ == end_ && !Refill()) {
        return EOF;
    }
    const int c = static_cast<unsigned char>(buffer_[pos_++]);
    if (c == '\n') {
        ++line_;
    }
    return c;
}

bool CsvReader::Stop(Fault fault, std::size_t line) {
    fault_ = fault;
    recordLine_ = line;
    return false;
}

bool CsvReader::Start() {
    started_ = true;
    if (Refill()) {
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
    return true;
}

bool CsvReader::Counted(std::size_t n) {
    recordBytes_ += n;
    return recordBytes_ <= MaxRecordBytes || Stop(Fault::RecordTooLong, recordLine_);
}

bool CsvReader::Quoted(std::string& field, int& c) {
    const std::size_t opened = line_;
    for (;;) {
        c = Get();
        if (c == EOF) {
            return Failed() ? false : Stop(Fault::UnterminatedQuote, opened);
        }
        if (c == '"') {
            c = Get();
            if (c != '"') {
                break; // closing quote; c is what follows it
            }
        }
        if (!Counted(1)) {
            return false;
        }
        field.push_back(static_cast<char>(c));
    }
    if (c != ',' && c != '\n' && c != '\r' && c != EOF) {
        // A stray quote would otherwise swallow rows up to the next quote.
        return Stop(Fault::TextAfterQuote, opened);
    }
    return true;
}

CsvReader::FieldEnd CsvReader::Plain(std::string& field, int c) {
    for (;; c = Get()) {
        if (c == EOF) {
            return Failed() ? FieldEnd::Fault : FieldEnd::Record;
        }
        if (c == ',') {
            return FieldEnd::Comma;
        }
        if (c == '\n') {
            return FieldEnd::Record;
        }
        if (c == '\r') {
            const int next = Get();
            if (next != '\n') {
                ++line_; // a lone CR ends the line too
                if (next != EOF) {
                    --pos_; // keep what follows
                }
            }
            return FieldEnd::Record;
        }
        field.push_back(static_cast<char>(c));
        // Take the rest of a plain run straight from the buffer.
        std::size_t run = pos_;
        while (run < end_ && buffer_[run] != ',' && buffer_[run] != '\n' && buffer_[run] != '\r') {
            ++run;
        }
        if (!Counted(run - pos_ + 1)) {
            return FieldEnd::Fault;
        }
        field.append(buffer_.data() + pos_, run - pos_);
        pos_ = run;
    }
}

bool CsvReader::Next(std::vector<std::string>& fields) {
    fields.clear();
    blank_ = false;
    if (fault_ != Fault::None || (!started_ && !Start())) {
        return false;
    }
    int c = Get();
    if (c == EOF) {
        return false;
    }
    recordLine_ = line_ - (c == '\n' ? 1 : 0);
    blank_ = c == '\n' || c == '\r';
    recordBytes_ = 0;
    for (;;) {
        fields.emplace_back();
        if (c == '"' && !Quoted(fields.back(), c)) {
            return false;
        }
        switch (Plain(fields.back(), c)) {
        case FieldEnd::Comma:
            break;
        case FieldEnd::Record:
            return true;
        case FieldEnd::Fault:
            return false;
        }
        if (!Counted(1)) { // the comma
            return false;
        }
        c = Get();
    }
}

bool NextRecord(CsvReader& reader, std::vector<std::string>& fields) {
    while (reader.Next(fields)) {
        if (!reader.BlankLine()) {
            return true;
        }
    }
    return false;
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

void CsvWriter::Field(std::string_view text) {
    if (!firstField_) {
        pending_.push_back(',');
    }
    firstField_ = false;
    bool plain = true;
    for (char c : text) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            plain = false;
            break;
        }
    }
    if (plain) {
        pending_.append(text);
        return;
    }
    pending_.push_back('"');
    for (char c : text) {
        if (c == '"') {
            pending_.push_back('"');
        }
        pending_.push_back(c);
    }
    pending_.push_back('"');
}

void CsvWriter::EndRecord() {
    pending_.push_back('\n');
    firstField_ = true;
    if (pending_.size() > (1 << 16)) {
        Flush();
    }
}

void CsvWriter::Raw(std::string_view text) {
    pending_.append(text);
    if (pending_.size() > (1 << 16)) {
        Flush();
    }
}

bool CsvWriter::Flush() {
    if (!pending_.empty()) {
        if (std::fwrite(pending_.data(), 1, pending_.size(), out_) != pending_.size()) {
            failed_ = true;
        }
        pending_.clear();
    }
    if (std::fflush(out_) != 0 || std::ferror(out_) != 0) {
        failed_ = true;
    }
    return !failed_;
}

} // namespace QuillmereCalc
