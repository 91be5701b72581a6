#include "platform/wholefile.h"

#include <QSaveFile>

bool WholeFile::write(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // The flush comes before commit(): only then does a failed write of the buffer show, and the
    // new file must be dropped before commit() could rename it into place.
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
    if (written && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    if (!written)
        file.cancelWriting();
    return false;
}
