#pragma once
// The controls of MainWindow, by their form names, and the geometry and colour types shared by
// the commands and the platforms.
#include <cstdint>

// In stacking order: each control lies in front of every control after it.
enum class Control {
  按钮14,
  按钮13,
  按钮12,
  按钮11,
  编辑框7,
  编辑框11,
  编辑框10,
  编辑框9,
  编辑框8,
  按钮10,
  按钮9,
  选择框3,
  编辑框5,
  标签4,
  按钮5,
  编辑框3,
  按钮6,
  按钮7,
  按钮8,
  标签3,
  编辑框4,
  标签2,
  按钮4,
  编辑框2,
  选择框2,
  按钮3,
  按钮2,
  编辑框6,
  按钮1,
  标签1,
  编辑框1,
};
inline constexpr int kControlCount = 31;

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// 0xRRGGBB
using Rgb = std::uint32_t;

inline constexpr Rgb kBLabelColour = 0xFF80C0;
inline constexpr Rgb kXLabelColour = 0xFF5080;
inline constexpr Rgb kBadAddressRed = 0xFF0000;
inline constexpr Rgb kDisabledGrey = 0x808080;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBoxBackground = 0xE8F4EF;
inline constexpr Rgb kBSearchLabelColour = 0x0088FF;
inline constexpr Rgb kXSearchLabelColour = 0x008080;
inline constexpr Rgb kBlack = 0x000000;
