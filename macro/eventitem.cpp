#include "macro/eventitem.h"

#include "macro/model/keyvocabulary.h"
#include "macro/model/macroexportfile.h"
#include "shell/widgets/theme.h"

#include <QIcon>
#include <QListWidgetItem>
#include <QPixmap>
#include <QPixmapCache>

#include <limits>

namespace {

// From a pixmap, not a file name: an icon made from a file keeps the file's path, and that path
// is what an exported list would carry.
QIcon icon(const QString &picture)
{
    const QString path = Theme::PictureFolder(QStringLiteral("Macro")) + picture;
    QPixmap pixmap;
    if (!QPixmapCache::find(path, &pixmap)) {
        pixmap.load(path);
        QPixmapCache::insert(path, pixmap);
    }
    return QIcon(pixmap);
}

QListWidgetItem *keyItem(const QString &name, bool down)
{
    return new QListWidgetItem(
        icon(down ? QStringLiteral("MacroDown.png") : QStringLiteral("MacroUp.png")), name, nullptr,
        down ? EventItem::Press : EventItem::Release);
}

} // namespace

QListWidgetItem *EventItem::Key(const QString &name, bool down, int code, int kind)
{
    QListWidgetItem *item = keyItem(name, down);
    item->setData(CodeRole, code);
    item->setData(KindRole, kind);
    return item;
}

QListWidgetItem *EventItem::Key(const QString &name, bool down)
{
    if (const std::optional<KeyCode> key = KeyNameToCode(name))
        return Key(name, down, key->code, key->kind);
    return keyItem(name, down);
}

QListWidgetItem *EventItem::Delay(double milliseconds)
{
    auto *item = new QListWidgetItem(icon(QStringLiteral("MacroTime.png")), DelayText(milliseconds),
                                     nullptr, Press);
    item->setData(DelayRole, qRound64(milliseconds));
    return item;
}

QString EventItem::DelayText(double milliseconds)
{
    // The same rounding as the item's data, so the text never disagrees with what is written.
    return QString::number(qRound64(milliseconds)) + QStringLiteral("ms");
}

bool EventItem::IsDelay(const QListWidgetItem *item)
{
    return item && item->text().contains(QLatin1String("ms"));
}

bool EventItem::IsRelease(const QListWidgetItem *item)
{
    return item && item->type() == Release;
}

QListWidgetItem *EventItem::FromEvent(const MacroEvent &event)
{
    if (event.type == MacroEvent::Delay)
        return Delay(double(event.delay));
    return Key(MacroEventName(event), event.type == MacroEvent::Press, event.code, event.kind);
}

std::optional<MacroEvent> EventItem::ToEvent(const QListWidgetItem *item)
{
    if (IsDelay(item)) {
        const qint64 milliseconds = item->data(DelayRole).toLongLong();
        return MacroEvent::Pause(std::uint32_t(
            qBound<qint64>(0, milliseconds, std::numeric_limits<std::uint32_t>::max())));
    }
    const QVariant code = item->data(CodeRole);
    const QVariant kind = item->data(KindRole);
    if (!code.isValid() || !kind.isValid())
        return std::nullopt;
    return MacroEvent::Key(code.toInt(), kind.toInt(), !IsRelease(item));
}

void EventItem::SetKey(QListWidgetItem *item, const QString &name, int code, int kind)
{
    item->setText(name);
    item->setData(CodeRole, code);
    item->setData(KindRole, kind);
}

void EventItem::SetDelay(QListWidgetItem *item, double milliseconds)
{
    item->setText(DelayText(milliseconds));
    item->setData(DelayRole, qRound64(milliseconds));
}

EventIcons EventItem::Icons()
{
    return {icon(QStringLiteral("MacroDown.png")), icon(QStringLiteral("MacroUp.png")),
            icon(QStringLiteral("MacroTime.png"))};
}
