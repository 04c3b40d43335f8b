#include "platform/qt/display_probe.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace platform::qt {

std::string XDisplayProblem() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0')
    return "no display: DISPLAY is not set";
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool failed = xcb_connection_has_error(connection) != 0;
  xcb_disconnect(connection);
  if (failed)
    return std::string("no display: the X server ") + display + " cannot be reached";
  return {};
}

}  // namespace platform::qt
