#pragma once

#include <QUrl>

#include <functional>

// Opens a link with the desktop's default handler (the browser for web links). GUI thread only.
namespace UrlOpener {
using Handler = std::function<bool(const QUrl &url)>;

// False for an empty or invalid URL (nothing is opened) or when the desktop could not open it.
bool open(const QUrl &url);
// Tests put a handler here so that no browser starts; an empty handler restores the desktop's.
void setHandler(Handler handler);
} // namespace UrlOpener
