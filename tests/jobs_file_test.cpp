// The day's jobs file as the user may leave it: a FIFO or a device in its place, a header
// without its line end, a row left open by a hand edit, a full disk. Nothing hangs, nothing
// the user wrote is rewritten, and a line is added only where it reads back as a row.
#include "rules/Words.h"
#include "shell/JobsFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Quillmere::JobsFile;
using Problem = JobsFile::Problem;
using Quillmere::Language;

namespace {

const std::string Header = "time,lang,result1\n";
const std::string Line = "2026-12-09 10:00:00,en,65.47\n";

class JobsFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quillmere-jobs-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    std::string Path() const { return (dir_ / "quillmere" / "jobs.csv").string(); }
    void Write(const std::string& bytes) const {
        fs::create_directories(dir_ / "quillmere");
        std::ofstream(Path(), std::ios::binary) << bytes;
    }
    std::string Read() const {
        std::ifstream in(Path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

TEST_F(JobsFolder, NewFileStartsWithTheHeaderAndLinesFollow) {
    JobsFile jobs(Path());
    ASSERT_TRUE(jobs.Append(Header, Line).Ok());
    ASSERT_TRUE(jobs.Append(Header, Line).Ok());
    EXPECT_EQ(Read(), Header + Line + Line);
    JobsFile::Outcome outcome;
    EXPECT_EQ(jobs.ReadLast(1 << 20, outcome), Header + Line + Line);
    EXPECT_TRUE(outcome.Ok());
    // A file far larger than what is read: its header and whole lines from the end.
    const std::string row = "2026-12-09 10:00:00,en,1.00\n";
    std::string many = Header;
    for (int i = 0; i < 1000; ++i) {
        many += row;
    }
    Write(many + Line);
    const auto last = jobs.ReadLast(10 * row.size() + 5, outcome);
    ASSERT_TRUE(last.has_value());
    EXPECT_TRUE(last->starts_with(Header + row)) << *last;
    EXPECT_TRUE(last->ends_with(row + Line)) << *last;
    EXPECT_EQ(last->size(), Header.size() + 9 * row.size() + Line.size());
}

// A FIFO where the file should be froze the window for good (blocked in open, deaf to
// SIGTERM); a link to /dev/zero grew the memory without end. Neither is read or written.
TEST_F(JobsFolder, OnlyARegularFileIsTaken) {
    fs::create_directories(dir_ / "quillmere");
    ASSERT_EQ(::mkfifo(Path().c_str(), 0600), 0);
    JobsFile jobs(Path());
    EXPECT_EQ(jobs.Append(Header, Line).What, Problem::NotRegularFile);
    JobsFile::Outcome outcome;
    EXPECT_FALSE(jobs.ReadLast(1 << 20, outcome));
    EXPECT_EQ(outcome.What, Problem::NotRegularFile);
    fs::remove(Path());
    fs::create_symlink("/dev/zero", Path());
    EXPECT_EQ(jobs.Append(Header, Line).What, Problem::NotRegularFile);
    EXPECT_FALSE(jobs.ReadLast(1 << 20, outcome));
    EXPECT_EQ(outcome.What, Problem::NotRegularFile);
    fs::remove(Path());
    fs::create_directory(Path());
    EXPECT_EQ(jobs.Append(Header, Line).What, Problem::CannotOpen);
    // No file yet is no problem: there are no jobs to show.
    JobsFile none((dir_ / "elsewhere.csv").string());
    EXPECT_FALSE(none.ReadLast(1 << 20, outcome));
    EXPECT_TRUE(outcome.Ok());
}

// An editor that adds no line end, after the day's rows were deleted: the header alone is
// this program's file, its line ended before the job follows.
TEST_F(JobsFolder, HeaderWithoutItsLineEndIsTaken) {
    Write(Header.substr(0, Header.size() - 1));
    JobsFile jobs(Path());
    ASSERT_TRUE(jobs.Append(Header, Line).Ok());
    EXPECT_EQ(Read(), Header + Line);
    Write("\xEF\xBB\xBF" + Header + "typed,by,hand");
    ASSERT_TRUE(jobs.Append(Header, Line).Ok());
    EXPECT_EQ(Read(), "\xEF\xBB\xBF" + Header + "typed,by,hand\n" + Line);
    Write("time,lang\n");
    EXPECT_EQ(jobs.Append(Header, Line).What, Problem::OtherColumns);
    EXPECT_EQ(Read(), "time,lang\n");
}

// A row whose quote is never closed would swallow every job appended after it: said, and
// nothing is added until it is mended. Checked again when another writer adds to the file.
TEST_F(JobsFolder, FileThatWouldNotReadBackAsRowsIsNotAddedTo) {
    JobsFile jobs(Path());
    for (const std::string& end : {std::string("x,\"open quote\n"), std::string("x,\"a\"b,c\n")}) {
        Write(Header + end);
        EXPECT_EQ(jobs.Append(Header, Line).What, Problem::UnfinishedRow) << end;
        EXPECT_EQ(Read(), Header + end);
    }
    Write(Header + "x,\"a quoted \"\"line\"\"\nbreak\",1\n");
    ASSERT_TRUE(jobs.Append(Header, Line).Ok());
    ASSERT_TRUE(jobs.Append(Header, Line).Ok());
    std::ofstream(Path(), std::ios::app | std::ios::binary) << "y,\"left open\n";
    EXPECT_EQ(jobs.Append(Header, Line).What, Problem::UnfinishedRow);
    std::ofstream(Path(), std::ios::app | std::ios::binary) << "closed\",2\n";
    EXPECT_TRUE(jobs.Append(Header, Line).Ok());
}

// Past the file size a process may write (as on a full disk), the line is not kept in
// part: the file is cut back to what it was, and the words say why.
TEST_F(JobsFolder, WriteThatFailsLeavesNoHalfLine) {
    JobsFile jobs(Path());
    ASSERT_TRUE(jobs.Append(Header, Line).Ok());
    const std::string before = Read();
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit kept = limit;
    limit.rlim_cur = before.size() + 5;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const JobsFile::Outcome outcome = jobs.Append(Header, Line);
    ::setrlimit(RLIMIT_FSIZE, &kept);
    EXPECT_EQ(outcome.What, Problem::CannotWrite);
    EXPECT_EQ(outcome.Error, EFBIG);
    EXPECT_EQ(Read(), before);
    EXPECT_TRUE(jobs.Append(Header, Line).Ok());
}

TEST(FileProblemWords, SayTheCommonCausesInTheRunsLanguage) {
    using Quillmere::FileProblemWords;
    EXPECT_EQ(FileProblemWords(ENOSPC, Language::English), "the disk is full");
    EXPECT_EQ(FileProblemWords(ENOSPC, Language::Japanese), "ディスクがいっぱいです");
    EXPECT_EQ(FileProblemWords(EROFS, Language::English), "the disk is read-only");
    EXPECT_EQ(FileProblemWords(EACCES, Language::English), "there is no permission to write there");
    EXPECT_EQ(FileProblemWords(EDQUOT, Language::English), "the disk quota is used up");
    EXPECT_EQ(FileProblemWords(ENOTDIR, Language::English),
              "a file stands where a folder should be");
    EXPECT_FALSE(FileProblemWords(ENAMETOOLONG, Language::English).empty());
}

} // namespace
