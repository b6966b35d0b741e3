#pragma once
// Help by context number. Every window asks this one service for the topic
// of its help context; the program uses the help file beside the program
// file, tests install a service that records the numbers asked for.

#include <QString>

class QWidget;

// The help context of the help file's contents (a program's Help Topics).
inline constexpr int kHelpContents = 0;

class THelpService {
public:
    virtual ~THelpService() = default;
    virtual void ShowHelp(QWidget* parent, int helpContext) = 0;
};

// The program's help file: the program file with the extension "hlp". That
// format has no viewer here, so the topic is not shown: one message says so
// and names the file and the topic, or says that the file is missing.
class TFileHelpService : public THelpService {
public:
    void ShowHelp(QWidget* parent, int helpContext) override;
};

// The help file's path: the program file's name with the extension "hlp",
// found by its exact name first and then ignoring case; the exact name when
// there is no such file.
QString HelpFileName();

// The service in use: the one installed, else the help file's.
THelpService& HelpService();

// Installs a service for its own lifetime and then puts the previous one back.
class TScopedHelpService {
public:
    explicit TScopedHelpService(THelpService& service);
    ~TScopedHelpService();
    TScopedHelpService(const TScopedHelpService&) = delete;
    TScopedHelpService& operator=(const TScopedHelpService&) = delete;

private:
    THelpService* previous_;
};
