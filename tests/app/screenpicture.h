#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// What an X server shows in a rectangle of its screen, as a user sees it: the windows of every
// program, the real program's among them. For the tests that run the real program on a desktop
// of their own (traydesktop.h), where nothing of the program's widgets is at hand. A null image
// when the server cannot be reached or the rectangle is not on its screen.
QImage screenPicture(const QString &display, const QRect &rect);

// Saves `picture` as <build>/screens/<name>.png beside the pictures of the forms; why it could
// not, empty on success.
QString saveScreenPicture(const QImage &picture, const QString &name);

#define ZR35_SAVE_PICTURE(picture, name)                                                           \
    do {                                                                                           \
        const QString zr35PictureError = saveScreenPicture((picture), (name));                     \
        QVERIFY2(zr35PictureError.isEmpty(), qPrintable(zr35PictureError));                        \
    } while (false)
