#include "platform/qt/display_probe.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace platform::qt {

namespace {

xcb_connection_t* probe = nullptr;

}  // namespace

std::string ConnectXDisplay() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0')
    return "no display: DISPLAY is not set";
  ReleaseXDisplay();
  probe = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(probe) != 0) {
    ReleaseXDisplay();
    return std::string("no display: the X server ") + display + " cannot be reached";
  }
  return {};
}

void ReleaseXDisplay() {
  if (probe != nullptr)
    xcb_disconnect(probe);
  probe = nullptr;
}

}  // namespace platform::qt
