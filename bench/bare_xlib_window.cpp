// The platform's floor: an Xlib window of the program's collapsed size that draws one block where
// the others have their "open" button, and closes on request.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr)
    return 1;
  const int screen = DefaultScreen(display);
  const Window window =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 928, 152, 0,
                          BlackPixel(display, screen), WhitePixel(display, screen));
  XStoreName(display, window, "Bare Xlib");
  Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &deleteWindow, 1);
  const long pid = getpid();
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  XSelectInput(display, window, ExposureMask);
  const GC gc = XCreateGC(display, window, 0, nullptr);
  XMapWindow(display, window);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == Expose && event.xexpose.count == 0) {
      // A button-like block where the others have their "open" button.
      XSetForeground(display, gc, BlackPixel(display, screen));
      XFillRectangle(display, window, gc, 721, 16, 50, 40);
      XFlush(display);
    }
    if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
      break;
  }
  XFreeGC(display, gc);
  XDestroyWindow(display, window);
  XCloseDisplay(display);
  return 0;
}
