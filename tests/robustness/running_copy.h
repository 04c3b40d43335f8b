#pragma once
// The addresses that tivarel_running_copy opens, shared with the tests that check what it saved.
#include <string>

namespace running_copy {

// A B address whose query carries the round twice around padding bytes, so that a value cut
// short or mixed from two writes does not pass for a whole one.
inline std::string BAddress(long round, size_t padding) {
  const std::string number = std::to_string(round);
  return "https://www.bilibili.com/video/BV1xx411c7mD?n=" + number +
         "&pad=" + std::string(padding, static_cast<char>('a' + round % 26)) + "&end=" + number;
}

inline std::string XAddress(long round) {
  return "https://www.ixigua.com/7012345678901234567?round=" + std::to_string(round);
}

}  // namespace running_copy
