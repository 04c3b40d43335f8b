#pragma once
// Window size, placement and pinning.
#include <string_view>

inline constexpr int CollapsedHeight = 152;
inline constexpr int ExpandedHeight = 262;
inline constexpr std::string_view HomePageLink = "https://tivarel.github.io/";

void ToggleExpand();
void TogglePin();
void OpenHomePage();
