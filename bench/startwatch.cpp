// Starts a program under X and measures, through X events rather than polling:
//   - the time from exec to the map of its window titled TITLE, and its peak resident memory
//     (VmHWM) at that moment;
//   - with --latency N, N times: the time from a Down key press (XTest) in its list to the
//     map of the window titled "Mensurio input box", which is then closed with Esc.
// Prints one line of key=value pairs; ends the program with SIGTERM.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string titleOf(Display* display, Window window)
{
    char* name = nullptr;
    std::string title;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

// Waits for the map (or, with unmap, the unmap) of a top-level window titled title. A program
// that crashed or hangs never maps it: after 30 seconds, or once the program has ended, this says
// so and stops the measurement.
Window waitFor(Display* display, pid_t pid, const std::string& title, bool unmap = false)
{
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    for (;;) {
        int status = 0;
        const bool ended = waitpid(pid, &status, WNOHANG) == pid;
        if (ended || Clock::now() > deadline) {
            std::fprintf(stderr, "startwatch: %s before the window \"%s\" was %s\n",
                         ended ? "the program ended" : "30 seconds passed", title.c_str(),
                         unmap ? "closed" : "shown");
            if (ended)
                std::fprintf(stderr, "startwatch: its status was %d\n",
                             WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
            else
                kill(pid, SIGKILL);
            std::exit(1);
        }
        if (!XPending(display)) {
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (!unmap && event.type == MapNotify && titleOf(display, event.xmap.window) == title)
            return event.xmap.window;
        if (unmap && event.type == UnmapNotify && titleOf(display, event.xunmap.window) == title)
            return event.xunmap.window;
        if (unmap && event.type == DestroyNotify)
            return event.xdestroywindow.window;
    }
}

long peakResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

void press(Display* display, KeySym key)
{
    const KeyCode code = XKeysymToKeycode(display, key);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
}

} // namespace

int main(int argc, char** argv)
{
    std::string title;
    int latencyRuns = 0;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (!std::strcmp(argv[i], "--title") && i + 1 < argc)
            title = argv[++i];
        else if (!std::strcmp(argv[i], "--latency") && i + 1 < argc)
            latencyRuns = std::atoi(argv[++i]);
    }
    if (title.empty() || i + 1 >= argc) {
        std::fprintf(stderr, "usage: startwatch --title TITLE [--latency N] -- PROGRAM [ARGS]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startwatch: no X display\n");
        return 2;
    }
    // A window can be gone by the time its title is asked for; that is no error here.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[i + 1], argv + i + 1);
        _exit(127);
    }
    const Window window = waitFor(display, pid, title);
    const double startup = msSince(start);
    const long peak = peakResidentKiB(pid);
    std::printf("startup_ms=%.2f peak_kib=%ld", startup, peak);

    std::vector<double> latencies;
    if (latencyRuns > 0) {
        // The focus starts on Exit; Tab takes it to the list.
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XSync(display, False);
        usleep(100000);
        press(display, XK_Tab);
    }
    for (int run = 0; run < latencyRuns; ++run) {
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XSync(display, False);
        usleep(100000); // let the focus settle in the program first
        const auto pressed = Clock::now();
        press(display, XK_Down);
        const Window box = waitFor(display, pid, "Mensurio input box");
        latencies.push_back(msSince(pressed));
        // Without a window manager nobody moves the focus to the box.
        XSetInputFocus(display, box, RevertToParent, CurrentTime);
        XSync(display, False);
        usleep(20000);
        press(display, XK_Escape);
        waitFor(display, pid, "Mensurio input box", true);
    }
    if (!latencies.empty()) {
        std::sort(latencies.begin(), latencies.end());
        std::printf(" latency_median_ms=%.2f latency_max_ms=%.2f", latencies[latencies.size() / 2],
                    latencies.back());
    }
    std::printf("\n");
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
