#pragma once

#include "macro/model/macroevents.h"

#include <QString>
#include <QVector>

struct MacroRecord;

// The cases of the one macro-record builder, shared by every test of a way a macro reaches a
// device record (the macro page's list, a macro file read by the button page). No widgets.
//
// Events are written as the page shows them: "+A" a press, "-LCtrl" a release, "10ms" a pause;
// "+#0x01/4" a key given by code and kind (mouse buttons have no fixed name).
MacroEvents EventsOf(const QString &notation);
QString NotationOf(const MacroEvents &events);

// A record as one line: "name/bytes n=count: +code/kind@delay ...", e.g.
// "abc/3 n=2: +0x04/1@10 -0x04/1@0". Only the events EventCount names are shown.
QString DescribeRecord(const MacroRecord &record);

struct BuilderCase
{
    QString tag;
    QString name;
    MacroEvents events;
    QString record; // DescribeRecord of what the builder must give
};
QVector<BuilderCase> BuilderCases();
