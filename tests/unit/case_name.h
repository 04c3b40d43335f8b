#pragma once
// Names each case of a table after its name field, so that failures and ctest say which row.
#include <string>

inline constexpr auto kCaseName = [](const auto& info) { return std::string(info.param.name); };
