#pragma once

#include <QString>

#include <memory>

class PixmapPrefetch;
class QFrame;

// The window-sized picture a page's frame draws as its border image. The home page and the device
// page share one window and only one of them shows: the page behind gives its decoded picture up
// (2.8 MiB each) and takes it back when it shows again, before it paints. The picture comes from
// the same file through the same sheet either way; only when it is decoded changes.
class PageBackground
{
public:
    PageBackground(QFrame *frame, const QString &fileName);

    // Shows the picture: the first call sets the frame's sheet, later ones restyle the frame
    // alone. The picture is decoded now unless the pixmap cache holds it (a PixmapPrefetch
    // delivered beforehand). Does nothing while the picture is shown.
    void apply();
    // The frame draws no picture and nothing holds it any longer (neither the frame's style nor
    // the pixmap cache). Does nothing while the picture is given up.
    void release();
    bool applied() const { return Applied; }
    // While the picture is given up: its decode, started beside the GUI thread, for apply() to find
    // in the pixmap cache once delivered. Null while the picture is shown.
    std::unique_ptr<PixmapPrefetch> prefetch() const;

private:
    QFrame *Frame;
    QString FileName;
    bool Applied = false;
};
