#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

// A temporary HOME with the XDG folders inside it, so that the registry file, autostart entries,
// the simulated devices' state and the single-instance lock of one test never meet another
// test's or the user's. Made before the application object, kept for the whole test run.
// A started copy of the program gets one of its own without touching this process.
class IsolatedHome
{
public:
    enum class Scope
    {
        ThisProcess,
        ChildOnly
    };

    explicit IsolatedHome(Scope scope = Scope::ThisProcess);
    ~IsolatedHome();
    QString path() const { return m_dir.path(); }
    // HOME and the XDG variables, as (name, value).
    QList<QPair<QByteArray, QByteArray>> environment() const { return m_environment; }

private:
    QTemporaryDir m_dir;
    QList<QPair<QByteArray, QByteArray>> m_environment;
};
