// Start-up of the editor against a minimal Qt Widgets program: the time from
// starting the process to its top-level window being mapped on the X server
// (found by its title through the server's MapNotify events, so neither
// program is changed or told it is measured), and the peak resident memory
// of the whole run (ru_maxrss from wait4 after the window is closed with
// WM_DELETE_WINDOW, as a window manager would). Needs an X display: run.sh
// starts Xvfb for it.
//
//   bench_startup ZOVEK MINIMAL_QT [ROUNDS [JAPANESE_LABEL_QT [BASELINE_ZOVEK]]]
//
// The optional third program (bench/minimal_qt/japanese_label.cpp) is the
// minimal window with one Japanese label in the editor's font, measured
// alongside: the least any window pays for showing Japanese text (font
// matching, loading the font file, shaping), so that the editor's own cost
// can be told from the cost of its text, in time and in peak memory (the
// font's glyph caches and the shaper's tables count there too).
//
// The optional fifth program is the editor built from an earlier revision
// (run.sh builds it from ZOVEK_BENCH_BASELINE): a change is then measured
// against what it changed in the same run, with the quartiles of both.
//
// Each program is started once unmeasured first (libraries and font files
// into the page cache), then the programs take turns, ROUNDS times, so that
// a busy spell of the machine falls on all of them; medians are reported,
// with the quartiles of the editor's and the minimal program's times.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "BenchTiming.h"

extern char** environ;

namespace zb = zovek::bench;

namespace {

struct Sample {
  double seconds = 0;
  long peakKiB = 0;
};

class StartupProbe {
 public:
  explicit StartupProbe(const std::filesystem::path& dataHome) : dataHome_(dataHome) {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) throw std::runtime_error("no X display (set DISPLAY, or run under Xvfb)");
    root_ = DefaultRootWindow(display_);
    XSelectInput(display_, root_, SubstructureNotifyMask);
    netWmName_ = XInternAtom(display_, "_NET_WM_NAME", False);
    utf8_ = XInternAtom(display_, "UTF8_STRING", False);
    protocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
    deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  }
  ~StartupProbe() { XCloseDisplay(display_); }

  Sample Measure(const std::string& program, const std::string& title) {
    XSync(display_, True);  // forget events of earlier rounds
    const std::vector<std::string> env = Environment();
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

    const auto start = zb::Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
      throw std::runtime_error("cannot start " + program);
    }
    const Window window = WaitForWindow(title, 20.0);
    Sample sample;
    sample.seconds = zb::SecondsSince(start);
    if (window == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      throw std::runtime_error("no window titled \"" + title + "\" from " + program);
    }
    // Let it finish its first paint and settle before asking it to close.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Close(window);
    sample.peakKiB = Reap(pid);
    return sample;
  }

 private:
  std::vector<std::string> Environment() const {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("XDG_DATA_HOME=", 0) == 0 ||
          entry.rfind("XDG_RUNTIME_DIR=", 0) == 0) {
        continue;
      }
      env.push_back(entry);
    }
    env.push_back("QT_QPA_PLATFORM=xcb");
    env.push_back("XDG_DATA_HOME=" + dataHome_.string());  // the editor's lock and working copy stay here
    // The editor's request socket goes here too (a private folder, as it
    // requires) and goes with it; a start pays for listening on it.
    env.push_back("XDG_RUNTIME_DIR=" + dataHome_.string());
    return env;
  }

  std::string Title(Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display_, window, netWmName_, 0, 1024, False, utf8_, &type, &format, &items, &after,
                           &data) == Success &&
        data != nullptr) {
      title.assign(reinterpret_cast<const char*>(data), items);
    }
    if (data != nullptr) XFree(data);
    return title;
  }

  Window WaitForWindow(const std::string& title, double timeoutSeconds) {
    const auto start = zb::Clock::now();
    while (zb::SecondsSince(start) < timeoutSeconds) {
      while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == MapNotify && Title(event.xmap.window) == title) return event.xmap.window;
      }
      pollfd fd{ConnectionNumber(display_), POLLIN, 0};
      poll(&fd, 1, 50);
    }
    return 0;
  }

  void Close(Window window) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow_);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
  }

  static long Reap(pid_t pid) {
    rusage usage{};
    int status = 0;
    for (int i = 0; i < 500; ++i) {
      if (wait4(pid, &status, WNOHANG, &usage) == pid) return usage.ru_maxrss;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss;
  }

  std::filesystem::path dataHome_;
  Display* display_ = nullptr;
  Window root_ = 0;
  Atom netWmName_ = 0;
  Atom utf8_ = 0;
  Atom protocols_ = 0;
  Atom deleteWindow_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_startup ZOVEK MINIMAL_QT [ROUNDS [JAPANESE_LABEL_QT [BASELINE_ZOVEK]]]\n");
    return 64;
  }
  const std::string editor = argv[1];
  const std::string minimal = argv[2];
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 31;
  const std::string japanese = argc > 4 ? argv[4] : "";
  const std::string baseline = argc > 5 ? argv[5] : "";
  const std::string kEditorTitle = "Zovek セーブデータ変更ツール v1.02";
  const std::string kMinimalTitle = "minimal Qt window";
  const std::string kJapaneseTitle = "minimal Qt window, Japanese label";
  const auto dataHome = std::filesystem::temp_directory_path() / ("zovek-bench-startup-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dataHome);
  std::filesystem::permissions(dataHome, std::filesystem::perms::owner_all);  // as a runtime dir must be

  try {
    StartupProbe probe(dataHome);
    // One unmeasured start of each loads the libraries and fonts into the cache.
    probe.Measure(minimal, kMinimalTitle);
    probe.Measure(editor, kEditorTitle);
    if (!japanese.empty()) probe.Measure(japanese, kJapaneseTitle);
    if (!baseline.empty()) probe.Measure(baseline, kEditorTitle);
    std::vector<double> editorTimes, minimalTimes, editorPeaks, minimalPeaks, japaneseTimes, japanesePeaks;
    std::vector<double> baselineTimes, baselinePeaks;
    for (int round = 0; round < rounds; ++round) {
      const Sample m = probe.Measure(minimal, kMinimalTitle);
      const Sample e = probe.Measure(editor, kEditorTitle);
      if (!japanese.empty()) {
        const Sample j = probe.Measure(japanese, kJapaneseTitle);
        japaneseTimes.push_back(j.seconds);
        japanesePeaks.push_back(static_cast<double>(j.peakKiB));
      }
      if (!baseline.empty()) {
        const Sample b = probe.Measure(baseline, kEditorTitle);
        baselineTimes.push_back(b.seconds);
        baselinePeaks.push_back(static_cast<double>(b.peakKiB));
      }
      minimalTimes.push_back(m.seconds);
      minimalPeaks.push_back(static_cast<double>(m.peakKiB));
      editorTimes.push_back(e.seconds);
      editorPeaks.push_back(static_cast<double>(e.peakKiB));
    }
    const double et = zb::Median(editorTimes), mt = zb::Median(minimalTimes);
    const double ep = zb::Median(editorPeaks), mp = zb::Median(minimalPeaks);
    std::printf("start-up: %d rounds; median to window mapped (quartiles): editor %.1f ms (%.1f-%.1f), "
                "minimal Qt %.1f ms (%.1f-%.1f); peak RSS: editor %.1f MiB, minimal Qt %.1f MiB\n",
                rounds, et * 1e3, zb::Quantile(editorTimes, 0.25) * 1e3, zb::Quantile(editorTimes, 0.75) * 1e3,
                mt * 1e3, zb::Quantile(minimalTimes, 0.25) * 1e3, zb::Quantile(minimalTimes, 0.75) * 1e3, ep / 1024,
                mp / 1024);
    zb::PrintResult("start-up to window shown", zb::Format("%.1f ms", et * 1e3), zb::Format("%.1f ms", mt * 1e3),
                    et / mt, "<= 1.25", "minimal Qt Widgets program, same tree");
    zb::PrintResult("start-up peak memory", zb::Format("%.1f MiB", ep / 1024), zb::Format("%.1f MiB", mp / 1024),
                    ep / mp, "-", "ru_maxrss of the whole run");
    if (!japaneseTimes.empty()) {
      const double jt = zb::Median(japaneseTimes), jp = zb::Median(japanesePeaks);
      std::printf("Japanese label: median to window mapped (quartiles) %.1f ms (%.1f-%.1f); peak RSS (quartiles) "
                  "%.1f MiB (%.1f-%.1f), the editor %.1f MiB (%.1f-%.1f)\n",
                  jt * 1e3, zb::Quantile(japaneseTimes, 0.25) * 1e3, zb::Quantile(japaneseTimes, 0.75) * 1e3,
                  jp / 1024, zb::Quantile(japanesePeaks, 0.25) / 1024, zb::Quantile(japanesePeaks, 0.75) / 1024,
                  ep / 1024, zb::Quantile(editorPeaks, 0.25) / 1024, zb::Quantile(editorPeaks, 0.75) / 1024);
      zb::PrintResult("start-up, one Japanese label only", zb::Format("%.1f ms", jt * 1e3),
                      zb::Format("%.1f ms", mt * 1e3), jt / mt, "-", "the minimal window plus one label in the editor's font");
      zb::PrintResult("start-up against the Japanese-label window", zb::Format("%.1f ms", et * 1e3),
                      zb::Format("%.1f ms", jt * 1e3), et / jt, "-", "the editor's own window, its text's cost set aside");
      zb::PrintResult("peak memory, one Japanese label only", zb::Format("%.1f MiB", jp / 1024),
                      zb::Format("%.1f MiB", mp / 1024), jp / mp, "-", "ru_maxrss, against the minimal window");
      zb::PrintResult("peak memory against the Japanese-label window", zb::Format("%.1f MiB", ep / 1024),
                      zb::Format("%.1f MiB", jp / 1024), ep / jp, "-", "the editor's own memory, its font's set aside");
    }
    if (!baselineTimes.empty()) {
      const double bt = zb::Median(baselineTimes), bp = zb::Median(baselinePeaks);
      std::printf("baseline: median to window mapped (quartiles): this build %.1f ms (%.1f-%.1f), baseline build "
                  "%.1f ms (%.1f-%.1f); peak RSS (quartiles): this build %.1f MiB (%.1f-%.1f), baseline build "
                  "%.1f MiB (%.1f-%.1f)\n",
                  et * 1e3, zb::Quantile(editorTimes, 0.25) * 1e3, zb::Quantile(editorTimes, 0.75) * 1e3, bt * 1e3,
                  zb::Quantile(baselineTimes, 0.25) * 1e3, zb::Quantile(baselineTimes, 0.75) * 1e3, ep / 1024,
                  zb::Quantile(editorPeaks, 0.25) / 1024, zb::Quantile(editorPeaks, 0.75) / 1024, bp / 1024,
                  zb::Quantile(baselinePeaks, 0.25) / 1024, zb::Quantile(baselinePeaks, 0.75) / 1024);
      zb::PrintResult("start-up against the baseline build", zb::Format("%.1f ms", et * 1e3),
                      zb::Format("%.1f ms", bt * 1e3), et / bt, "-", "the editor built from ZOVEK_BENCH_BASELINE");
      zb::PrintResult("peak memory against the baseline build", zb::Format("%.1f MiB", ep / 1024),
                      zb::Format("%.1f MiB", bp / 1024), ep / bp, "-", "the editor built from ZOVEK_BENCH_BASELINE");
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_startup: %s\n", e.what());
    std::filesystem::remove_all(dataHome);
    return 1;
  }
  std::filesystem::remove_all(dataHome);
  return 0;
}
