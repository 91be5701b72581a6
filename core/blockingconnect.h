#pragma once

#include <QList>
#include <QObject>

// Connects a PostMsg signal to a GUI-thread receiver with a blocking queued connection: the
// emitting thread waits until the slot has run. signal and slot are in string form
// (SIGNAL(SigForm()), SLOT(SlotForm())). Returns false when Qt refuses the connection (it says
// why on the debug output).
//
// A blocking signal emitted on the GUI thread would wait for the GUI thread for ever. The first
// blocking connection of a signal therefore also connects a guard, directly, ahead of every
// blocking slot: it runs in the emitting thread and ends the program with qFatal, naming the
// signal, when that thread is the GUI thread. Emitters need no wrapper of their own, and a
// wrong emission fails at once instead of hanging.
bool ConnectBlocking(const char *signal, const QObject *receiver, const char *slot);

// The receivers connected blocking to signal (string form, as for ConnectBlocking) that still
// exist. A thread that must let an emitter of that signal go on, without serving every queued
// call of the GUI thread, delivers or drops the queued calls of these receivers only. GUI thread.
QList<QObject *> BlockingReceivers(const char *signal);
