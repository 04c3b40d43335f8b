// Composition with any id, part number and keyword: each inserted text comes back whole when the
// link is decoded, and nothing in it can end the snippet's src attribute or open a tag, neither
// in the program's bytes nor after the conversion that the clipboard and the window get.
#include <optional>
#include <string>

#include "convert/compose.h"
#include "convert/sites.h"
#include "platform/encoding.h"
#include "tests/fuzz/fuzz_input.h"
#include "ui/texts.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;  // lower-case hex is never written
}

// The second byte of a GB18030 character: it may look like ASCII, but never like a quote, an
// angle bracket, a blank or an ampersand.
bool IsSecondByte(unsigned char byte) {
  return (byte >= 0x30 && byte <= 0x39) || (byte >= 0x40 && byte <= 0x7E) || byte >= 0x80;
}

// The text that percent-encoding gave encoded, or nullopt when encoded holds anything that a
// link's query may not carry as is.
std::optional<Text> Decode(std::string_view encoded) {
  Text decoded;
  for (size_t i = 0; i < encoded.size(); ++i) {
    const char c = encoded[i];
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x81 && byte <= 0xFE && i + 1 < encoded.size() &&
        IsSecondByte(static_cast<unsigned char>(encoded[i + 1]))) {
      decoded.append(encoded.substr(i, 2));  // a character kept whole
      ++i;
    } else if (c == '%') {
      if (i + 2 >= encoded.size())
        return std::nullopt;
      const int high = HexValue(encoded[i + 1]);
      const int low = HexValue(encoded[i + 2]);
      if (high < 0 || low < 0)
        return std::nullopt;
      decoded.push_back(static_cast<char>(high * 16 + low));
      i += 2;
    } else if (byte >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~') {
      decoded.push_back(c);
    } else {
      return std::nullopt;
    }
  }
  return decoded;
}

// Checks that link is prefix, the encoded inserted text, suffix; gives the encoded text.
std::string_view Between(std::string_view link, std::string_view prefix, std::string_view suffix) {
  FUZZ_CHECK(link.size() >= prefix.size() + suffix.size());
  FUZZ_CHECK(link.starts_with(prefix));
  FUZZ_CHECK(link.ends_with(suffix));
  return link.substr(prefix.size(), link.size() - prefix.size() - suffix.size());
}

void CheckInserted(std::string_view encoded, std::string_view original) {
  const std::optional<Text> decoded = Decode(encoded);
  FUZZ_CHECK(decoded.has_value());
  FUZZ_CHECK(*decoded == original);
}

size_t CountOf(std::string_view text, char c) {
  size_t count = 0;
  for (char byte : text)
    count += byte == c ? 1 : 0;
  return count;
}

size_t CountOf(std::u16string_view text, char16_t c) {
  size_t count = 0;
  for (char16_t unit : text)
    count += unit == c ? 1 : 0;
  return count;
}

// The snippet is the head, a link free of quotes and angle brackets, and the tail; and so it
// stays in UTF-8 and UTF-16, where a stray lead byte must not swallow the closing quote.
void CheckSnippet(std::string_view snippet) {
  const std::string_view link = Between(snippet, kSnippetHead, kSnippetTail);
  for (char c : {'"', '\'', '<', '>', ' ', '\t', '\r', '\n'})
    FUZZ_CHECK(link.find(c) == std::string_view::npos);
  const std::string utf8 = Utf8FromText(snippet);
  const std::u16string utf16 = Utf16FromText(snippet);
  for (char c : {'"', '<', '>'}) {
    const size_t expected = CountOf(kSnippetHead, c) + CountOf(kSnippetTail, c);
    FUZZ_CHECK(CountOf(utf8, c) == expected);
    FUZZ_CHECK(CountOf(utf16, static_cast<char16_t>(c)) == expected);
  }
  FUZZ_CHECK(utf8.starts_with("<iframe src=\"https://"));
  FUZZ_CHECK(utf8.ends_with("></iframe>"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto parts = fuzz::Parts(input, 3);
  const std::string_view id = parts[0];
  const std::string_view part = parts[1];
  const std::string_view keyword = parts[2];

  CheckInserted(Between(ComposeBPlayerLink(id, std::nullopt), BPlayerLinkPrefix, BBrowserTail), id);
  const Text withPart = ComposeBPlayerLink(id, part);
  const std::string_view idAndPart = Between(withPart, BPlayerLinkPrefix, BBrowserTail);
  // "&" is always encoded, so the first "&p=" is the one the program put there.
  const size_t parameter = idAndPart.find(BPartParameter);
  FUZZ_CHECK(parameter != std::string_view::npos);
  CheckInserted(idAndPart.substr(0, parameter), id);
  CheckInserted(idAndPart.substr(parameter + BPartParameter.size()), part);
  CheckInserted(Between(ComposeXPlayerLink(id), XPlayerLinkPrefix, XBrowserTail), id);
  CheckInserted(Between(ComposeBSearchLink(keyword), BSearchLinkPrefix, ""), keyword);
  CheckInserted(Between(ComposeXSearchLink(keyword), XSearchLinkPrefix, ""), keyword);

  CheckSnippet(ComposeBEmbedSnippet(kSnippetHead, id, std::nullopt, kSnippetTail));
  CheckSnippet(ComposeBEmbedSnippet(kSnippetHead, id, part, kSnippetTail));
  CheckSnippet(ComposeXEmbedSnippet(kSnippetHead, id, kSnippetTail));
  return 0;
}
