#pragma once

// The CSV text Quillmere writes and reads (quillmere-calc's sheets, the window's jobs file,
// the page's export). A cell a spreadsheet would evaluate (=HYPERLINK(...), +1-2,
// @SUM(A1), -3+4) is written with a leading apostrophe, the common convention that makes
// it text, and read back without it, so that every text comes back as typed. A file that
// is appended to must end where a record ends, or the rows appended would be read into it.

#include <cstddef>
#include <string_view>

namespace Quillmere {

inline constexpr char FormulaGuard = '\'';

namespace CsvCellDetail {
// "-3", "+1,234.5": a number, which a spreadsheet reads as one and never evaluates.
constexpr bool IsSignedNumber(std::string_view text) {
    text.remove_prefix(1); // the sign
    bool digit = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c != '.' && c != ',') {
            return false;
        }
    }
    return digit;
}
} // namespace CsvCellDetail

// Whether `text`, written as it stands, is a cell a spreadsheet would evaluate; a text
// that already starts with the guard counts as what follows it, so that it too comes back
// as typed.
constexpr bool SpreadsheetWouldEvaluate(std::string_view text) {
    while (!text.empty() && text.front() == FormulaGuard) {
        text.remove_prefix(1);
    }
    // Blanks before a formula are passed over by spreadsheets that trim cells.
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                             text.front() == '\n')) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    switch (text.front()) {
    case '=':
    case '@':
        return true;
    case '+':
    case '-':
        return text.size() > 1 && !CsvCellDetail::IsSignedNumber(text);
    default:
        return false;
    }
}

// A cell's text as it was typed: without the guard Quillmere wrote before it.
constexpr std::string_view CellText(std::string_view cell) {
    if (!cell.empty() && cell.front() == FormulaGuard && SpreadsheetWouldEvaluate(cell.substr(1))) {
        cell.remove_prefix(1);
    }
    return cell;
}

static_assert(SpreadsheetWouldEvaluate("=HYPERLINK(\"x\")") && SpreadsheetWouldEvaluate("+1-2") &&
              SpreadsheetWouldEvaluate("@SUM(A1)") && SpreadsheetWouldEvaluate("-3+4") &&
              SpreadsheetWouldEvaluate("'=1") && !SpreadsheetWouldEvaluate("-3") &&
              !SpreadsheetWouldEvaluate("-1,234.5") && !SpreadsheetWouldEvaluate("FT-101") &&
              !SpreadsheetWouldEvaluate("'quoted'") && !SpreadsheetWouldEvaluate("-") &&
              SpreadsheetWouldEvaluate("\t=1") && !SpreadsheetWouldEvaluate("\t"));
static_assert(CellText("'=1") == "=1" && CellText("''=1") == "'=1" && CellText("'x") == "'x" &&
              CellText("'-3") == "'-3");

// Follows a CSV text piece by piece, as quillmere-calc's reader reads it, and tells whether
// rows appended after it would read back as rows: no quoted field left open, no text after
// a closing quote (where the reader stops). The last line need not be ended.
class CsvEnding {
public:
    void Feed(std::string_view bytes);
    bool Whole() const { return !broken_ && state_ != State::Quoted; }

private:
    enum class State { FieldStart, Plain, Quoted, QuoteSeen };
    State state_ = State::FieldStart;
    bool broken_ = false;
};

} // namespace Quillmere
