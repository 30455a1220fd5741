#include "Names.h"

#include "Catalogue.h"
#include "Rules.h"

#include <algorithm>

namespace QuillmereCalc {

using namespace Quillmere;

namespace {

// Up to three names, joined; none when more are near, which would be no help.
std::string Listed(const std::vector<std::string>& names) {
    return names.size() <= 3 ? Joined(names, ", ") : std::string();
}

template <std::size_t N> NameList NameIndex(const std::array<ListEntry, N>& entries) {
    NameList names;
    for (std::size_t i = 0; i < N; ++i) {
        names.AddText(entries[i].NameId, static_cast<int>(i));
    }
    return names;
}

} // namespace

std::string_view Unpadded(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void NameList::Add(const std::string& name, int index) {
    exact_.emplace(name, index);
    folded_.emplace(FoldedName(name), index);
    names_.push_back(name);
    indexes_.push_back(index);
}

void NameList::AddText(std::int16_t id, int index) {
    for (std::int16_t base : {Catalogue::JapaneseBase, Catalogue::EnglishBase}) {
        Add(std::string(Catalogue::Text(id, base)), index);
    }
}

std::optional<int> NameList::Find(std::string_view text) const {
    if (const auto it = exact_.find(text); it != exact_.end()) {
        return it->second;
    }
    if (const auto it = folded_.find(Unpadded(FoldedName(text))); it != folded_.end()) {
        return it->second;
    }
    return std::nullopt;
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
const NameList& SensorNames() {
    static const NameList names = [] {
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
    }();
    return names;
}

// A mounting method by letter ("V", "ｚ"), by name ("V METHOD", "N法"), or by the window's
// list index (0 V, 1 Z).
const NameList& MountNames() {
    static const NameList names = [] {
        NameList list;
        for (int m = 0; m < MountMethodCount; ++m) {
            list.Add(std::string(1, MountLetter(static_cast<MountMethod>(m))), m);
            list.AddText(MountMethods[static_cast<std::size_t>(m)].NameId, m);
        }
        list.Add("0", 0);
        list.Add("1", 1);
        return list;
    }();
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

} // namespace QuillmereCalc
