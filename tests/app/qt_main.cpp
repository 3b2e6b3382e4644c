// Runs the program's tests inside one QApplication on the offscreen
// platform, with a private runtime folder so Qt stays quiet.

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtime;
  QFile::setPermissions(runtime.path(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Sarvexa"));
  QApplication::setApplicationName(QStringLiteral("Sarvexa"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
