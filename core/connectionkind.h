#pragma once

#include <QString>

// The connection kind byte of a device entry, as enumeration reports it, and everything the
// program derives from it: the receiver class, the Config.ini key that names the receiver's
// firmware image, the tile's report-rate badge and the connection group two identical tiles share.
// One table answers all of them, so the home page, the main window and the update engine cannot
// drift apart. Kinds 0, 4, 1 and 5 are receiver connections; every other kind is a cable.
// Any thread.
// The receiver class 1, 2, 4 or 8 of a receiver connection of kind 0, 4, 1 or 5; 0 for any other
// kind (a cable has no receiver).
int ReceiverClass(int kind);

// The key of the model's Config.ini group that names the receiver image of receiver class 1, 2,
// 4 or 8 (DM, D2M, D4M, D8M); empty for any other class: no receiver image is looked for. The
// update engine and the main window's Space key ask this.
QString ReceiverImageKey(int receiverClass);

// The same key as the home page's pairing and firmware decision reads it: a class without a key of
// its own (0, a cable) reads the D2M name, the key of the receivers that carry no class mark.
QString DecisionReceiverImageKey(int receiverClass);

// The picture of the receiver's report rate on a device tile (1KHz.png .. 8KHz.png); empty when
// the kind shows no badge. The cable kind 3 of the 8 kHz mice shows one too.
QString RateBadge(int kind);

// The row of the tile builder's counter table: 0 for a cable (wired, whatever the kind), 1 to 4
// for the receiver kinds 0, 4, 1 and 5. Two entries of one group and one model are identical.
int ConnectionGroup(int kind, bool wired);
