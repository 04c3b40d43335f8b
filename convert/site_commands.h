#pragma once
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
