#pragma once

#include <functional>

// The level-count change both DPI editors make when the user picks count index n (n + 1 levels)
// while level `current` is in use. When the current level lies beyond the new count, `exchange`
// shows levels current and n trading places in the editor (and checks level n, which writes it as
// the current stage while `writesHeld` is clear), and the record's two stages are exchanged with
// n made current; then `showLevels` shows levels 0..n, and the count is written. Up to three sends,
// in this order: the current stage, the exchange, the count.
//
// With writes enabled and the device offline the change is only shown, with one offline notice:
// `writesHeld` is set while the editor's own handlers run, so that they write nothing either.
void ChangeDpiLevelCount(int n, int current, bool *writesHeld,
                         const std::function<void()> &exchange,
                         const std::function<void()> &showLevels);
