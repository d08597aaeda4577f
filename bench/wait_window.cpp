// Starts a program and prints the milliseconds from its start until a viewable window whose title begins
// with a given text exists on the X display, then ends the program. Used by bench/start_window.sh: one X
// connection watching events costs the measured program far less than starting a tool to poll.
// Usage: quillory_wait_window TITLE_PREFIX PROGRAM [ARGUMENT...]
// Exit status 1 when the program ends (or 60 seconds pass) before such a window is mapped.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

double Milliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Whether window or one of its descendants down to depth is viewable and titled with the prefix.
bool Found(Display* display, Window window, const std::string& prefix, int depth) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) return false;
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name != nullptr) {
    const bool match = std::strncmp(name, prefix.c_str(), prefix.size()) == 0;
    XFree(name);
    if (match) return true;
  }
  if (depth == 0) return false;
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return false;
  bool found = false;
  for (unsigned i = 0; i < count && !found; ++i) found = Found(display, children[i], prefix, depth - 1);
  if (children != nullptr) XFree(children);
  return found;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }  // windows vanish while the tree is read

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s TITLE_PREFIX PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);
  const std::string prefix = argv[1];

  const double start = Milliseconds();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  // Windows are looked for at every event on the root and at least every millisecond (a window manager
  // maps a frame first and the program's window inside it).
  bool found = false;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  while (!found && Milliseconds() - start < 60000) {
    if (waitpid(child, nullptr, WNOHANG) == child) break;
    poll(&connection, 1, 1);
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    found = Found(display, root, prefix, 3);
  }
  const double elapsed = Milliseconds() - start;
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  if (!found) {
    std::fprintf(stderr, "%s: no window \"%s\" was mapped\n", argv[0], prefix.c_str());
    return 1;
  }
  std::printf("%.0f\n", elapsed);
  return 0;
}
