// The INI text functions on any file: a value written reads back (line breaks as spaces), a
// write changes no other key, and writing the same again changes nothing.
#include <optional>
#include <string>

#include "settings/ini.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// The program's own names, and spellings that match them in another case.
constexpr std::string_view kSections[] = {"KTB", "KTBP", "KTX", "ktbp"};
constexpr std::string_view kKeys[] = {"b", "bp", "bpxzk", "x", "BP"};

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if ((a[i] | 0x20) != (b[i] | 0x20))
      return false;
  }
  return true;
}

Text AsStored(std::string_view value) {
  Text stored(value);
  for (char& c : stored) {
    if (c == '\r' || c == '\n')
      c = ' ';
  }
  return stored;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto selector = input.empty() ? 0u : static_cast<unsigned char>(input.front());
  if (!input.empty())
    input.remove_prefix(1);
  const std::string_view section = kSections[selector % 4];
  const std::string_view key = kKeys[(selector / 4) % 5];
  const std::string_view lineEnd = (selector & 0x80) != 0 ? "\r\n" : "\n";
  const auto parts = fuzz::Parts(input, 2);
  const std::string_view value = parts[0];
  const std::string_view file = parts[1];

  const std::string written = IniAssign(file, section, key, value, lineEnd);
  FUZZ_CHECK(IniLookup(written, section, key) == AsStored(value));
  for (std::string_view otherSection : kSections) {
    for (std::string_view otherKey : kKeys) {
      if (SameName(otherSection, section) && SameName(otherKey, key))
        continue;
      FUZZ_CHECK(IniLookup(written, otherSection, otherKey) ==
                 IniLookup(file, otherSection, otherKey));
    }
  }
  FUZZ_CHECK(IniAssign(written, section, key, value, lineEnd) == written);
  return 0;
}
