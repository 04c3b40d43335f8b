#include "convert/percent_encoding.h"

namespace {

bool KeptAsIs(unsigned char byte) {
  if (byte >= 0x80)
    return true;  // part of a GB18030 character
  if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9'))
    return true;
  return byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

}  // namespace

Text PercentEncode(std::string_view text) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  Text encoded;
  encoded.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (KeptAsIs(byte)) {
      encoded.push_back(c);
    } else {
      encoded.push_back('%');
      encoded.push_back(kHexDigits[byte >> 4]);
      encoded.push_back(kHexDigits[byte & 0x0F]);
    }
  }
  return encoded;
}
