#pragma once
// The program's fixed texts, as GB18030 bytes (the characters are in the comments).
// A test checks every one against its UTF-8 spelling.
#include <string_view>

inline constexpr std::string_view kCaptionNormal = "Tivarel";
// Tivarel-核对视频地址是否正确
inline constexpr std::string_view kCaptionBadAddress =
    "Tivarel-\xBA\xCB\xB6\xD4\xCA\xD3\xC6\xB5\xB5\xD8\xD6\xB7\xCA\xC7\xB7\xF1\xD5\xFD\xC8\xB7";
// Tivarel-已复制到剪贴板
inline constexpr std::string_view kCaptionCopied =
    "Tivarel-\xD2\xD1\xB8\xB4\xD6\xC6\xB5\xBD\xBC\xF4\xCC\xF9\xB0\xE5";
inline constexpr std::string_view kExpandCaption = "\xD5\xB9\xBF\xAA\xA1\xFD";    // 展开↓
inline constexpr std::string_view kCollapseCaption = "\xCA\xD5\xC6\xF0\xA1\xFC";  // 收起↑
inline constexpr std::string_view kSwitchOn = "\xD5\xE6";                         // 真
inline constexpr std::string_view kSwitchOff = "\xBC\xD9";                        // 假

// Design texts of the controls.
inline constexpr std::string_view kTextHomePage = "\xE4\xAF\xC0\xC0\xD6\xF7\xD2\xB3";  // 浏览主页
inline constexpr std::string_view kTextCopy = "\xB8\xB4\xD6\xC6";                      // 复制
inline constexpr std::string_view kTextClose = "\xB9\xD8\xB1\xD5";                     // 关闭
inline constexpr std::string_view kTextMakeXSnippet = "X\xC9\xFA\xB3\xC9iframe";  // X生成iframe
inline constexpr std::string_view kTextMakeBSnippet = "B\xC9\xFA\xB3\xC9iframe";  // B生成iframe
inline constexpr std::string_view kTextPartSwitch = "\xD7\xA8\xBC\xADP:";         // 专辑P:
inline constexpr std::string_view kTextXSearch =
    "X\xCD\xF8\xD5\xBE\xCB\xD1\xCB\xF7\xA3\xBA";                     // X网站搜索：
inline constexpr std::string_view kTextClear = "\xC7\xE5\xBF\xD5";   // 清空
inline constexpr std::string_view kTextSearch = "\xCB\xD1\xCB\xF7";  // 搜索
inline constexpr std::string_view kTextOpen = "\xB4\xF2\xBF\xAA";    // 打开
inline constexpr std::string_view kTextXAddress =
    "X\xCA\xD3\xC6\xB5\xCD\xF8\xD6\xB7\xA3\xBA";  // X视频网址：
inline constexpr std::string_view kTextBSearch =
    "B\xCD\xF8\xD5\xBE\xCB\xD1\xCB\xF7\xA3\xBA";                  // B网站搜索：
inline constexpr std::string_view kTextPin = "\xD6\xC3\xB6\xA5";  // 置顶
inline constexpr std::string_view kTextBAddress =
    "B\xCA\xD3\xC6\xB5\xCD\xF8\xD6\xB7\xA3\xBA";  // B视频网址：

// The embed snippet's head and tail, the design texts of 编辑框8 and 编辑框9.
inline constexpr std::string_view kSnippetHead = "<iframe src=\"";
inline constexpr std::string_view kSnippetTail =
    "\" allowfullscreen=\"allowfullscreen\" width=\"720\" height=\"405\" scrolling=\"no\" "
    "frameborder=\"0\" sandbox=\"allow-top-navigation allow-same-origin allow-forms "
    "allow-scripts\"></iframe>";
