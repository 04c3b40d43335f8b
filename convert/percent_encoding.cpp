#include "convert/percent_encoding.h"

namespace {

bool Unreserved(unsigned char byte) {
  if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9'))
    return true;
  return byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

bool IsLeadByte(unsigned char byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

// The byte after a lead byte that completes a character with it: a double-byte character's
// second byte, or the digit of a four-byte character's half. It may lie in the ASCII range
// ("這" is DF 40); none of those bytes is a quote, an ampersand or an angle bracket.
bool IsSecondByte(unsigned char byte) {
  return (byte >= 0x30 && byte <= 0x39) || (byte >= 0x40 && byte <= 0x7E) ||
         (byte >= 0x80 && byte <= 0xFE);
}

}  // namespace

Text PercentEncode(std::string_view text) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  Text encoded;
  encoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(byte) && i + 1 < text.size() &&
        IsSecondByte(static_cast<unsigned char>(text[i + 1]))) {
      // Kept whole: encoding its second byte would break the character in two.
      encoded.append(text.substr(i, 2));
      ++i;
    } else if (byte >= 0x80 || Unreserved(byte)) {
      encoded.push_back(text[i]);
    } else {
      encoded.push_back('%');
      encoded.push_back(kHexDigits[byte >> 4]);
      encoded.push_back(kHexDigits[byte & 0x0F]);
    }
  }
  return encoded;
}
