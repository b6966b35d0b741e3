#pragma once
// Running a program with its windows as a user would: in a temporary folder,
// on the offscreen platform, with settings of its own, until it ends by
// itself or is ended.

#include "support/temp_dir.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

struct TWindowRun {
    bool endedByItself = false;  // within the second it was given
    int status = 0;              // as waitpid gives it
    std::string output;          // standard output and error
};

// Starts `exe` with `arguments` in `folder` and gives it a second: a program
// still running then is ended with SIGTERM.
inline TWindowRun RunWindowProgram(const std::string& exe, const TempDir& folder,
                                   const std::vector<std::string>& arguments)
{
    TWindowRun run;
    const pid_t pid = fork();
    if (pid < 0)
        return run;
    if (pid == 0) {
        if (chdir(folder.path().c_str()) != 0)
            _exit(126);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
        setenv("LC_ALL", "C", 1);
        const int out = open("output.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(exe.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(exe.c_str(), argv.data());
        _exit(127);
    }
    for (int i = 0; i < 20 && !run.endedByItself; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        run.endedByItself = waitpid(pid, &run.status, WNOHANG) == pid;
    }
    if (!run.endedByItself) {
        kill(pid, SIGTERM);
        waitpid(pid, &run.status, 0);
    }
    run.output = ReadAll(folder.file("output.txt"));
    return run;
}
