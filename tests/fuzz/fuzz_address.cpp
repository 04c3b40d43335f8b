// Both recognisers on any pasted text: acceptance looks only at the prefix and the length, and
// an accepted address is the prefix, the id and, after the id, nothing or one of its ends.
#include <string>

#include "convert/address.h"
#include "convert/sites.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr std::string_view kIdEnds = "/?# \t\r\n";

struct Site {
  std::string_view prefix;
  size_t shortForm;        // the length of the prefix and a bare id
  size_t endSearchOffset;  // bytes of the id that are never taken for its end
  bool (*accepts)(std::string_view);
  Text (*extract)(std::string_view);
};

void CheckSite(const Site& site, std::string_view address) {
  const bool accepted = site.accepts(address);
  FUZZ_CHECK(accepted == (address.size() >= site.shortForm && address.starts_with(site.prefix)));
  const Text id = site.extract(address);  // also outside its precondition: it must not crash
  if (!accepted)
    return;
  const std::string_view rest = address.substr(site.prefix.size());
  FUZZ_CHECK(rest.starts_with(id));
  if (address.size() == site.shortForm) {
    FUZZ_CHECK(id == rest);
    return;
  }
  // The id runs to its first end, or to the end of the text.
  FUZZ_CHECK(id == rest.substr(0, rest.find_first_of(kIdEnds, site.endSearchOffset)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // Most random inputs lack the prefixes; try each input also behind them.
  const std::string behindB = std::string(BVideoPagePrefix) + std::string(input);
  const std::string behindX = std::string(XVideoPagePrefix) + std::string(input);
  const Site b{BVideoPagePrefix, 43, 2, IsBVideoAddress, ExtractBVideoId};
  const Site x{XVideoPagePrefix, 42, 0, IsXVideoAddress, ExtractXVideoId};
  for (const std::string_view address :
       {input, std::string_view(behindB), std::string_view(behindX)}) {
    CheckSite(b, address);
    CheckSite(x, address);
  }
  return 0;
}
