#include "rules/NameLists.h"

#include "catalogue/Catalogue.h"
#include "rules/Lists.h"
#include "rules/TextFold.h"

#include <algorithm>
#include <cstring>

namespace Quillmere {

namespace {

// Up to three names, joined; none when more are near, which would be no help.
std::string Listed(const std::vector<std::string>& names) {
    return names.size() <= 3 ? Joined(names, ", ") : std::string();
}

// Apart from the accessors, which then need no frame to hand the built list back.
template <std::size_t N>
[[gnu::noinline]] NameList NameIndex(const std::array<ListEntry, N>& entries) {
    NameList names;
    for (std::size_t i = 0; i < N; ++i) {
        names.AddText(entries[i].NameId, static_cast<int>(i));
    }
    return names;
}

} // namespace

// A name's length and its first and last bytes, mixed: a dozen instructions whatever its
// length, for five names on every sheet row.
inline NameList::Table::Key NameList::Table::KeyOf(std::string_view name) {
    const std::size_t n = name.size();
    Key key;
    if (n >= 8) {
        std::memcpy(&key.Head, name.data(), 8);
        std::memcpy(&key.Tail, name.data() + n - 8, 8);
    } else if (n >= 4) {
        std::uint32_t head = 0;
        std::uint32_t tail = 0;
        std::memcpy(&head, name.data(), 4);
        std::memcpy(&tail, name.data() + n - 4, 4);
        key.Head = head;
        key.Tail = tail;
    } else {
        for (const char c : name) {
            key.Head = key.Head << 8 | static_cast<unsigned char>(c);
        }
    }
    const std::uint64_t hash =
        (key.Head ^ (key.Tail * 0x9E3779B97F4A7C15ULL) ^ n) * 0xFF51AFD7ED558CCDULL;
    key.Hash = hash ^ (hash >> 32);
    return key;
}

inline bool NameList::Table::Same(const Key& key, std::string_view name, const Key& other,
                                  std::string_view otherName) {
    if (key.Hash != other.Hash || key.Head != other.Head || key.Tail != other.Tail ||
        name.size() != otherName.size()) {
        return false;
    }
    return name.size() <= 16 || name == otherName; // the key holds every byte of a short name
}

void NameList::Table::Insert(const std::string& name, int index) {
    if (2 * (used_ + 1) > slots_.size()) { // kept at most half full
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        used_ = 0;
        for (Slot& slot : old) {
            if (slot.Index >= 0) {
                Insert(slot.Name, slot.Index);
            }
        }
    }
    const Key key = KeyOf(name);
    for (std::size_t i = key.Hash & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
        Slot& slot = slots_[i];
        if (slot.Index < 0) {
            slot = {key, name, index};
            ++used_;
            return;
        }
        if (Same(key, name, slot.Of, slot.Name)) {
            return;
        }
    }
}

inline std::optional<int> NameList::Table::Find(std::string_view name) const {
    const Key key = KeyOf(name);
    for (std::size_t i = key.Hash & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
        const Slot& slot = slots_[i];
        if (slot.Index < 0) {
            return std::nullopt;
        }
        if (Same(key, name, slot.Of, slot.Name)) {
            return slot.Index;
        }
    }
}

void NameList::Add(const std::string& name, int index) {
    exact_.Insert(name, index);
    folded_.Insert(FoldedName(name), index);
    names_.push_back(name);
    indexes_.push_back(index);
}

void NameList::AddText(std::int16_t id, int index) {
    for (const Language lang : {Language::Japanese, Language::English}) {
        Add(std::string(Catalogue::Text(id, lang)), index);
    }
}

std::optional<int> NameList::Find(std::string_view text) const {
    if (const std::optional<int> index = exact_.Find(text)) {
        return index;
    }
    return FindFolded(text);
}

// Apart from the exact look, which then needs no frame for the folded text.
std::optional<int> NameList::FindFolded(std::string_view text) const {
    return folded_.Find(Unpadded(FoldedName(text)));
}

std::string NameList::Nearest(std::string_view text) const {
    std::vector<std::string> nearest;
    std::vector<int> entries;
    for (const std::size_t i : NearestNames(text, names_)) {
        if (std::find(entries.begin(), entries.end(), indexes_[i]) == entries.end()) {
            entries.push_back(indexes_[i]);
            nearest.push_back(names_[i]);
        }
    }
    return Listed(nearest);
}

// A sensor type by list index, by its list text, or by one of the names the text joins
// with "/" ("VT-A2" finds "VT-A1/VT-A2"); "RESERVE" is the first of the two.
namespace {

[[gnu::noinline]] NameList SensorIndex() {
    NameList index;
    for (int i = 0; i < SensorTypeCount; ++i) {
        const std::string_view list = SensorTypeName(i);
        index.Add(std::to_string(i), i);
        index.Add(std::string(list), i);
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t slash = std::min(list.find('/', start), list.size());
            index.Add(std::string(list.substr(start, slash - start)), i);
            start = slash + 1;
        }
    }
    return index;
}

} // namespace

const NameList& SensorNames() {
    static const NameList names = SensorIndex();
    return names;
}

// A mounting method by letter ("V", "ｚ"), by name ("V METHOD", "N法"), or by the window's
// list index (0 V, 1 Z).
namespace {

[[gnu::noinline]] NameList MountIndex() {
    NameList list;
    for (int m = 0; m < MountMethodCount; ++m) {
        list.Add(std::string(1, MountLetter(static_cast<MountMethod>(m))), m);
        list.AddText(MountMethods[static_cast<std::size_t>(m)].NameId, m);
    }
    list.Add("0", 0);
    list.Add("1", 1);
    return list;
}

} // namespace

const NameList& MountNames() {
    static const NameList names = MountIndex();
    return names;
}

const NameList& PipeNames() {
    static const NameList names = NameIndex(PipeMaterials);
    return names;
}

const NameList& LiningNames() {
    static const NameList names = NameIndex(LiningMaterials);
    return names;
}

const NameList& FluidNames() {
    static const NameList names = NameIndex(FluidKinds);
    return names;
}

char MountLetter(MountMethod method) {
    return MountMethods[static_cast<std::size_t>(method) & 3].Letter;
}

std::string NearestOf(std::string_view typed, const std::vector<std::string>& names) {
    std::vector<std::string> nearest;
    for (const std::size_t i : NearestNames(typed, names)) {
        nearest.push_back(names[i]);
    }
    return Listed(nearest);
}

} // namespace Quillmere
