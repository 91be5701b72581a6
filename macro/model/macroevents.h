#pragma once

#include <QString>
#include <QVector>

#include <cstdint>
#include <optional>

struct MacroRecord;

// A macro's events as the macro file, the export file and the device record hold them: key
// presses and releases, each a code and kind of the key vocabulary (macro/model/keyvocabulary.h),
// and pauses in milliseconds. The event list of the macro page shows them; everything that stores
// or sends a macro works on these, never on the texts shown. No widgets; any thread.
struct MacroEvent
{
    enum Type
    {
        Press,
        Release,
        Delay
    };

    Type type = Press;
    int code = 0;            // a key: modifier bit, keyboard usage or mouse-button bit
    int kind = 0;            // a key: KeyEventKind
    std::uint32_t delay = 0; // a pause: milliseconds

    static MacroEvent Key(int code, int kind, bool down);
    static MacroEvent Pause(std::uint32_t milliseconds);

    bool isKey() const { return type != Delay; }
    bool operator==(const MacroEvent &other) const;
    bool operator!=(const MacroEvent &other) const { return !(*this == other); }
};

using MacroEvents = QVector<MacroEvent>;

// The key's display name in the current language: a mouse button's from MouseButtonNames, any
// other key's from the vocabulary; an empty text for a code the vocabulary does not name.
QString MacroEventName(const MacroEvent &event);

// A key event of `name`: the vocabulary's names first (the mouse buttons in the current
// language), then the mouse-button names of `otherMouseButtonNames` (each five names in
// MouseButtonBits order), so that a list written in another language still reads. Nothing when no
// name matches.
std::optional<MacroEvent> KeyEventOfName(const QString &name, bool down,
                                         const QVector<QStringList> &otherMouseButtonNames = {});

// How many key events a list holds.
int KeyEventCount(const MacroEvents &events);

// The device record of a macro. Each key event starts a device event (action, kind, code; no
// delay yet); a pause adds to the delay of the device event before it and is dropped when there is
// none. The record holds 70 events: the first 70 key events are taken, with the pauses after each,
// and EventCount is the number built. The name is cut to the record's 30 bytes on a character
// boundary (NUL characters, which would end it early, are left out).
MacroRecord BuildMacroRecord(const QString &name, const MacroEvents &events);

// A macro taken over from a device record: its name (the Name bytes up to the first zero) and
// its events, at most 70 whatever EventCount says. Each device event becomes a key event of the
// vocabulary (a code the vocabulary does not name becomes the key of the empty name, as its name
// would) followed by a pause of its delay, except after the last event, whose delay is dropped.
struct TakenOverMacro
{
    QString name;
    MacroEvents events;
};
// Nothing when the stored name is one the macro folder cannot hold (macro/model/macroname.h).
std::optional<TakenOverMacro> MacroFromRecord(const MacroRecord &record);
