#include "ui/url_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
TUrlOpener* installed = nullptr;
}

bool TDesktopUrlOpener::OpenUrl(const QString& url) { return QDesktopServices::openUrl(QUrl::fromUserInput(url)); }

TUrlOpener& UrlOpener()
{
    static TDesktopUrlOpener desktop;
    return installed ? *installed : desktop;
}

TScopedUrlOpener::TScopedUrlOpener(TUrlOpener& opener) : previous_(installed) { installed = &opener; }

TScopedUrlOpener::~TScopedUrlOpener() { installed = previous_; }
