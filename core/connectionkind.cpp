#include "core/connectionkind.h"

namespace {

struct Row
{
    int kind;
    int receiverClass; // 0: a cable
    const char *imageKey;
    const char *badge;
};

// In the order of the tile builder's connection groups: the row number is the group.
const Row Rows[] = {
    {0, 1, "DM", "1KHz.png"},  {4, 2, "D2M", "2KHz.png"},   {1, 4, "D4M", "4KHz.png"},
    {5, 8, "D8M", "8KHz.png"}, {3, 0, nullptr, "8KHz.png"},
};

const Row *rowOfKind(int kind)
{
    for (const Row &row : Rows) {
        if (row.kind == kind)
            return &row;
    }
    return nullptr;
}

const Row *rowOfClass(int receiverClass)
{
    for (const Row &row : Rows) {
        if (row.receiverClass != 0 && row.receiverClass == receiverClass)
            return &row;
    }
    return nullptr;
}

} // namespace

int ReceiverClass(int kind)
{
    const Row *row = rowOfKind(kind);
    return row ? row->receiverClass : 0;
}

QString ReceiverImageKey(int receiverClass)
{
    const Row *row = rowOfClass(receiverClass);
    return row ? QString::fromLatin1(row->imageKey) : QString();
}

QString DecisionReceiverImageKey(int receiverClass)
{
    const QString key = ReceiverImageKey(receiverClass);
    return key.isEmpty() ? ReceiverImageKey(2) : key;
}

QString RateBadge(int kind)
{
    const Row *row = rowOfKind(kind);
    return row && row->badge ? QString::fromLatin1(row->badge) : QString();
}

int ConnectionGroup(int kind, bool wired)
{
    if (wired)
        return 0;
    const Row *row = rowOfKind(kind);
    if (!row || row->receiverClass == 0)
        return 0;
    return int(row - Rows) + 1;
}
