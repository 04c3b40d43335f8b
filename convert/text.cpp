#include "convert/text.h"

#include <algorithm>

namespace {

bool HasHighBit(char byte) {
  return (static_cast<unsigned char>(byte) & 0x80) != 0;
}

}  // namespace

long TextLength(std::string_view t) {
  return static_cast<long>(t.size());
}

Text TextLeft(std::string_view t, long n) {
  if (n <= 0)
    return {};
  return Text(t.substr(0, static_cast<size_t>(n)));
}

Text TextRight(std::string_view t, long n) {
  if (n <= 0)
    return {};
  const size_t count = std::min(static_cast<size_t>(n), t.size());
  return Text(t.substr(t.size() - count));
}

Text TextMiddle(std::string_view t, long start, long n) {
  if (start < 1 || start > TextLength(t) || n <= 0)
    return {};
  return Text(t.substr(static_cast<size_t>(start - 1), static_cast<size_t>(n)));
}

long FindText(std::string_view searched, std::string_view sought, long start) {
  const long length = TextLength(searched);
  const long soughtLength = TextLength(sought);
  long candidate = std::max(start, 1L);
  if (candidate > length)
    return -1;
  while (length - candidate + 1 >= soughtLength) {
    const size_t index = static_cast<size_t>(candidate - 1);
    if (searched.substr(index, sought.size()) == sought)
      return candidate;
    if (HasHighBit(searched[index])) {
      // A lead byte: its trail byte is never a candidate, and a lead byte at the very end has
      // no character to finish.
      if (candidate == length)
        return -1;
      candidate += 2;
    } else {
      candidate += 1;
    }
  }
  return -1;
}

bool TextEquals(std::string_view a, std::string_view b) {
  return a == b;
}

Text JoinTexts(std::initializer_list<std::string_view> parts) {
  size_t total = 0;
  for (std::string_view part : parts)
    total += part.size();
  Text joined;
  joined.reserve(total);
  for (std::string_view part : parts)
    joined.append(part);
  return joined;
}
