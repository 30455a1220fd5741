#pragma once

// The names people give the lists' entries on the command line, in job sheets and in the
// jobs file, and the names a refused one was near: the one lookup of a list entry by name.

#include "engine/Spacing.h"
#include "rules/TextFold.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Quillmere {

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
    // Names by their hash in a table with room to spare, so that a lookup hashes the text
    // once and compares about one name: every cell of a sheet's name columns is looked up.
    class Table {
    public:
        void Insert(const std::string& name, int index); // the first of a name stays
        // Inlined, with the key, into NameList::Find: five lookups on every sheet row.
        [[gnu::always_inline]] std::optional<int> Find(std::string_view name) const;

    private:
        // A name's length with its first and last bytes: the whole of a name of at most
        // 16 bytes, which is then compared without its text.
        struct Key {
            std::uint64_t Head = 0;
            std::uint64_t Tail = 0;
            std::uint64_t Hash = 0;
        };
        [[gnu::always_inline]] static Key KeyOf(std::string_view name);
        [[gnu::always_inline]] static bool Same(const Key& key, std::string_view name,
                                                const Key& other, std::string_view otherName);
        struct Slot {
            Key Of;
            std::string Name;
            int Index = -1;
        };
        std::vector<Slot> slots_ = std::vector<Slot>(256);
        std::size_t used_ = 0;
    };
    [[gnu::noinline]] std::optional<int> FindFolded(std::string_view text) const;

    Table exact_;
    Table folded_;
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
char MountLetter(MountMethod method);

// Those of `names` a mistyped `typed` may have meant, joined by ", "; empty when none is
// near or too many are.
std::string NearestOf(std::string_view typed, const std::vector<std::string>& names);

} // namespace Quillmere
