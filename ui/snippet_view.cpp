#include "ui/snippet_view.h"

#include "app/program_state.h"
#include "convert/address.h"
#include "convert/compose.h"
#include "convert/site_commands.h"
#include "platform/platform.h"
#include "ui/properties.h"
#include "ui/texts.h"
#include "ui/window_commands.h"

using enum Control;

namespace {

// Heights up to this count as collapsed; 152 and 262 lie on either side.
constexpr int kCollapsedAtMost = 240;

// Stretches the view over the client area and lets its own buttons lie in front of it.
void ShowSnippet(std::string_view snippet) {
  const Size client = platform::ClientSize();
  MoveControlIfChanged(编辑框7, {0, 0, client.width, client.height});
  platform::SetControlText(编辑框7, snippet);
  platform::SetControlVisible(编辑框7, true);
  platform::SetControlVisible(按钮11, true);
  platform::SetControlVisible(按钮12, true);
  platform::SetControlVisible(按钮13, false);
  platform::SetControlVisible(按钮14, false);
  platform::SetWindowCaption(kCaptionNormal);
}

}  // namespace

void MakeBSnippet() {
  platform::SetControlTextColour(标签1, kBLabelColour);
  // Expands before the address is tested: a rejected address leaves the window expanded and the
  // next view to close collapses it.
  if (WindowHeight() <= kCollapsedAtMost && !platform::ControlText(编辑框1).empty()) {
    ToggleExpand();
    ProgramState.recollapseOnClose = true;
  }
  if (!IsBVideoAddress(platform::ControlText(编辑框1))) {
    ReportBadAddress(标签1);
    return;
  }
  ProgramState.composeOnly = true;
  OpenBVideo();

  const Text head = platform::ControlText(编辑框8);
  const Text id = platform::ControlText(编辑框6);
  const Text part = platform::ControlText(编辑框5);
  const Text tail = platform::ControlText(编辑框9);
  const PartNumber partNumber =
      platform::IsTicked(选择框3) ? PartNumber(part) : PartNumber(std::nullopt);
  ShowSnippet(ComposeBEmbedSnippet(head, id, partNumber, tail));
}

void MakeXSnippet() {
  platform::SetControlTextColour(标签3, kXLabelColour);
  if (!IsXVideoAddress(platform::ControlText(编辑框4))) {
    ReportBadAddress(标签3);
    return;
  }
  ProgramState.composeOnly = true;
  OpenXVideo();

  const Text head = platform::ControlText(编辑框8);
  const Text id = platform::ControlText(编辑框6);
  const Text tail = platform::ControlText(编辑框9);
  ShowSnippet(ComposeXEmbedSnippet(head, id, tail));
}

// The view keeps the place the last generation gave it; only its visibility and text change.
void CloseSnippet() {
  platform::SetControlVisible(编辑框7, false);
  platform::SetControlText(编辑框7, "");
  platform::SetControlVisible(按钮11, false);
  platform::SetControlVisible(按钮12, false);
  platform::SetControlVisible(按钮13, true);
  platform::SetControlVisible(按钮14, true);
  if (ProgramState.recollapseOnClose) {
    ToggleExpand();
    ProgramState.recollapseOnClose = false;
  }
  platform::SetWindowCaption(kCaptionNormal);
}

void CopySnippet() {
  const Text snippet = platform::ControlText(编辑框7);
  if (!platform::CopyTextToClipboard(snippet))
    return;
  platform::FocusControl(编辑框7);
  SetSelectedCharacterCount(编辑框7, -1);
  platform::SetWindowCaption(kCaptionCopied);
}
