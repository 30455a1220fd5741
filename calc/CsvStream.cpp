#include "CsvStream.h"

namespace QuillmereCalc {

int CsvReader::Get() {
    if (pos_ == end_) {
        end_ = std::fread(buffer_.data(), 1, buffer_.size(), in_);
        pos_ = 0;
        if (end_ == 0) {
            failed_ = failed_ || std::ferror(in_) != 0;
            return EOF;
        }
    }
    return static_cast<unsigned char>(buffer_[pos_++]);
}

bool CsvReader::Next(std::vector<std::string>& fields) {
    fields.clear();
    if (!started_) {
        started_ = true;
        if (Get() != EOF) {
            --pos_; // only filled the buffer
            if (end_ - pos_ >= 3 && buffer_[pos_] == '\xEF' && buffer_[pos_ + 1] == '\xBB' &&
                buffer_[pos_ + 2] == '\xBF') {
                pos_ += 3;
            }
        }
    }
    int c = Get();
    if (c == EOF) {
        return false;
    }
    fields.emplace_back();
    for (;;) {
        std::string& current = fields.back();
        if (c == '"' && current.empty()) {
            for (;;) { // quoted field
                c = Get();
                if (c == EOF) {
                    return true;
                }
                if (c == '"') {
                    c = Get();
                    if (c != '"') {
                        break; // closing quote; c is what follows it
                    }
                }
                current.push_back(static_cast<char>(c));
            }
        }
        for (;; c = Get()) { // unquoted part
            if (c == EOF) {
                return true;
            }
            if (c == ',') {
                break;
            }
            if (c == '\n') {
                return true;
            }
            if (c == '\r') {
                const int next = Get();
                if (next != '\n' && next != EOF) {
                    --pos_; // a lone CR ends the record too; keep what follows
                }
                return true;
            }
            fields.back().push_back(static_cast<char>(c));
            // Take the rest of a plain run straight from the buffer.
            std::size_t run = pos_;
            while (run < end_ && buffer_[run] != ',' && buffer_[run] != '\n' && buffer_[run] != '\r') {
                ++run;
            }
            fields.back().append(buffer_.data() + pos_, run - pos_);
            pos_ = run;
        }
        fields.emplace_back();
        c = Get();
    }
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

void CsvWriter::Flush() {
    if (!pending_.empty()) {
        std::fwrite(pending_.data(), 1, pending_.size(), out_);
        pending_.clear();
    }
    std::fflush(out_);
}

} // namespace QuillmereCalc
