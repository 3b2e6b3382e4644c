#include "app/lock_keys.h"

#include <QGuiApplication>

#ifdef SARVEXA_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace sarvexa {

std::optional<LockKeyStates> QueryLockKeys() {
#ifdef SARVEXA_HAVE_X11
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->display()) return std::nullopt;
  unsigned int state = 0;
  if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) != Success) return std::nullopt;
  // The core keyboard's first three indicators are Caps, Num and Scroll Lock.
  return LockKeyStates{(state & 0x1) != 0, (state & 0x2) != 0, (state & 0x4) != 0};
#else
  return std::nullopt;
#endif
}

}  // namespace sarvexa
