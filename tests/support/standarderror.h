#pragma once

#include <QByteArray>

#include <functional>

// Runs `what` in this process and returns what it wrote to standard error meanwhile (the lines
// the program writes for a user or a packager to see).
QByteArray standardError(const std::function<void()> &what);
