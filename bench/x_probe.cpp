// Watches a program's window from outside, as a user's X server sees it: how long its event loop takes to
// answer, and the moment a part of the window is drawn anew.
//   x_probe ping WINDOW SECONDS      pings every 20 ms; prints "pings N median_ms M max_ms X"
//   x_probe answer WINDOW SECONDS    one ping; prints the wall-clock time of the answer (epoch seconds)
//   x_probe change WINDOW X Y W H SECONDS
//                                    prints "ready" once it holds the rectangle's pixels, then the
//                                    wall-clock time at which they first differ (epoch seconds)
// A window that pings with _NET_WM_PING answers from its event loop, so the time to answer is the time
// that loop is busy elsewhere: a freeze a user would feel. Exits 1 when nothing comes in time.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double epochSeconds()
{
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class Probe
{
public:
    explicit Probe(Window window) : m_display(XOpenDisplay(nullptr)), m_window(window)
    {
        if (m_display == nullptr) {
            std::fputs("x_probe: cannot open the display\n", stderr);
            std::exit(2);
        }
        m_root = DefaultRootWindow(m_display);
        m_protocols = XInternAtom(m_display, "WM_PROTOCOLS", False);
        m_ping = XInternAtom(m_display, "_NET_WM_PING", False);
        // The answer is sent to the root window for whoever watches its structure (or, in some
        // versions of the toolkit, its substructure).
        XSelectInput(m_display, m_root, StructureNotifyMask | SubstructureNotifyMask);
        XSync(m_display, False);
    }
    ~Probe() { XCloseDisplay(m_display); }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    // Milliseconds until the window answers one ping, or a negative number after timeoutMs.
    double ping(double timeoutMs)
    {
        const long serial = ++m_serial;
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = m_window;
        event.xclient.message_type = m_protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(m_ping);
        event.xclient.data.l[1] = serial; // the timestamp field, echoed back
        event.xclient.data.l[2] = static_cast<long>(m_window);
        const auto start = Clock::now();
        XSendEvent(m_display, m_window, False, NoEventMask, &event);
        XFlush(m_display);
        while (msSince(start) < timeoutMs) {
            while (XPending(m_display) > 0) {
                XNextEvent(m_display, &event);
                if (event.type == ClientMessage && event.xclient.message_type == m_protocols &&
                    static_cast<Atom>(event.xclient.data.l[0]) == m_ping && event.xclient.data.l[1] == serial)
                    return msSince(start);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return -1;
    }

    // The rectangle's pixels as the server holds them.
    std::vector<char> pixels(int x, int y, int width, int height)
    {
        XImage* image = XGetImage(m_display, m_window, x, y, width, height, AllPlanes, ZPixmap);
        if (image == nullptr) {
            std::fputs("x_probe: cannot read the window's pixels\n", stderr);
            std::exit(2);
        }
        std::vector<char> bytes(image->data, image->data + static_cast<long>(image->bytes_per_line) * height);
        XDestroyImage(image);
        return bytes;
    }

private:
    Display* m_display;
    Window m_window;
    Window m_root;
    Atom m_protocols;
    Atom m_ping;
    long m_serial = 0;
};

int pingFor(Probe& probe, double seconds)
{
    std::vector<double> latencies;
    const auto start = Clock::now();
    while (msSince(start) < seconds * 1000) {
        const double ms = probe.ping(10'000);
        if (ms < 0) {
            std::fputs("x_probe: no answer to a ping within 10 s\n", stderr);
            return 1;
        }
        latencies.push_back(ms);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("pings %zu median_ms %.2f max_ms %.2f\n", latencies.size(), latencies[latencies.size() / 2],
                latencies.back());
    return 0;
}

int answer(Probe& probe, double seconds)
{
    if (probe.ping(seconds * 1000) < 0) {
        std::fputs("x_probe: no answer in time\n", stderr);
        return 1;
    }
    std::printf("%.6f\n", epochSeconds());
    return 0;
}

int change(Probe& probe, int x, int y, int width, int height, double seconds)
{
    const std::vector<char> before = probe.pixels(x, y, width, height);
    std::puts("ready");
    std::fflush(stdout);
    const auto start = Clock::now();
    while (msSince(start) < seconds * 1000) {
        if (probe.pixels(x, y, width, height) != before) {
            std::printf("%.6f\n", epochSeconds());
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::fputs("x_probe: the rectangle did not change in time\n", stderr);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && (args[0] == "ping" || args[0] == "answer")) {
        Probe probe(std::strtoul(args[1].c_str(), nullptr, 0));
        const double seconds = std::atof(args[2].c_str());
        return args[0] == "ping" ? pingFor(probe, seconds) : answer(probe, seconds);
    }
    if (args.size() == 7 && args[0] == "change") {
        Probe probe(std::strtoul(args[1].c_str(), nullptr, 0));
        return change(probe, std::atoi(args[2].c_str()), std::atoi(args[3].c_str()), std::atoi(args[4].c_str()),
                      std::atoi(args[5].c_str()), std::atof(args[6].c_str()));
    }
    std::fputs("usage: x_probe ping|answer WINDOW SECONDS | x_probe change WINDOW X Y W H SECONDS\n", stderr);
    return 2;
}
