#pragma once
// The GB18030 mapping where it is not arithmetic (gb18030_tables.cpp is generated).
#include <cstdint>

namespace gb18030 {

inline constexpr int kLeadCount = 126;   // lead bytes 81 ... FE
inline constexpr int kTrailCount = 190;  // trail bytes 40 ... 7E and 80 ... FE

// The character of each two-byte code, lead by lead; 0 where it lies beyond the BMP.
extern const std::uint16_t kTwoByteBmp[kLeadCount * kTrailCount];

struct TwoByteSupplementary {
  std::uint16_t code;  // lead byte, trail byte
  char32_t character;
};
extern const TwoByteSupplementary kTwoByteSupplementary[6];

// A run of four-byte codes of the BMP whose characters follow one another. A code's linear index
// counts from 81 30 81 30: ((b1 - 0x81) * 10 + b2 - 0x30) * 1260 + (b3 - 0x81) * 10 + b4 - 0x30.
struct FourByteRange {
  std::uint16_t firstIndex;
  char16_t firstCharacter;
  std::uint16_t count;
};
extern const FourByteRange kFourByteBmpRanges[210];

}  // namespace gb18030
