#include "tests/support/isolatedhome.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>

IsolatedHome::IsolatedHome(Scope scope)
    : m_dir(QDir::tempPath() + QStringLiteral("/zr35-test-XXXXXX"))
{
    if (!m_dir.isValid()) {
        std::fprintf(stderr, "cannot create a temporary HOME\n");
        std::abort();
    }
    const QByteArray home = QFile::encodeName(m_dir.path());
    const struct
    {
        const char *name;
        const char *sub;
    } folders[] = {{"HOME", ""},
                   {"XDG_CONFIG_HOME", "/.config"},
                   {"XDG_STATE_HOME", "/.local/state"},
                   {"XDG_DATA_HOME", "/.local/share"},
                   {"XDG_CACHE_HOME", "/.cache"},
                   {"XDG_RUNTIME_DIR", "/runtime"}};
    for (const auto &f : folders) {
        const QByteArray value = home + f.sub;
        QDir().mkpath(QFile::decodeName(value));
        m_environment.append({QByteArray(f.name), value});
        if (scope == Scope::ThisProcess)
            qputenv(f.name, value);
    }
    // The runtime folder must be private, as the desktop session makes it.
    QFile::setPermissions(m_dir.path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

IsolatedHome::~IsolatedHome() = default;
