// Strativa without the batch switch: the real executable opens its windows
// on the offscreen platform, in a temporary folder.

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

// Started with a model, the program stays in its event loop with the main
// window until it is ended; it neither says it has no windows nor writes a
// batch log, and it leaves the model file as it was.
TEST(StrativaWindows, StartsWithAModelAndRunsUntilEnded)
{
    TempDir dir;
    const std::string model = dir.file("meadow_herb.st");
    std::filesystem::copy_file(std::string(PV_EXAMPLES) + "/meadow_herb.st", model);
    const std::string before = ReadAll(model);

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (chdir(dir.path().c_str()) != 0)
            _exit(126);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
        setenv("LC_ALL", "C", 1);
        const int out = open("output.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        execl(STRATIVA_EXE, "strativa", "meadow_herb.st", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    bool ended = false;
    for (int i = 0; i < 20 && !ended; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ended = waitpid(pid, &status, WNOHANG) == pid;
    }
    if (!ended) {
        kill(pid, SIGTERM);
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
    }
    EXPECT_FALSE(ended) << "exit status " << WEXITSTATUS(status) << ": " << ReadAll(dir.file("output.txt"));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(ReadAll(model), before);
    EXPECT_FALSE(std::filesystem::exists(dir.file("VEREDUZ.REC")));
}
