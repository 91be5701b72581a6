#include "buttons/model/keysequencedefault.h"

KeySequenceDefault ParseKeySequenceDefault(const QStringList &value)
{
    KeySequenceDefault result;
    if (value.isEmpty() || value.first() != QLatin1String("0x05"))
        return result;
    if (value.size() == 3) {
        QString hex = value.at(2).trimmed();
        if (hex.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            hex.remove(0, 2);
        result.What = KeySequenceDefault::Multimedia;
        // A text that is no number names no key: the page then assigns nothing for it.
        result.UsageByte = hex.toInt(nullptr, 16);
        return result;
    }
    if (value.size() == 4) {
        result.What = KeySequenceDefault::Combination;
        result.Text = value.at(3);
        return result;
    }
    result.What = KeySequenceDefault::Unusable;
    return result;
}
