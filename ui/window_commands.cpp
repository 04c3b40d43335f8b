#include "ui/window_commands.h"

#include "platform/platform.h"
#include "ui/properties.h"
#include "ui/texts.h"

namespace {

// Expanding near the screen's bottom puts the top here, above the bottom edge by the current
// height and this margin, so the expanded window ends 10 pixels above that edge.
constexpr int kMoveUpMargin = 120;

}  // namespace

void ToggleExpand() {
  const Text caption = platform::ControlText(Control::按钮13);
  if (TextEquals(caption, kExpandCaption)) {
    platform::SetControlText(Control::按钮13, kCollapseCaption);
    const int screenHeight = platform::ScreenSize().height;
    if (WindowTop() > screenHeight - ExpandedHeight)
      SetWindowTop(screenHeight - WindowHeight() - kMoveUpMargin);
    SetWindowHeightTo(ExpandedHeight);
  } else {
    platform::SetControlText(Control::按钮13, kExpandCaption);
    // The top stays: the window shrinks towards it.
    SetWindowHeightTo(CollapsedHeight);
  }
}

void TogglePin() {
  platform::SetAlwaysOnTop(platform::IsTicked(Control::选择框2));
}

void OpenHomePage() {
  platform::OpenLinkInBrowser(HomePageLink);
}
