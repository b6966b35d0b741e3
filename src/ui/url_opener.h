#pragma once
// Opening a web address in the user's browser. Every such request goes
// through one replaceable service: the program asks the desktop, tests
// install one that records the addresses asked for.

#include <QString>

class TUrlOpener {
public:
    virtual ~TUrlOpener() = default;
    // False when the address could not be handed to a browser.
    virtual bool OpenUrl(const QString& url) = 0;
};

// The desktop's handler for the address (the user's web browser).
class TDesktopUrlOpener : public TUrlOpener {
public:
    bool OpenUrl(const QString& url) override;
};

// The service in use: the one installed, else the desktop's.
TUrlOpener& UrlOpener();

// Installs a service for its own lifetime and then puts the previous one back.
class TScopedUrlOpener {
public:
    explicit TScopedUrlOpener(TUrlOpener& opener);
    ~TScopedUrlOpener();
    TScopedUrlOpener(const TScopedUrlOpener&) = delete;
    TScopedUrlOpener& operator=(const TScopedUrlOpener&) = delete;

private:
    TUrlOpener* previous_;
};
