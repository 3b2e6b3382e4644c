#pragma once
// The keyboard's Caps, Num and Scroll Lock states for the status bar's
// indicators, read from the X server when the program runs on X11.

#include <optional>

namespace sarvexa {

struct LockKeyStates {
  bool caps = false;
  bool num = false;
  bool scroll = false;
  friend bool operator==(const LockKeyStates&, const LockKeyStates&) = default;
};

/// The current lock states, or nothing where they cannot be read (another
/// platform, offscreen, or a build without X11).
std::optional<LockKeyStates> QueryLockKeys();

}  // namespace sarvexa
