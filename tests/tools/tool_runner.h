#pragma once
// Runs a command-line tool for a test and masks what differs between runs.

#include <array>
#include <cstdio>
#include <regex>
#include <string>
#include <sys/wait.h>

struct TToolResult {
    int status = -1;
    std::string out;
};

// Runs `tool` with the (shell-quoted) arguments; standard error is dropped.
inline TToolResult RunTool(const std::string& tool, const std::string& args)
{
    TToolResult r;
    const std::string command = "'" + tool + "' " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return r;
    std::array<char, 4096> chunk{};
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
        r.out.append(chunk.data(), n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// The run's date and time in a results header.
inline std::string MaskRunTime(const std::string& text)
{
    static const std::regex stamp("Date=[^ \"\r\n]* Time=[^ \"\r\n]*");
    return std::regex_replace(text, stamp, "Date=<date> Time=<time>");
}
