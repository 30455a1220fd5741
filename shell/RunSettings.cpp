#include "shell/RunSettings.h"

#include "catalogue/Catalogue.h"
#include "shell/IniFile.h"

#include <array>
#include <limits>
#include <optional>

namespace RunSettings {
namespace {

std::optional<std::int16_t> ToInt16(std::int32_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

const std::string Section(ConfigSection);

// The units, the language and the window's font follow the two flags.
void FixLanguage() {
    Units = UnitFlag != 0 ? Quillmere::UnitSystem::Imperial : Quillmere::UnitSystem::Metric;
    Lang = LangFlag != 0 ? Quillmere::Language::English : Quillmere::Language::Japanese;
    UiFontName = std::string(Catalogue::Text(Catalogue::Id::FontName, Lang));
}

} // namespace

std::string DefaultPath(const std::string& programDir) {
    return programDir + std::string(DefaultIniName);
}

bool ReadConfiguration(const std::string& path, const std::string& programDir) {
    try {
        std::array<char, IniNameBufferSize> buffer{};

        const auto unit = ToInt16(IniFile::ReadInt(Section.c_str(), "UNIT_FLAG", 0, path.c_str()));
        if (!unit) {
            return false;
        }
        UnitFlag = *unit;

        const auto lang = ToInt16(IniFile::ReadInt(Section.c_str(), "LANG_FLAG", 0, path.c_str()));
        if (!lang) {
            return false;
        }
        LangFlag = *lang;

        const std::string defaultName(DefaultIniName);
        const std::uint32_t count =
            IniFile::ReadString(Section.c_str(), "INI_FILENAME", defaultName.c_str(), buffer.data(),
                                IniNameBufferSize, path.c_str());
        if (count == 0) {
            ConfigPath = DefaultPath(programDir);
        } else {
            ConfigPath =
                programDir + "/" + TrimAtNul(std::string_view(buffer.data(), buffer.size()));
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::string TrimAtNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

void FixSettings(const std::string& programDir) {
    const std::string defaultPath = DefaultPath(programDir);
    ReadConfiguration(defaultPath, programDir);
    // Compared as texts: the default INI_FILENAME gives a doubled separator, so the same
    // file is read a second time with the same outcome. The second file is not followed.
    if (ConfigPath != defaultPath) {
        ReadConfiguration(ConfigPath, programDir);
    }
    FixLanguage();
}

void FixSettingsWithoutFile() {
    UnitFlag = 0;
    LangFlag = 0;
    FixLanguage();
}

void ApplyOverrides(const RunOverrides& overrides) {
    if (overrides.Units) {
        UnitFlag = *overrides.Units == Quillmere::UnitSystem::Imperial ? 1 : 0;
    }
    if (overrides.Lang) {
        LangFlag = *overrides.Lang == Quillmere::Language::English ? 1 : 0;
    }
    FixLanguage();
}

void ResetSettings() {
    UnitFlag = 0;
    LangFlag = 0;
    Units = Quillmere::UnitSystem::Metric;
    Lang = Quillmere::Language::Japanese;
    UiFontName.clear();
    ConfigPath.clear();
}

} // namespace RunSettings
