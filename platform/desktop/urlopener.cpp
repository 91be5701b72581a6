#include "platform/desktop/urlopener.h"

#include <QDesktopServices>

namespace {
UrlOpener::Handler customHandler;
} // namespace

bool UrlOpener::open(const QUrl &url)
{
    if (url.isEmpty() || !url.isValid())
        return false;
    return customHandler ? customHandler(url) : QDesktopServices::openUrl(url);
}

void UrlOpener::setHandler(Handler handler)
{
    customHandler = std::move(handler);
}
