#pragma once
#include <string>

namespace platform::qt {

// Empty when the X server that DISPLAY names answers; otherwise why it does not.
std::string XDisplayProblem();

}  // namespace platform::qt
