#pragma once

// The application shell: start-up, the single-instance rule, the configuration file and the
// run-wide settings. Sits above the catalogue and below the window; never writes a file.

#include "catalogue/Language.h"
#include "engine/NumberText.h"
#include "engine/UnitSystem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace RunSettings {

// Run-wide settings, written only while the program starts, constant afterwards.
// UNIT_FLAG and LANG_FLAG as the configuration file gives them (16-bit values).
inline std::int16_t UnitFlag = 0; // 0 metric, anything else imperial
inline std::int16_t LangFlag = 0; // 0 Japanese, anything else English
// What they choose, as everything after start-up reads them.
inline Quillmere::UnitSystem Units = Quillmere::UnitSystem::Metric;
inline Quillmere::Language Lang = Quillmere::Language::Japanese;
inline std::string UiFontName; // face of the window's run-time texts
inline std::string ConfigPath; // the configuration file to read next

inline constexpr std::string_view ConfigSection = "SYSTEM";
inline constexpr std::string_view DefaultIniName = "/Quillmere.ini"; // default of INI_FILENAME
inline constexpr std::uint32_t IniNameBufferSize = 255;

// The program directory followed by "/Quillmere.ini".
std::string DefaultPath(const std::string& programDir);

// Reads UNIT_FLAG, LANG_FLAG and INI_FILENAME from one file. Each flag is stored as soon
// as it is read; a flag outside the 16-bit range stops the read there and returns false,
// leaving what earlier steps stored (and ConfigPath as it was).
bool ReadConfiguration(const std::string& path, const std::string& programDir);

// The part of `text` before its first NUL.
std::string TrimAtNul(std::string_view text);

// Reads the default file and, if it names another, that one once; then fixes Units, Lang
// and UiFontName. The program directory is a parameter so tests can use a temp folder.
void FixSettings(const std::string& programDir);

// The settings of a run that found no configuration file: metric and Japanese.
void FixSettingsWithoutFile();

// Back to the state before start-up, for tests that start several times in one process.
void ResetSettings();

// The character check of the leave-field checks lives with the rules every front end
// shares; the shell keeps its name.
using Quillmere::IsNumericText;

// Language and units chosen on the command line for one run; they win over the file,
// which is never written.
struct RunOverrides {
    std::optional<Quillmere::Language> Lang;
    std::optional<Quillmere::UnitSystem> Units;
};
void ApplyOverrides(const RunOverrides& overrides);

// Start-up. Returns false at once, before anything is read, when another copy of the
// program runs for this user; otherwise fixes the settings and calls showWindow.
bool Main(const std::function<void()>& showWindow, const RunOverrides& overrides = {});

// After the window has closed: releases the single-instance lock and removes its file.
void EndInstance();

} // namespace RunSettings
