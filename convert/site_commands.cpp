#include "convert/site_commands.h"

#include "app/program_state.h"
#include "convert/address.h"
#include "convert/compose.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "ui/texts.h"

using enum Control;

void ReportBadAddress(Control siteLabel) {
  platform::SetWindowCaption(kCaptionBadAddress);
  platform::SetControlTextColour(siteLabel, kBadAddressRed);
}

void OpenBVideo() {
  platform::SetControlTextColour(标签1, kBLabelColour);
  const Text address = platform::ControlText(编辑框1);
  if (!IsBVideoAddress(address)) {
    ReportBadAddress(标签1);
    return;
  }
  platform::SetControlText(编辑框6, ExtractBVideoId(address));
  if (!ProgramState.composeOnly) {
    const Text id = platform::ControlText(编辑框6);
    const Text part = platform::ControlText(编辑框5);
    const PartNumber partNumber =
        platform::IsTicked(选择框3) ? PartNumber(part) : PartNumber(std::nullopt);
    platform::OpenLinkInBrowser(ComposeBPlayerLink(id, partNumber));
  }
  WriteSetting("KTB", "b", platform::ControlText(编辑框1));
  if (platform::IsTicked(选择框3)) {
    WriteSetting("KTBP", "bpxzk", kSwitchOn);
    WriteSetting("KTBP", "bp", platform::ControlText(编辑框5));
  }
  ProgramState.composeOnly = false;
  platform::SetWindowCaption(kCaptionNormal);
}

void OpenXVideo() {
  platform::SetControlTextColour(标签3, kXLabelColour);
  const Text address = platform::ControlText(编辑框4);
  if (!IsXVideoAddress(address)) {
    ReportBadAddress(标签3);
    return;
  }
  platform::SetControlText(编辑框6, ExtractXVideoId(address));
  if (!ProgramState.composeOnly)
    platform::OpenLinkInBrowser(ComposeXPlayerLink(platform::ControlText(编辑框6)));
  WriteSetting("KTX", "x", platform::ControlText(编辑框4));
  ProgramState.composeOnly = false;
  platform::SetWindowCaption(kCaptionNormal);
}

void SearchB() {
  platform::OpenLinkInBrowser(ComposeBSearchLink(platform::ControlText(编辑框2)));
}

void SearchX() {
  platform::OpenLinkInBrowser(ComposeXSearchLink(platform::ControlText(编辑框3)));
}

// The saved address, part number and switch stay in the settings file.
void ClearBVideo() {
  platform::SetControlText(编辑框1, "");
  platform::SetControlText(编辑框5, "");
  platform::SetControlEnabled(编辑框5, false);
  platform::SetControlBackground(编辑框5, kDisabledGrey);
  platform::SetTicked(选择框3, false);
  platform::SetControlTextColour(标签1, kBLabelColour);
  platform::SetWindowCaption(kCaptionNormal);
}

void ClearXVideo() {
  platform::SetControlText(编辑框4, "");
  platform::SetControlTextColour(标签3, kXLabelColour);
  platform::SetWindowCaption(kCaptionNormal);
}

void ClearBSearch() {
  platform::SetControlText(编辑框2, "");
}

void ClearXSearch() {
  platform::SetControlText(编辑框3, "");
}

// Runs after the click has changed the tick. The part number itself is saved by the next
// accepted B open.
void TogglePartSwitch() {
  if (platform::IsTicked(选择框3)) {
    platform::SetControlEnabled(编辑框5, true);
    platform::SetControlBackground(编辑框5, kWhite);
    platform::SetControlText(编辑框5, "1");
    WriteSetting("KTBP", "bpxzk", kSwitchOn);
  } else {
    platform::SetControlEnabled(编辑框5, false);
    platform::SetControlBackground(编辑框5, kDisabledGrey);
    platform::SetControlText(编辑框5, "");
    WriteSetting("KTBP", "bpxzk", kSwitchOff);
  }
}
