#include "core/program_main.h"

#include "core/batch_log.h"
#include "core/config.h"
#include "core/str_utilx.h"

#include <cstdio>
#include <exception>

int RunProgramMain(const std::function<int()>& program)
{
    if (!CheckWindowsVersion()) {
        std::fprintf(stderr, "%s\n", kVersionTooOldText);
        return 2;
    }
    int status = 2;
    try {
        status = program();
    } catch (const ConfigError& error) {
        std::fprintf(stderr, "%s\n", error.what());
    } catch (const ProgramStopped&) {
        // The stop has already been recorded in the log or on standard error.
    } catch (const std::exception& error) {
        // An unattended run leaves its reason where its user will look.
        if (BatchMode)
            WriteLog(error.what());
        else
            std::fprintf(stderr, "%s\n", error.what());
    }
    FinishBatchLog();
    return status;
}

void StartProgramServices(const TConfigStartup& startup, const std::string& logFolder,
                          const std::function<void(const ConfigType&)>& sizeModel, const std::string& fixedLogName)
{
    LoadConfiguration(startup);
    sizeModel(Config);
    if (!fixedLogName.empty())
        UseFixedBatchLogName(fixedLogName);
    OpenBatchLog(logFolder);
}
