#include "shell/pixmapprefetch.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>

namespace {

// QPixmap::load's key writes its numbers as the hexadecimal digits of each byte, low digit first,
// in memory order.
template <typename T>
QString hexDigits(T value)
{
    static const char digits[] = "0123456789abcdef";
    QString text;
    const auto *byte = reinterpret_cast<const unsigned char *>(&value);
    for (size_t i = 0; i < sizeof value; ++i) {
        text += QLatin1Char(digits[byte[i] & 0xf]);
        text += QLatin1Char(digits[byte[i] >> 4]);
    }
    return text;
}

// A pixmap made from a file name has no data before loading: its type is the plain pixmap type
// (QPlatformPixmap::PixmapType).
constexpr uint PlainPixmapType = 0;

} // namespace

QString PixmapPrefetch::cacheKey(const QString &fileName)
{
    const QFileInfo info(fileName);
    return QLatin1String("qt_pixmap") + info.absoluteFilePath() +
           hexDigits<uint>(uint(info.lastModified().toSecsSinceEpoch())) +
           hexDigits<quint64>(quint64(info.size())) + hexDigits<uint>(PlainPixmapType);
}

PixmapPrefetch::PixmapPrefetch(const QString &fileName) : m_fileName(fileName)
{
    QPixmap cached;
    if (QPixmapCache::find(cacheKey(fileName), &cached))
        return;
    // Runs on its own thread: a QImage may be made there, a QPixmap only on the GUI thread.
    m_decoded =
        std::async(std::launch::async, [fileName] { return QImageReader(fileName).read(); });
}

PixmapPrefetch::~PixmapPrefetch()
{
    if (m_decoded.valid())
        m_decoded.wait();
}

QPixmap PixmapPrefetch::deliver()
{
    if (!m_decoded.valid())
        return QPixmap();
    QImage image = m_decoded.get();
    if (image.isNull())
        return QPixmap();
    // As QPixmap::load converts what it reads.
    const QPixmap pixmap = QPixmap::fromImage(std::move(image));
    QPixmapCache::insert(cacheKey(m_fileName), pixmap);
    return pixmap;
}
