#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

#include <future>

// Decodes one picture file on a thread of its own and, when asked on the GUI thread, puts it into
// the pixmap cache where QPixmap::load (and with it every style sheet that names the file) finds
// it. The home page shows its window-sized background at once; decoding it is the largest single
// piece of work before the main window can appear, and the device page, built first, leaves the
// time to do it beside the GUI thread. What is shown is the same picture from the same decoder;
// only the thread that decodes it changes.
class PixmapPrefetch
{
public:
    // Starts decoding `fileName` unless the pixmap cache holds it already.
    explicit PixmapPrefetch(const QString &fileName);
    // Waits for a decode still running.
    ~PixmapPrefetch();
    PixmapPrefetch(const PixmapPrefetch &) = delete;
    PixmapPrefetch &operator=(const PixmapPrefetch &) = delete;

    // GUI thread. Waits for the decode and caches the picture; returns it (null when the file
    // could not be read, or was cached already). Later calls return a null pixmap.
    QPixmap deliver();

    // The cache key under which QPixmap::load looks for `fileName` as it is on disk now. Qt keeps
    // the key's form to itself: this is its form in Qt 5.15, and tst_pixmapprefetch checks that
    // loading the file finds the prefetched pixmap. Should the form change, the file is simply
    // decoded again where it is loaded, as it was before the prefetch.
    static QString cacheKey(const QString &fileName);

private:
    QString m_fileName;
    std::future<QImage> m_decoded;
};
