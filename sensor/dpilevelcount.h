#pragma once

#include <functional>

// The level-count change both DPI editors make when the user picks count index n (n + 1 levels)
// while level `current` is in use. When the current level lies beyond the new count, `exchange`
// shows levels current and n trading places in the editor (and checks level n, which writes it as
// the current stage), and the record's two stages are exchanged with
// n made current; then `showLevels` shows levels 0..n, and the count is written. Up to three sends,
// in this order: the current stage, the exchange, the count.
//
// With writes enabled and the device not answering nothing changes, one offline notice is raised
// and the result is false: the caller puts its count box back. A send the device answers for but
// refuses stops the sends that follow; the device's record is then read again and its fill puts
// the editor back to what the device holds.
bool ChangeDpiLevelCount(int n, int current, const std::function<void()> &exchange,
                         const std::function<void()> &showLevels);
