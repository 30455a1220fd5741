#pragma once

// quillmere-calc run as a user runs it, from the shell: its output and exit status; cases
// and CSV texts as the tests write and read them.

#include "calc/JobJson.h"
#include "report/CsvStream.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace CalcTest {

// A CSV text as its records.
inline std::vector<std::vector<std::string>> ReadAll(const std::string& bytes) {
    std::FILE* f = ::fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    Quillmere::CsvReader reader(f);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    while (reader.Next(row)) {
        rows.push_back(row);
    }
    std::fclose(f);
    return rows;
}

// A case of these values, as the options or a sheet's columns give them.
inline Quillmere::ColumnTexts
Case(std::initializer_list<std::pair<Quillmere::Column, const char*>> values) {
    Quillmere::ColumnTexts in;
    for (const auto& [column, text] : values) {
        in[column] = text;
    }
    return in;
}

// A file name of this test process's own, so that two runs at once do not share files.
inline std::string ScratchPath(const char* name) {
    return ::testing::TempDir() + "quillmere-calc-test-" + std::to_string(::getpid()) + "-" + name;
}

struct CalcRun {
    int status;
    std::string out;
};

// Runs a command line in the shell; standard error is left alone.
inline CalcRun Shell(const std::string& command) {
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    return {WEXITSTATUS(status), out};
}

// Runs quillmere-calc with these arguments.
inline CalcRun Calc(const std::string& arguments) {
    return Shell(std::string(QUILLMERE_CALC) + " " + arguments);
}

// Runs quillmere-calc in English on `sheet`, written to a scratch file for the run.
inline CalcRun CalcSheet(const std::string& sheet) {
    const std::string path = ScratchPath("sheet-of-a-test.csv");
    std::ofstream(path) << sheet;
    const CalcRun run = Calc("--lang en --sheet " + path);
    std::remove(path.c_str());
    return run;
}

// `text` as one word of the shell.
inline std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

} // namespace CalcTest
