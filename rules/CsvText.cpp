#include "rules/CsvText.h"

#include <cstring>

namespace Quillmere {

void CsvEnding::Feed(std::string_view bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p != end && !broken_) {
        switch (state_) {
        case State::FieldStart:
            state_ = *p == '"' ? State::Quoted : State::Plain;
            if (*p == ',' || *p == '\n' || *p == '\r') {
                state_ = State::FieldStart;
            }
            ++p;
            break;
        case State::Plain: {
            // A quote inside a plain field is text; only a comma or a line end ends it.
            while (p != end && *p != ',' && *p != '\n' && *p != '\r') {
                ++p;
            }
            if (p != end) {
                state_ = State::FieldStart;
                ++p;
            }
            break;
        }
        case State::Quoted: {
            const void* quote = std::memchr(p, '"', static_cast<std::size_t>(end - p));
            p = quote == nullptr ? end : static_cast<const char*>(quote) + 1;
            if (quote != nullptr) {
                state_ = State::QuoteSeen;
            }
            break;
        }
        case State::QuoteSeen: // a doubled quote, or the closing one
            if (*p == '"') {
                state_ = State::Quoted;
            } else if (*p == ',' || *p == '\n' || *p == '\r') {
                state_ = State::FieldStart;
            } else {
                broken_ = true;
            }
            ++p;
            break;
        }
    }
}

} // namespace Quillmere
