#pragma once
// The About box: the program's icon, its version, the publisher's notice, the
// sources of the atlas data and the program's licence.

#include <QDialog>

#include "sarvexa_version.h"

namespace sarvexa {

/// The version line of the About box.
inline constexpr const char* kVersionText = "Version " SARVEXA_VERSION;

/// The program's licence, as the About box states it.
inline constexpr const char* kLicenceNotice =
    "Sarvexa is free software: you may share and change it under the GNU General "
    "Public License, version 3 or any later version (GPL-3.0-or-later).";

class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace sarvexa
