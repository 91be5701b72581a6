#pragma once

#include <QByteArray>
#include <QString>

// Every file the program replaces is written through here: afterwards the file holds its old bytes
// or the new ones, never a part of them. QSaveFile alone is not enough with the toolkit we build
// on: its commit() renames the new file into place even when the flush of its write buffer failed
// (a full disk, a file-size limit), so a cut file would replace a good one and the save would
// count as done. Safe from any thread.
namespace WholeFile {

// Writes `bytes` as the whole of the file at `path` (its folder must exist). False when they could
// not all be written, with *error (when given) saying why; the file is then as it was.
bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// The same without waiting for the disk, for a writer whose caller must not wait for it: when it
// returns true, every reader finds the new bytes whole at `path` (a crash of the process loses
// nothing), but they may still sit in the system's cache. A full disk, a file-size limit or a
// folder that cannot be written shows here as with write(), and the file stays as it was. Every
// call owes a later sync(path).
bool writeUnsynced(const QString &path, const QByteArray &bytes, QString *error = nullptr);
// Returns once the bytes of the file at `path` and its name in its folder are on the disk; false
// when they cannot be put there. Lets go of the files writeUnsynced() replaced at `path`.
bool sync(const QString &path, QString *error = nullptr);

} // namespace WholeFile
