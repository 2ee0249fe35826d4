// Starts a program under the benchmark's X display and measures it from outside: the
// time from start to its first top-level window mapped, the time until a window title
// contains a given text, and optionally the total PSS of the program and all its child
// processes some time after that.
//   probe TITLE_TEXT SETTLE_MS -- PROGRAM ARGS...
// prints "map_ms title_ms pss_kib" (pss_kib is 0 when SETTLE_MS is 0), or fails after
// 60 seconds without a mapped window and the title.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string WindowTitle(Display* display, Window window) {
  static const Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
  static const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  for (Atom property : {net_wm_name, static_cast<Atom>(XA_WM_NAME)}) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 4096, False,
                           property == net_wm_name ? utf8 : AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
      std::string title(reinterpret_cast<char*>(data), count);
      XFree(data);
      if (!title.empty()) return title;
    }
  }
  return {};
}

// The process and every descendant, found through each process's parent in /proc.
std::vector<pid_t> ProcessTree(pid_t root) {
  std::map<pid_t, std::vector<pid_t>> children;
  if (DIR* proc = opendir("/proc")) {
    while (dirent* entry = readdir(proc)) {
      const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
      if (pid <= 0) continue;
      std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
      std::string line;
      std::getline(stat, line);
      const auto close = line.rfind(')');
      if (close == std::string::npos) continue;
      std::istringstream rest(line.substr(close + 2));
      char state;
      pid_t parent;
      rest >> state >> parent;
      children[parent].push_back(pid);
    }
    closedir(proc);
  }
  std::vector<pid_t> tree{root};
  for (std::size_t i = 0; i < tree.size(); ++i)
    for (pid_t child : children[tree[i]]) tree.push_back(child);
  return tree;
}

long PssKib(pid_t pid) {
  std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
  std::string key;
  long value;
  while (rollup >> key) {
    if (key == "Pss:" && rollup >> value) return value;
    rollup.ignore(4096, '\n');
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || std::strcmp(argv[3], "--") != 0) {
    std::fprintf(stderr, "usage: probe TITLE_TEXT SETTLE_MS -- PROGRAM ARGS...\n");
    return 2;
  }
  const std::string wanted = argv[1];
  const int settle_ms = std::atoi(argv[2]);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "probe: no X display\n");
    return 2;
  }
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    setpgid(0, 0);
    execvp(argv[4], argv + 4);
    _exit(127);
  }
  setpgid(child, child);

  auto elapsed_ms = [&] {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  };
  double map_ms = -1, title_ms = -1;
  // Every title seen goes to standard error with its time, for a look at the sequence.
  std::string last_title;
  auto check_title = [&](Window window) {
    const std::string title = WindowTitle(display, window);
    if (title != last_title) {
      last_title = title;
      std::fprintf(stderr, "%.1f ms: title \"%s\"\n", elapsed_ms(), title.c_str());
    }
    if (title_ms < 0 && title.find(wanted) != std::string::npos) title_ms = elapsed_ms();
  };
  const auto deadline = start + std::chrono::seconds(60);
  while ((title_ms < 0 || map_ms < 0) && Clock::now() < deadline) {
    if (!XPending(display)) {
      pollfd fd{ConnectionNumber(display), POLLIN, 0};
      poll(&fd, 1, 50);
      if (!XPending(display)) continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == CreateNotify) {
      XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask);
      check_title(event.xcreatewindow.window);
    } else if (event.type == MapNotify && event.xmap.event == root &&
               !event.xmap.override_redirect) {
      if (map_ms < 0) {
        map_ms = elapsed_ms();
        std::fprintf(stderr, "%.1f ms: mapped\n", map_ms);
      }
      check_title(event.xmap.window);
    } else if (event.type == PropertyNotify) {
      check_title(event.xproperty.window);
    }
  }

  long pss_kib = 0;
  if (title_ms >= 0 && map_ms >= 0 && settle_ms > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(settle_ms));
    // Each process's share goes to standard error, for a look at where memory goes.
    for (pid_t pid : ProcessTree(child)) {
      const long kib = PssKib(pid);
      pss_kib += kib;
      std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
      std::string name;
      std::getline(comm, name);
      std::fprintf(stderr, "%d %s %ld KiB\n", pid, name.c_str(), kib);
    }
  }

  // Ends what this probe started: the program, then any of its children left behind.
  const std::vector<pid_t> tree = ProcessTree(child);
  kill(-child, SIGTERM);
  for (pid_t pid : tree) kill(pid, SIGTERM);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  for (pid_t pid : tree) kill(pid, SIGKILL);
  waitpid(child, nullptr, 0);
  XCloseDisplay(display);

  if (title_ms < 0 || map_ms < 0) {
    std::fprintf(stderr, "probe: no mapped window titled with \"%s\" within 60 s\n",
                 wanted.c_str());
    return 1;
  }
  std::printf("%.1f %.1f %ld\n", map_ms, title_ms, pss_kib);
  return 0;
}
