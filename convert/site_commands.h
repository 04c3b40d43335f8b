#pragma once
#include "ui/controls.h"

// Commands of the address and search rows and of the part switch.
void OpenBVideo();
void OpenXVideo();
void SearchB();
void SearchX();
void ClearBVideo();
void ClearXVideo();
void ClearBSearch();
void ClearXSearch();
void TogglePartSwitch();

// A rejected address: the site's label turns red and the caption says so. The snippet commands
// report the same way.
void ReportBadAddress(Control siteLabel);
