#include "platform/devicelib/pathtable.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <algorithm>
#include <cstring>

namespace {

struct Tables
{
    QMutex mutex;
    QHash<QByteArray, const char *> texts;
    // Keyed by the bytes of the pointer list: the same paths in the same order share one array.
    QHash<QByteArray, const char *const *> arrays;
};

// Reachable until exit and never freed: pointers into it are handed out for good.
Tables &tables()
{
    static Tables *instance = new Tables;
    return *instance;
}

} // namespace

const char *PathTable::text(const QByteArray &path)
{
    Tables &t = tables();
    QMutexLocker lock(&t.mutex);
    const char *&kept = t.texts[path];
    if (!kept) {
        char *copy = new char[path.size() + 1];
        std::memcpy(copy, path.constData(), path.size() + 1);
        kept = copy;
    }
    return kept;
}

const char *const *PathTable::array(const QVector<const char *> &paths)
{
    const QByteArray key(reinterpret_cast<const char *>(paths.constData()),
                         int(paths.size() * sizeof(const char *)));
    Tables &t = tables();
    QMutexLocker lock(&t.mutex);
    const char *const *&kept = t.arrays[key];
    if (!kept) {
        auto *copy = new const char *[paths.size() + 1];
        std::copy(paths.cbegin(), paths.cend(), copy);
        copy[paths.size()] = nullptr;
        kept = copy;
    }
    return kept;
}
