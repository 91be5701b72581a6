#include "picturegen.h"

#include <QIODevice>
#include <QImage>

#include <png.h>

#include <vector>

namespace {

void writeBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto *device = static_cast<QIODevice *>(png_get_io_ptr(png));
    if (device->write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length))
        png_error(png, "write failed");
}

void flushNothing(png_structp) {}

} // namespace

// Every row is stored unfiltered. The program decodes its pictures on the way to its first
// window, and undoing the row filters (Paeth above all) cost as much as inflating and converting
// together; the pictures are flat drawn shapes, so deflate alone packs them as small or smaller.
bool writePicture(QIODevice *device, const QImage &picture)
{
    const bool opaque = !picture.hasAlphaChannel();
    const QImage rows =
        picture.convertToFormat(opaque ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
    std::vector<png_bytep> lines(size_t(rows.height()));
    for (int y = 0; y < rows.height(); ++y)
        lines[size_t(y)] = const_cast<png_bytep>(rows.constScanLine(y));

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, device, writeBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(rows.width()), png_uint_32(rows.height()), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, png_uint_32(picture.dotsPerMeterX()),
                 png_uint_32(picture.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, lines.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
