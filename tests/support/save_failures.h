#pragma once
// Ways a save into a folder fails, for tests that show what a failed save
// leaves behind: the folder made read-only (passed over for the
// administrator, who writes into any folder), and a write that fails
// half-way for lack of room (the file-size limit of the process).

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct TSaveFailure {
    const char* name;
    bool skip;
    std::function<void()> fail, restore;
};

inline std::vector<TSaveFailure> SaveFailures(const std::filesystem::path& folder)
{
    rlimit limits{};
    getrlimit(RLIMIT_FSIZE, &limits);
    const std::string path = folder.string();
    return {
        {"read-only folder", geteuid() == 0, [path] { chmod(path.c_str(), 0555); },
         [path] { chmod(path.c_str(), 0755); }},
        {"write fails", false,
         [limits] {
             std::signal(SIGXFSZ, SIG_IGN);
             rlimit small = limits;
             small.rlim_cur = 200;
             setrlimit(RLIMIT_FSIZE, &small);
         },
         [limits] {
             setrlimit(RLIMIT_FSIZE, &limits);
             std::signal(SIGXFSZ, SIG_DFL);
         }},
    };
}
