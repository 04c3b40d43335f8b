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

// Each prefix is the scheme, a host above and a fixed path.
constexpr bool IsLinkPrefix(std::string_view prefix, std::string_view host, std::string_view path) {
  return prefix.size() == 8 + host.size() + path.size() && prefix.substr(0, 8) == "https://" &&
         prefix.substr(8, host.size()) == host && prefix.substr(8 + host.size()) == path;
}
static_assert(IsLinkPrefix(BVideoPagePrefix, BMainWebHost, "/video/"));
static_assert(IsLinkPrefix(XVideoPagePrefix, XWebHost, "/"));
static_assert(IsLinkPrefix(BPlayerLinkPrefix, BPlayerHost, "/player.html?bvid="));
static_assert(IsLinkPrefix(XPlayerLinkPrefix, XWebHost, "/iframe/"));
static_assert(IsLinkPrefix(BSearchLinkPrefix, BSearchHost, "/all?keyword="));
static_assert(IsLinkPrefix(XSearchLinkPrefix, XWebHost, "/search/"));
