// Start-up and shutdown on Qt.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/platform.h"
#include "platform/qt/display_probe.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/subset_fonts.h"

namespace platform {

namespace {

QApplication* application = nullptr;
void (*exitRoutine)() = nullptr;
std::string displayProblem;  // why there is no application

// Qt keeps references to these for the application's lifetime.
int qtArgc = 0;
std::vector<char*> qtArgv;
char platformOption[] = "-platform";
char xcbPlatform[] = "xcb";

QtMessageHandler qtDefaultHandler = nullptr;

// Qt ends the process with abort() when the platform the user chose has no display.
void OnMessageWhileStarting(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
  if (type != QtFatalMsg) {
    qtDefaultHandler(type, context, message);
    return;
  }
  std::fprintf(stderr, "tivarel: cannot open a window: %s\n", message.toLocal8Bit().constData());
  std::_Exit(-1);
}

// The sizes of title bars and task bars. Each size given is decoded at start-up for the window's
// icon property; menus and larger views take the installed icons.
void SetApplicationIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48})
    icon.addFile(QStringLiteral(":/icons/tivarel-%1.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
}

}  // namespace

void InitGui(int /*argc*/, char** argv) {
  ExecutablePath();  // the run directory is the one of the start
  // The program takes no options: Qt sees only its name. Placing and pinning the window need
  // X11 (XWayland under Wayland), chosen by an option rather than QT_QPA_PLATFORM so that the
  // browser started later does not inherit the choice. A platform the user chose stands.
  qtArgv = {argv[0]};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    displayProblem = qt::ConnectXDisplay();
    if (!displayProblem.empty() && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
      return;
    if (displayProblem.empty()) {
      qtArgv.push_back(platformOption);
      qtArgv.push_back(xcbPlatform);
    }
    displayProblem.clear();
  }
  qtArgc = static_cast<int>(qtArgv.size());
  qtArgv.push_back(nullptr);

  qtDefaultHandler = qInstallMessageHandler(OnMessageWhileStarting);
  application = new QApplication(qtArgc, qtArgv.data());
  qInstallMessageHandler(qtDefaultHandler);
  qt::ReleaseXDisplay();
  QApplication::setApplicationName(QStringLiteral("tivarel"));
  QGuiApplication::setDesktopFileName(QStringLiteral("tivarel"));
  SetApplicationIcon();
}

void RegisterExitRoutine(void (*routine)()) {
  exitRoutine = routine;
}

bool CreateMainWindow(const WindowDesign& design, void (*onCreated)()) {
  if (application == nullptr)
    return false;
  auto* window = new qt::MainWindow(design);
  qt::SetTheMainWindow(window);
  onCreated();
  window->show();
  // After the window is mapped and before its first frame: fonts and the boxes' text layout
  // need not hold up its appearance.
  qt::AddSubsetFonts();
  window->MakeShownBoxes();
  window->activateWindow();
  return true;
}

void ReportStartFailure(std::string_view message) {
  const std::string utf8 = Utf8FromText(message);
  if (application == nullptr) {
    std::fprintf(stderr, "%s: %s\n", utf8.c_str(), displayProblem.c_str());
    return;
  }
  std::fprintf(stderr, "%s\n", utf8.c_str());
  QMessageBox::critical(nullptr, QStringLiteral("Tivarel"), QString::fromStdString(utf8));
}

void RunEventLoop() {
  if (application == nullptr)
    return;
  QApplication::exec();
  delete qt::TheMainWindow();
  qt::SetTheMainWindow(nullptr);
  delete application;
  application = nullptr;
  if (exitRoutine != nullptr)
    exitRoutine();
}

}  // namespace platform
