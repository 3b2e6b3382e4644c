#pragma once
// The About box: the program's icon, its version, the publisher's notice, the
// sources of the atlas data, the Swiss Ephemeris's licence and the program's
// own.

#include <QDialog>

#include "sarvexa_version.h"

namespace sarvexa {

/// The version line of the About box.
inline constexpr const char* kVersionText = "Version " SARVEXA_VERSION;

/// The program's licence, as the About box states it.
inline constexpr const char* kLicenceNotice =
    "Sarvexa is free software: you may share and change it under the GNU General "
    "Public License, version 3 or any later version (GPL-3.0-or-later).";

/// The Swiss Ephemeris's maker and licence, as the About box states them.
inline constexpr const char* kSwissEphemerisNotice =
    "Swiss Ephemeris: \u00a9 Astrodienst AG, under the GNU Affero General Public License, "
    "version 3 (AGPL-3.0), which is compatible with GPL-3.0-or-later; opened from Debian's "
    "libswe at run time. Its ephemeris files: CC0 1.0.";

class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace sarvexa
