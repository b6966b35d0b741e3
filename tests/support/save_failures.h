#pragma once
// Ways a save into a folder fails, for tests that show what a failed save
// leaves behind: the folder made read-only, and a write that fails half-way
// for lack of room (the file-size limit of the process).
//
// The administrator writes into any folder whose mode says read-only; for
// that user the folder is made immutable as well where the file system
// allows it. Where nothing makes the folder read-only, that way is marked
// to be passed over.

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
    TSaveFailure readOnly{"read-only folder", false,
                          [path] {
                              chmod(path.c_str(), 0555);
                              if (geteuid() == 0)
                                  std::system(("chattr +i '" + path + "' 2>/dev/null").c_str());
                          },
                          [path] {
                              if (geteuid() == 0)
                                  std::system(("chattr -i '" + path + "' 2>/dev/null").c_str());
                              chmod(path.c_str(), 0755);
                          }};
    // Does it work here?
    readOnly.fail();
    const std::string probe = path + "/.probe";
    readOnly.skip = static_cast<bool>(std::ofstream(probe));
    readOnly.restore();
    std::filesystem::remove(probe);
    return {
        readOnly,
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
