#include "app/start_up.h"

#include "app/program_state.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "ui/design.h"
#include "ui/properties.h"
#include "ui/texts.h"
#include "ui/window_commands.h"

using enum Control;

namespace {

// 无法创建主窗口
constexpr std::string_view kCannotCreateWindow =
    "Tivarel: \xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8\xD6\xF7\xB4\xB0\xBF\xDA";

// The collapsed window's bottom edge ends this far above the screen's bottom edge.
constexpr int kBottomMargin = 10;

// Centred across the full screen, near its bottom. Halves are dropped toward zero; nothing is
// clamped, so a window wider than the screen gets a negative left edge.
void PlaceAtBottomCentre() {
  const Size screen = platform::ScreenSize();
  const double left = (static_cast<double>(screen.width) - WindowWidth()) / 2;
  const double top = static_cast<double>(screen.height) - WindowHeight() - kBottomMargin;
  MoveWindowIfChanged(
      {static_cast<int>(left), static_cast<int>(top), WindowWidth(), CollapsedHeight});
}

void RestorePartSwitch() {
  if (TextEquals(ProgramState.savedPartSwitch, kSwitchOn)) {
    // The part box keeps its design-time enabled state and background.
    platform::SetTicked(选择框3, true);
    platform::SetControlText(编辑框5, ProgramState.savedBPart);
  } else {
    platform::SetTicked(选择框3, false);
    platform::SetControlEnabled(编辑框5, false);
    platform::SetControlBackground(编辑框5, kDisabledGrey);
    platform::SetControlText(编辑框5, "");
  }
}

}  // namespace

void OnMainWindowCreated() {
  ProgramState.savedBUrl = ReadSetting("KTB", "b");
  ProgramState.savedBPart = ReadSetting("KTBP", "bp");
  ProgramState.savedXUrl = ReadSetting("KTX", "x");
  ProgramState.savedPartSwitch = ReadSetting("KTBP", "bpxzk");
  platform::SetControlText(编辑框1, ProgramState.savedBUrl);
  platform::SetControlText(编辑框4, ProgramState.savedXUrl);
  RestorePartSwitch();
  ProgramState.composeOnly = false;
  // The window is made without always-on-top; this makes the box agree, without TogglePin.
  platform::SetTicked(选择框2, false);
  platform::SetControlVisible(按钮11, false);
  platform::SetControlVisible(按钮12, false);
  platform::SetControlText(按钮13, kExpandCaption);
  SetWindowHeightTo(CollapsedHeight);
  PlaceAtBottomCentre();
}

void ReleaseSettings() {
  for (Text* text : {&ProgramState.savedBUrl, &ProgramState.savedBPart, &ProgramState.savedXUrl,
                     &ProgramState.savedPartSwitch}) {
    Text().swap(*text);
  }
}

int RunTivarel(int argc, char** argv) {
  platform::InitGui(argc, argv);
  SetRunDirectory(RunDirectoryOf(platform::ExecutablePath()));
  platform::RegisterExitRoutine(ReleaseSettings);
  if (!platform::CreateMainWindow(MainWindowDesign(), OnMainWindowCreated)) {
    platform::ReportStartFailure(kCannotCreateWindow);
    return -1;
  }
  platform::RunEventLoop();
  return 0;
}
