#pragma once
// The About box: the program's icon, its version and the publisher's notice.

#include <QDialog>

#include "sarvexa_version.h"

namespace sarvexa {

/// The version line of the About box.
inline constexpr const char* kVersionText = "Version " SARVEXA_VERSION;

class AboutDialog final : public QDialog {
  Q_OBJECT

public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace sarvexa
