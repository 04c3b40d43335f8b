#pragma once
// Turns one fuzz input into the arguments of the function under test, and stops the run loudly
// when a property fails (abort, so libFuzzer saves the input and the replay test fails).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace fuzz {

// The input's texts, cut at each NUL byte (texts of this program never hold NUL).
inline std::vector<std::string_view> Parts(std::string_view input, size_t count) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < count) {
    const size_t nul = input.find('\0');
    if (nul == std::string_view::npos)
      break;
    parts.push_back(input.substr(0, nul));
    input.remove_prefix(nul + 1);
  }
  parts.push_back(input);
  parts.resize(count);
  return parts;
}

// A signed count from the front of the input, biased towards the small values that matter, but
// able to reach the extremes of long.
inline long TakeCount(std::string_view& input) {
  if (input.empty())
    return 0;
  const auto selector = static_cast<unsigned char>(input.front());
  input.remove_prefix(1);
  switch (selector >> 6) {
    case 0:
      return static_cast<long>(selector & 0x3F) - 8;  // -8 ... 55
    case 1:
      return static_cast<long>(selector & 0x3F) + 40;  // around the rules' numbers
    case 2:
      return (selector & 1) != 0 ? __LONG_MAX__ : -__LONG_MAX__ - 1;
    default:
      return static_cast<long>(selector & 0x3F) * 1000 - 32000;
  }
}

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what);
  std::abort();
}

}  // namespace fuzz

#define FUZZ_CHECK(condition)                     \
  do {                                            \
    if (!(condition))                             \
      fuzz::Fail(#condition, __FILE__, __LINE__); \
  } while (false)
