// The text operations: no count or position, however extreme, reads outside the text, and the
// double-byte stepping of FindText never finds more than a plain byte search would.
#include <algorithm>
#include <string>

#include "convert/text.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

bool HasHighBit(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; });
}

// Where a plain byte search finds sought at or after start, 1-based, or -1.
long PlainFind(std::string_view searched, std::string_view sought, long start) {
  const long from = std::max(start, 1L);
  if (from > static_cast<long>(searched.size()))
    return -1;
  const size_t found = searched.find(sought, static_cast<size_t>(from - 1));
  return found == std::string_view::npos ? -1 : static_cast<long>(found) + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const long count = fuzz::TakeCount(input);
  const long start = fuzz::TakeCount(input);
  const auto parts = fuzz::Parts(input, 2);
  const std::string_view text = parts[0];
  const std::string_view sought = parts[1];
  const long length = static_cast<long>(text.size());

  FUZZ_CHECK(TextLength(text) == length);
  const size_t kept = count <= 0 ? 0 : static_cast<size_t>(std::min(count, length));
  FUZZ_CHECK(TextLeft(text, count) == text.substr(0, kept));
  FUZZ_CHECK(TextRight(text, count) == text.substr(text.size() - kept));
  const Text middle = TextMiddle(text, start, count);
  if (start < 1 || start > length || count <= 0) {
    FUZZ_CHECK(middle.empty());
  } else {
    FUZZ_CHECK(!middle.empty());
    FUZZ_CHECK(text.substr(static_cast<size_t>(start - 1)).starts_with(middle));
    FUZZ_CHECK(middle.size() == std::min(static_cast<size_t>(count), text.size() + 1 - start));
  }

  if (!sought.empty()) {
    const long found = FindText(text, sought, start);
    const long plain = PlainFind(text, sought, start);
    if (found != -1) {
      FUZZ_CHECK(found >= std::max(start, 1L));
      FUZZ_CHECK(text.substr(static_cast<size_t>(found - 1)).starts_with(sought));
      FUZZ_CHECK(plain != -1 && found >= plain);
    }
    // Without double-byte characters the stepping is a plain byte search.
    if (!HasHighBit(text))
      FUZZ_CHECK(found == plain);
    // Position 0 and the left-out start both mean the first byte.
    FUZZ_CHECK(FindText(text, sought, 0) == FindText(text, sought));
  }

  const Text joined = JoinTexts({text, sought, text});
  FUZZ_CHECK(joined == std::string(text) + std::string(sought) + std::string(text));
  FUZZ_CHECK(TextEquals(text, sought) == (text == sought));
  return 0;
}
