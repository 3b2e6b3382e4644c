#pragma once
// Help > Contents and Index: the program's own help text in a browser
// window beside the main window.

#include <QDialog>

class QTextBrowser;

namespace sarvexa {

/// Resource path of the help text.
inline constexpr const char* kHelpResource = "qrc:/help.html";

class HelpWindow final : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace sarvexa
