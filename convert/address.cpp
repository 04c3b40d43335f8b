#include "convert/address.h"

#include "convert/sites.h"

namespace {

// The rules' numbers follow from the prefixes and the length of a bare id.
constexpr long kBPrefixLength = static_cast<long>(BVideoPagePrefix.size());  // 31
constexpr long kXPrefixLength = static_cast<long>(XVideoPagePrefix.size());  // 23
constexpr long kBShortFormLength = kBPrefixLength + 12;                      // 43
constexpr long kXShortFormLength = kXPrefixLength + 19;                      // 42
constexpr long kBIdStart = kBPrefixLength + 1;                               // 32
constexpr long kXIdStart = kXPrefixLength + 1;                               // 24
// The first two bytes of a B id are never taken for its end.
constexpr long kBEndSearchStart = kBIdStart + 2;  // 34

// Whatever can follow an id in an address: a path, a query, a fragment, or the blank or line
// break that ends a pasted address. None of these bytes is ever part of a GB18030 character, so
// the search goes byte by byte: a start that falls on a character's second byte still sees the
// byte after it.
constexpr std::string_view kIdEnds = "/?# \t\r\n";

Text IdOfLongForm(std::string_view address, long idStart, long endSearchStart) {
  const size_t end = address.find_first_of(kIdEnds, static_cast<size_t>(endSearchStart - 1));
  const long endPosition =
      end == std::string_view::npos ? TextLength(address) + 1 : static_cast<long>(end) + 1;
  return TextMiddle(address, idStart, endPosition - idStart);
}

bool IsAddress(std::string_view address, std::string_view prefix, long minimumLength) {
  return TextLength(address) >= minimumLength &&
         TextEquals(TextLeft(address, TextLength(prefix)), prefix);
}

}  // namespace

bool IsBVideoAddress(std::string_view address) {
  return IsAddress(address, BVideoPagePrefix, kBShortFormLength);
}

Text ExtractBVideoId(std::string_view address) {
  const long length = TextLength(address);
  if (length > kBShortFormLength)
    return IdOfLongForm(address, kBIdStart, kBEndSearchStart);
  return TextRight(address, length - kBPrefixLength);
}

bool IsXVideoAddress(std::string_view address) {
  return IsAddress(address, XVideoPagePrefix, kXShortFormLength);
}

Text ExtractXVideoId(std::string_view address) {
  const long length = TextLength(address);
  if (length > kXShortFormLength)
    return IdOfLongForm(address, kXIdStart, kXIdStart);
  return TextRight(address, length - kXPrefixLength);
}
