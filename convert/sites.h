#pragma once
// Hosts of the two video sites and the fixed parts of their addresses and links.
#include <string_view>

inline constexpr std::string_view BMainWebHost = "www.bilibili.com";    // video pages
inline constexpr std::string_view BPlayerHost = "player.bilibili.com";  // stand-alone player
inline constexpr std::string_view BSearchHost = "search.bilibili.com";  // keyword search
inline constexpr std::string_view XWebHost = "www.ixigua.com";          // pages, player, search

inline constexpr std::string_view BVideoPagePrefix = "https://www.bilibili.com/video/";
inline constexpr std::string_view XVideoPagePrefix = "https://www.ixigua.com/";
inline constexpr std::string_view BPlayerLinkPrefix =
    "https://player.bilibili.com/player.html?bvid=";
inline constexpr std::string_view XPlayerLinkPrefix = "https://www.ixigua.com/iframe/";
inline constexpr std::string_view BSearchLinkPrefix = "https://search.bilibili.com/all?keyword=";
inline constexpr std::string_view XSearchLinkPrefix = "https://www.ixigua.com/search/";

inline constexpr std::string_view BPartParameter = "&p=";
inline constexpr std::string_view BBrowserTail = "&danmaku=0&autoplay=1";
inline constexpr std::string_view BSnippetTail = "&danmaku=0";
inline constexpr std::string_view XBrowserTail = "?autoplay=1";
