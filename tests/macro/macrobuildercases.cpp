#include "tests/macro/macrobuildercases.h"

#include "core/record/flashdatamap.h"
#include "macro/model/keyvocabulary.h"

#include <QStringList>

MacroEvents EventsOf(const QString &notation)
{
    MacroEvents events;
    for (const QString &token : notation.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (token.endsWith(QLatin1String("ms"))) {
            events.append(MacroEvent::Pause(token.chopped(2).toUInt()));
            continue;
        }
        const bool down = token.startsWith(QLatin1Char('+'));
        const QString key = token.mid(1);
        if (key.startsWith(QLatin1Char('#'))) {
            const QStringList parts = key.mid(1).split(QLatin1Char('/'));
            events.append(
                MacroEvent::Key(parts.at(0).toInt(nullptr, 16), parts.at(1).toInt(), down));
            continue;
        }
        const std::optional<KeyCode> code = KeyNameToCode(key);
        Q_ASSERT_X(code, "EventsOf", "a key name of the vocabulary");
        events.append(MacroEvent::Key(code->code, code->kind, down));
    }
    return events;
}

QString NotationOf(const MacroEvents &events)
{
    QStringList tokens;
    for (const MacroEvent &event : events) {
        if (event.type == MacroEvent::Delay) {
            tokens << QString::number(event.delay) + QStringLiteral("ms");
            continue;
        }
        const QString sign =
            event.type == MacroEvent::Press ? QStringLiteral("+") : QStringLiteral("-");
        const QString name = MacroEventName(event);
        const std::optional<KeyCode> named = KeyNameToCode(name);
        // The key of the empty name is written by its code, so that it can be seen.
        if (event.kind != KeyEventKind::MouseButton && !name.isEmpty() && named &&
            named->code == event.code && named->kind == event.kind)
            tokens << sign + name;
        else
            tokens << QStringLiteral("%1#%2/%3").arg(sign, CodeText(event.code)).arg(event.kind);
    }
    return tokens.join(QLatin1Char(' '));
}

QString DescribeRecord(const MacroRecord &record)
{
    const QByteArray name(reinterpret_cast<const char *>(record.Name), int(record.nameSize()));
    QStringList events;
    for (int k = 0; k < qMin(int(record.EventCount), int(MacroRecord::MaxEvents)); ++k) {
        const KeyEvent &event = record.Events[k];
        events << QStringLiteral("%1%2/%3@%4")
                      .arg(event.Action == KeyEventAction::Press ? QStringLiteral("+")
                                                                 : QStringLiteral("-"))
                      .arg(CodeText(event.code()))
                      .arg(event.Kind)
                      .arg(event.delay());
    }
    return QStringLiteral("%1/%2 n=%3:%4")
        .arg(QString::fromUtf8(name))
        .arg(record.NameLength)
        .arg(record.EventCount)
        .arg(events.isEmpty() ? QString() : QLatin1Char(' ') + events.join(QLatin1Char(' ')));
}

QVector<BuilderCase> BuilderCases()
{
    QVector<BuilderCase> cases{
        {QStringLiteral("press, delay, release"), QStringLiteral("A macro"),
         EventsOf(QStringLiteral("+A 10ms -A")),
         QStringLiteral("A macro/7 n=2: +0x04/1@10 -0x04/1@0")},
        // A pause after the last key is the last event's; it makes no event of its own.
        {QStringLiteral("trailing delay"), QStringLiteral("A macro"),
         EventsOf(QStringLiteral("+A 10ms -A 10ms")),
         QStringLiteral("A macro/7 n=2: +0x04/1@10 -0x04/1@10")},
        {QStringLiteral("empty list"), QStringLiteral("Empty"), MacroEvents(),
         QStringLiteral("Empty/5 n=0:")},
        {QStringLiteral("twelve letters"), QStringLiteral("abcdefghijkl"),
         EventsOf(QStringLiteral("+A")), QStringLiteral("abcdefghijkl/12 n=1: +0x04/1@0")},
        // A key inserted with no event selected lands after the last key, its 10 ms after it.
        {QStringLiteral("key inserted with no event selected"), QStringLiteral("m"),
         EventsOf(QStringLiteral("+A 10ms -A -B 10ms")),
         QStringLiteral("m/1 n=3: +0x04/1@10 -0x04/1@0 -0x05/1@10")},
        {QStringLiteral("two key items in a row"), QStringLiteral("m"),
         EventsOf(QStringLiteral("+LCtrl +A 20ms -A 5ms -LCtrl")),
         QStringLiteral("m/1 n=4: +0x01/0@0 +0x04/1@20 -0x04/1@5 -0x01/0@0")},
        {QStringLiteral("two delays in a row"), QStringLiteral("m"),
         EventsOf(QStringLiteral("+A 10ms 15ms -A")),
         QStringLiteral("m/1 n=2: +0x04/1@25 -0x04/1@0")},
        {QStringLiteral("delay before the first key"), QStringLiteral("m"),
         EventsOf(QStringLiteral("30ms +A")), QStringLiteral("m/1 n=1: +0x04/1@0")},
        {QStringLiteral("mouse button"), QStringLiteral("m"),
         EventsOf(QStringLiteral("+#0x01/4 20ms -#0x01/4")),
         QStringLiteral("m/1 n=2: +0x01/4@20 -0x01/4@0")},
        // 20 two-byte letters after one ASCII letter: the 30 bytes end inside the 15th letter.
        {QStringLiteral("40-byte name"), QStringLiteral("a") + QString(20, QChar(0x0457)),
         EventsOf(QStringLiteral("+A")),
         QStringLiteral("a") + QString(14, QChar(0x0457)) + QStringLiteral("/29 n=1: +0x04/1@0")},
    };

    // 75 key items, each with a pause: the record holds the first 70 and their pauses.
    BuilderCase many{QStringLiteral("75 key items"), QStringLiteral("many"), {}, {}};
    QStringList built;
    for (int i = 0; i < 75; ++i) {
        many.events << MacroEvent::Key(0x04, KeyEventKind::Keyboard, i % 2 == 0)
                    << MacroEvent::Pause(std::uint32_t(i + 1));
        if (i < 70)
            built << (i % 2 == 0 ? QStringLiteral("+") : QStringLiteral("-")) +
                         QStringLiteral("0x04/1@%1").arg(i + 1);
    }
    many.record = QStringLiteral("many/4 n=70: ") + built.join(QLatin1Char(' '));
    cases << many;
    return cases;
}
