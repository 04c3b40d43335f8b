#pragma once
// Window size, placement and pinning.
inline constexpr int CollapsedHeight = 152;
inline constexpr int ExpandedHeight = 262;

void ToggleExpand();
void TogglePin();
void OpenHomePage();
