#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary HOME with the XDG folders inside it, so that the registry file, autostart entries,
// the simulated devices' state and the single-instance lock of one test never meet another
// test's or the user's. Made before the application object, kept for the whole test run.
class IsolatedHome
{
public:
    IsolatedHome();
    ~IsolatedHome();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
