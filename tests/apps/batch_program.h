#pragma once
// Running a program's batch path as a user would: in a temporary folder,
// without a display, and reading what it left there.

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// Runs `exe` in `folder` with the given arguments (standard output and error
// into stdout.txt and stderr.txt there); returns its exit status.
inline int RunProgram(const std::string& exe, const TempDir& folder, const std::string& arguments)
{
    const std::string command = "cd '" + folder.path().string() + "' && env -u DISPLAY '" + exe + "' " + arguments +
                                " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline void CopyExample(const TempDir& folder, const std::string& name)
{
    std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/" + name, folder.file(name));
}

// The lines of a log written with CR LF ends.
inline std::vector<std::string> LogLines(const TempDir& folder, const std::string& name)
{
    std::vector<std::string> lines;
    std::string text = ReadAll(folder.file(name));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A good run that warns of nothing logs four lines: the header, Running,
// Completed and an empty line. The lines a later run in the same folder
// added after them; none, and a failure, when the log is shorter than that
// first run.
inline std::vector<std::string> LinesAfterFirstRun(const std::vector<std::string>& log)
{
    constexpr std::size_t kGoodRunLines = 4;
    if (log.size() < kGoodRunLines) {
        ADD_FAILURE() << "the log holds " << log.size() << " lines, fewer than the first run's " << kGoodRunLines;
        return {};
    }
    return {log.begin() + kGoodRunLines, log.end()};
}

// The results section of a saved model: everything from its first line on.
inline std::string ResultsSection(const std::string& model)
{
    const size_t at = model.find("Simulation results ");
    return at == std::string::npos ? std::string() : model.substr(at);
}

// The results section without its date and time line.
inline std::string ResultsWithoutDate(const std::string& model)
{
    std::string section = ResultsSection(model);
    const size_t eol = section.find("\r\n");
    return eol == std::string::npos ? section : section.substr(eol);
}
