#include "macro/macrosync.h"

#include <QHash>
#include <QSet>

namespace {

struct Pending
{
    QSet<QString> changed;
    QSet<QString> removed;
    QHash<QString, QString> renamed; // the name on the mouse, the name now
};

Pending &pending()
{
    static Pending p;
    return p;
}

} // namespace

namespace MacroSync {

void Changed(const QString &name)
{
    pending().changed.insert(name);
    pending().removed.remove(name);
}

void Renamed(const QString &from, const QString &to)
{
    Pending &p = pending();
    // A macro renamed twice is renamed once on the mouse, from its name there to the last one.
    bool chained = false;
    for (auto it = p.renamed.begin(); it != p.renamed.end(); ++it) {
        if (it.value() == from) {
            it.value() = to;
            chained = true;
        }
    }
    if (!chained)
        p.renamed.insert(from, to);
    if (p.changed.remove(from))
        p.changed.insert(to);
    p.removed.remove(to);
}

void Removed(const QString &name)
{
    Pending &p = pending();
    p.changed.remove(name);
    // A macro renamed and then deleted is deleted under its name on the mouse.
    for (auto it = p.renamed.begin(); it != p.renamed.end();) {
        if (it.value() == name) {
            p.removed.insert(it.key());
            it = p.renamed.erase(it);
        } else {
            ++it;
        }
    }
    // The mouse's macro of this name is renamed, not deleted: the deleted one was a newer macro.
    if (!p.renamed.contains(name))
        p.removed.insert(name);
}

bool IsChanged(const QString &name)
{
    return pending().changed.contains(name);
}

bool IsRemoved(const QString &name)
{
    return pending().removed.contains(name);
}

std::optional<QString> RenamedTo(const QString &name)
{
    const auto it = pending().renamed.constFind(name);
    if (it == pending().renamed.constEnd())
        return std::nullopt;
    return it.value();
}

QStringList Names()
{
    const Pending &p = pending();
    QSet<QString> names = p.changed + p.removed;
    for (auto it = p.renamed.cbegin(); it != p.renamed.cend(); ++it)
        names.insert(it.key());
    return names.values();
}

void Taken(const QString &name)
{
    Pending &p = pending();
    p.changed.remove(name);
    p.removed.remove(name);
    p.renamed.remove(name);
}

void Clear()
{
    pending() = Pending();
}

} // namespace MacroSync
