#pragma once

// The names people give the lists' entries on the command line and in job sheets, and the
// names a refused one was near.

#include "Spacing.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace QuillmereCalc {

// A sheet cell without the blanks and tabs around it: ", 114.3" is padding, not a value.
std::string_view Unpadded(std::string_view text);

// The names of a list's entries and their list indexes. A name is found as the list writes
// it (the usual case, with no copy of the text), or else as typed in any case or width and
// with blanks around it, as a sheet's cell is read: "rubber ", "ゴム" and "ｺﾞﾑ" are the
// same entry.
class NameList {
public:
    void Add(const std::string& name, int index);
    // A catalogue text in both languages.
    void AddText(std::int16_t id, int index);
    std::optional<int> Find(std::string_view text) const;
    // The names a refused `text` may have meant, one for each entry (see NearestOf).
    std::string Nearest(std::string_view text) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, int, Hash, std::equal_to<>> exact_;
    std::unordered_map<std::string, int, Hash, std::equal_to<>> folded_;
    std::vector<std::string> names_; // as added, for Nearest
    std::vector<int> indexes_;
};

// The names each list takes: its texts in both languages; a sensor type also by list index
// or by one of the names its text joins with "/", a mounting method by letter or list index.
const NameList& SensorNames();
const NameList& MountNames();
const NameList& PipeNames();
const NameList& LiningNames();
const NameList& FluidNames();

// "V", "Z", "N" or "W".
char MountLetter(Quillmere::MountMethod method);

// Those of `names` a mistyped `typed` may have meant, joined by ", "; empty when none is
// near or too many are.
std::string NearestOf(std::string_view typed, const std::vector<std::string>& names);

} // namespace QuillmereCalc
