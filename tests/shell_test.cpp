// Start-up settings from the configuration file, the profile reader on good and bad files,
// and the character check of the numeric fields.
#include "shell/IniFile.h"
#include "shell/RunSettings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace RunSettings;

namespace {

class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quillmere-shell-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        ResetSettings();
        IniFile::SetLookupObserver([this](const std::string& path) {
            if (reads_.empty() || reads_.back() != path) {
                reads_.push_back(path);
            }
        });
    }
    void TearDown() override {
        IniFile::SetLookupObserver(nullptr);
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, ignored);
        fs::remove_all(dir_, ignored);
    }

    void Write(const std::string& name, const std::string& content) {
        std::ofstream(dir_ / name, std::ios::binary) << content;
    }
    std::string Dir() const { return dir_.string(); }
    void Start() { FixSettings(Dir()); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
    std::vector<std::string> reads_; // files looked up, consecutive repeats folded
};

void ExpectSettings(std::int16_t unit, std::int16_t lang) {
    EXPECT_EQ(UnitFlag, unit);
    EXPECT_EQ(LangFlag, lang);
    EXPECT_EQ(Lang, lang != 0 ? Quillmere::Language::English : Quillmere::Language::Japanese);
    EXPECT_EQ(Units, unit != 0 ? Quillmere::UnitSystem::Imperial : Quillmere::UnitSystem::Metric);
    EXPECT_EQ(UiFontName, lang != 0 ? "Arial" : "ＭＳ ゴシック");
}

} // namespace

TEST_F(ProgramFolder, NoFileGivesMetricJapaneseAfterTwoLookUps) {
    Start();
    ExpectSettings(0, 0);
    ASSERT_EQ(reads_.size(), 2u);
    EXPECT_EQ(reads_[0], Dir() + "/Quillmere.ini");
    EXPECT_EQ(reads_[1], Dir() + "//Quillmere.ini");
}

TEST_F(ProgramFolder, LanguageAndUnitFlags) {
    struct Row {
        const char* ini;
        std::int16_t unit, lang;
        std::size_t reads;
    } rows[] = {
        {"[SYSTEM]\nLANG_FLAG=1\n", 0, 1, 2},
        {"[SYSTEM]\nLANG_FLAG=-1\n", 0, -1, 2},
        {"[SYSTEM]\nLANG_FLAG=7\n", 0, 7, 2},
        {"[SYSTEM]\nUNIT_FLAG=1\nLANG_FLAG=1\nINI_FILENAME=Quillmere.ini\n", 1, 1, 1},
        {"[SYSTEM]\nUNIT_FLAG=-32768\nLANG_FLAG=32767\n", -32768, 32767, 2},
        {"[SYSTEM]\nUNIT_FLAG=40000\nLANG_FLAG=1\n", 0, 0, 2}, // out of range: both reset
        {"[SYSTEM]\nUNIT_FLAG=1\nLANG_FLAG=-32769\n", 0, 0, 2},
        {"[SYSTEM]\nUNIT_FLAG=1\nLANG_FLAG=1\nINI_FILENAME=\n", 1, 1, 1}, // empty: one read
    };
    for (const Row& r : rows) {
        ResetSettings();
        reads_.clear();
        Write("Quillmere.ini", r.ini);
        Start();
        SCOPED_TRACE(r.ini);
        ExpectSettings(r.unit, r.lang);
        EXPECT_EQ(reads_.size(), r.reads);
    }
}

TEST_F(ProgramFolder, SecondFileIsReadOnceAndNotFollowed) {
    Write("Quillmere.ini", "[SYSTEM]\nUNIT_FLAG=0\nLANG_FLAG=1\nINI_FILENAME=site.ini\n");
    Write("site.ini", "[SYSTEM]\nUNIT_FLAG=1\nINI_FILENAME=third.ini\n");
    Write("third.ini", "[SYSTEM]\nLANG_FLAG=1\n");
    Start();
    ExpectSettings(1, 0);
    EXPECT_EQ(reads_, (std::vector<std::string>{Dir() + "/Quillmere.ini", Dir() + "/site.ini"}));
    EXPECT_EQ(ConfigPath, Dir() + "/third.ini");

    ResetSettings();
    fs::remove(dir_ / "site.ini");
    Start();
    ExpectSettings(0, 0);
}

TEST_F(ProgramFolder, FailedSecondReadKeepsWhatWasStored) {
    Write("Quillmere.ini", "[SYSTEM]\nUNIT_FLAG=1\nLANG_FLAG=1\nINI_FILENAME=site.ini\n");
    Write("site.ini", "[SYSTEM]\nUNIT_FLAG=70000\nLANG_FLAG=0\n");
    Start();
    ExpectSettings(1, 1); // the second read stopped at UNIT_FLAG

    ResetSettings();
    Write("site.ini", "[SYSTEM]\nUNIT_FLAG=0\nLANG_FLAG=70000\n");
    Start();
    ExpectSettings(0, 1); // UNIT_FLAG from the second file, LANG_FLAG from the first

    ResetSettings();
    ConfigPath = "before";
    EXPECT_FALSE(ReadConfiguration(Path("site.ini"), Dir()));
    EXPECT_EQ(ConfigPath, "before");
    EXPECT_TRUE(ReadConfiguration(Path("Quillmere.ini"), Dir()));
    EXPECT_EQ(ConfigPath, Dir() + "/site.ini");
}

TEST_F(ProgramFolder, LongNamesAreCutTo254Bytes) {
    const std::string name(300, 'n');
    Write("Quillmere.ini", "[SYSTEM]\nINI_FILENAME=" + name + "\n");
    EXPECT_TRUE(ReadConfiguration(Path("Quillmere.ini"), Dir()));
    EXPECT_EQ(ConfigPath, Dir() + "/" + std::string(254, 'n'));
    reads_.clear();
    Start();
    ASSERT_EQ(reads_.size(), 2u);
    EXPECT_EQ(reads_[1], Dir() + "/" + std::string(254, 'n'));
    ExpectSettings(0, 0);
    EXPECT_EQ(TrimAtNul(std::string_view("ab\0cd", 5)), "ab");
    EXPECT_EQ(TrimAtNul(std::string_view("\0cd", 3)), "");
}

TEST_F(ProgramFolder, ReaderFollowsTheHandWrittenFileConventions) {
    Write("a.ini", "\xEF\xBB\xBF"
                   "KEY=before any section\r\n"
                   "; UNIT_FLAG=9\r\n"
                   "[other]\r\nKEY=other\r\n"
                   "  [ system ]  \r\n"
                   "  key  =  \"quoted value\"  \r\n"
                   "Key=second\r\n"
                   "NUM = 12abc\r\n"
                   "NEG=-3\r\n"
                   "PLUS=+5\r\n"
                   "WORD=abc\r\n"
                   "HUGE=99999999999999999999\r\n"
                   "EMPTY=\r\n"
                   "[SYSTEM]\r\nLATE=in a second SYSTEM section\r\n");
    const std::string file = Path("a.ini");
    char buf[64];
    auto str = [&](const char* section, const char* key, std::uint32_t size = 64) {
        const std::uint32_t n = IniFile::ReadString(section, key, "dflt", buf, size, file.c_str());
        EXPECT_EQ(n, std::strlen(buf));
        return std::string(buf);
    };
    auto num = [&](const char* key) { return IniFile::ReadInt("SYSTEM", key, 77, file.c_str()); };
    EXPECT_EQ(str("SYSTEM", "KEY"), "quoted value");
    EXPECT_EQ(str("Other", "key"), "other");
    EXPECT_EQ(str("SYSTEM", "key", 5), "quot");
    EXPECT_EQ(str("SYSTEM", "EMPTY"), "");
    EXPECT_EQ(str("SYSTEM", "MISSING"), "dflt");
    EXPECT_EQ(str("SYSTEM", "LATE"), "dflt"); // the first matching section wins
    EXPECT_EQ(str("NOSECTION", "KEY"), "dflt");
    EXPECT_EQ(num("NUM"), 12);
    EXPECT_EQ(num("NEG"), -3);
    EXPECT_EQ(num("PLUS"), 5);
    EXPECT_EQ(num("WORD"), 0);
    EXPECT_EQ(num("HUGE"), INT32_MAX);
    EXPECT_EQ(num("EMPTY"), 0);
    EXPECT_EQ(num("MISSING"), 77);
    EXPECT_EQ(num("UNIT_FLAG"), 77); // commented out
    EXPECT_EQ(IniFile::ReadInt("SYSTEM", "NUM", 5, Path("none.ini").c_str()), 5);
}

TEST_F(ProgramFolder, UnicodeFilesOfWindowsEditorsAreRead) {
    auto utf16 = [](std::u16string_view text, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        return bytes;
    };
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big endian" : "little endian");
        ResetSettings();
        reads_.clear();
        Write("Quillmere.ini", utf16(u"[SYSTEM]\r\nINI_FILENAME=現場.ini\r\n"
                                     u"CLEF=\U0001D11E \xD800\r\n",
                                     bigEndian));
        Write("現場.ini", utf16(u"[SYSTEM]\r\nUNIT_FLAG=1\r\nLANG_FLAG=1\r\n", bigEndian));
        Start();
        ExpectSettings(1, 1);
        ASSERT_EQ(reads_.size(), 2u);
        EXPECT_EQ(reads_[1], Dir() + "/現場.ini");

        char buf[32];
        IniFile::ReadString("SYSTEM", "CLEF", "", buf, sizeof buf, Path("Quillmere.ini").c_str());
        EXPECT_EQ(std::string(buf), "\U0001D11E \uFFFD"); // a pair joined, a lone half replaced
    }
}

TEST_F(ProgramFolder, BadFilesNeverHangOrCrashStartUp) {
    ASSERT_EQ(::mkfifo(Path("fifo.ini").c_str(), 0600), 0);
    fs::create_directory(dir_ / "folder.ini");
    fs::create_symlink("/dev/zero", dir_ / "zero.ini");
    {
        std::ofstream big(dir_ / "big.ini", std::ios::binary);
        big << "[SYSTEM]\nLANG_FLAG=1\n";
        big.seekp(50 * 1024 * 1024);
        big << "UNIT_FLAG=1\n"; // beyond the first MiB: never seen
    }
    std::string garbage;
    for (int i = 0; i < 200000; ++i) {
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    }
    Write("garbage.ini", garbage + "\n[SYSTEM]\nLANG_FLAG=1\n");
    Write("longline.ini", "[SYSTEM]\nLANG_FLAG=" + std::string(1024 * 1024, '1'));

    struct Row {
        const char* name;
        std::int16_t unit, lang;
    } rows[] = {
        {"fifo.ini", 0, 0},    {"folder.ini", 0, 0},   {"zero.ini", 0, 0},    {"big.ini", 0, 1},
        {"garbage.ini", 0, 1}, {"longline.ini", 0, 0}, {"missing.ini", 0, 0},
    };
    for (const Row& r : rows) {
        ResetSettings();
        Write("Quillmere.ini", std::string("[SYSTEM]\nUNIT_FLAG=1\nINI_FILENAME=") + r.name + "\n");
        Start(); // a read that hung would hold the test until its time limit ends it
        SCOPED_TRACE(r.name);
        ExpectSettings(r.unit, r.lang);
    }
}
