#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Opens the desktop's own mouse settings. There is no single command for every desktop, so the
// known settings programs are tried in a fixed order and the first one on PATH that starts wins.
namespace MouseSettings {
// Starts `program` (a full path) with `arguments`, detached from us; true when it started.
using Runner = std::function<bool(const QString &program, const QStringList &arguments)>;

// False when no known settings program is installed or none of them could be started.
bool open();
// Tests put a runner here so that nothing is started; an empty runner restores the real one.
void setRunner(Runner runner);
} // namespace MouseSettings
