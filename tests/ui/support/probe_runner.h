#pragma once
// Running a program's windows in a process of their own (a probe program),
// for what only a whole program shows: its locale, a fatal stop in its event
// loop.

#include "support/temp_dir.h"

#include <sys/wait.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

// Runs `probe` in `folder` with `environment` in front, on the offscreen
// platform (standard output and error into stdout.txt and stderr.txt
// there); its exit status, or -1 when it did not exit by itself.
inline int RunProbe(const std::string& probe, const TempDir& folder, const std::string& environment,
                    const std::string& arguments)
{
    const std::string command = "cd '" + folder.path().string() + "' && env " + environment +
                                " QT_QPA_PLATFORM=offscreen '" + probe + "' " + arguments +
                                " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The environment of a German user: the system's German locale, or one
// built into the folder when the system has none. Empty when neither works.
inline std::string GermanUser(const TempDir& folder)
{
    const std::string german = "LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8";
    if (locale_t system = newlocale(LC_ALL_MASK, "de_DE.UTF-8", nullptr)) {
        freelocale(system);
        return german;
    }
    const std::string built = folder.file("locales");
    std::filesystem::create_directory(built);
    const std::string command = "localedef -i de_DE -f UTF-8 '" + built + "/de_DE.utf8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != -1 && std::filesystem::exists(built + "/de_DE.utf8/LC_NUMERIC"))
        return "LOCPATH='" + built + "' " + german;
    return {};
}
