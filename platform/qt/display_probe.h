#pragma once
#include <string>

namespace platform::qt {

// Connects to the X server that DISPLAY names: empty when it answers, otherwise why it does not.
// The connection stays open until ReleaseXDisplay, after the toolkit has made its own: an X
// server whose last client leaves resets itself, and refuses connections while it does.
std::string ConnectXDisplay();
void ReleaseXDisplay();

}  // namespace platform::qt
