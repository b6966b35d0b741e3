#pragma once
// A web-address opener for tests: records the addresses asked for, opens
// none, and installs itself for its lifetime.

#include "ui/url_opener.h"

#include <vector>

class RecordingUrlOpener : public TUrlOpener {
public:
    bool OpenUrl(const QString& url) override
    {
        urls.push_back(url);
        return true;
    }
    std::vector<QString> urls;

private:
    TScopedUrlOpener installed_{*this};
};
