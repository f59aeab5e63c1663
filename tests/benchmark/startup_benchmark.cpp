// Starts Movaro.exe and a minimal window program in turn (A B A B ...) and
// prints how long each takes to be ready for the user and how much memory it
// touches on the way, with the ratios of each pair. Neighbouring runs see the
// same machine load, so the per-pair ratio is steadier than either time.
//   movaro_startup_benchmark MOVARO_EXE MINIMAL_EXE [PAIRS]
// Exit code 0 when every run showed its window and ended with exit code 0,
// whatever the figures; 1 otherwise.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWarmUpPairs = 1;
constexpr int kDefaultPairs = 15;
constexpr DWORD kReadyTimeoutMs = 20000;
constexpr double kStartupTarget = 1.10;
constexpr double kWorkingSetTarget = 1.25;

struct Subject {
  const char* name;
  std::string path;
  const char* className;
};

struct Run {
  double startupMs = 0;
  double peakWorkingSetKb = 0;
  double privateKb = 0;
};

double Now(const LARGE_INTEGER& frequency) {
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// FindWindow alone could return another process's window of the class, such as a
// Movaro.exe left running by someone else.
HWND VisibleWindowOf(DWORD processId, const char* className) {
  for (HWND window = ::FindWindowExA(nullptr, nullptr, className, nullptr); window != nullptr;
       window = ::FindWindowExA(nullptr, window, className, nullptr)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == processId && ::IsWindowVisible(window)) {
      return window;
    }
  }
  return nullptr;
}

// The text of the status bar's second part (index 1). It must land in the bar's
// own process, and Wine counts SB_GETTEXTLENGTH in characters, hence the
// generous buffer.
class StatusReader {
 public:
  explicit StatusReader(HANDLE process) : process_(process) {}
  ~StatusReader() {
    if (remote_ != nullptr) {
      ::VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    }
  }
  StatusReader(const StatusReader&) = delete;
  StatusReader& operator=(const StatusReader&) = delete;

  std::string Read(HWND window) {
    const HWND bar = ::FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr);
    if (bar == nullptr) {
      return {};
    }
    if (remote_ == nullptr) {
      remote_ = ::VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
    }
    char text[kSize] = {};
    DWORD_PTR ignored = 0;
    if (remote_ == nullptr ||
        !::SendMessageTimeoutA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(remote_),
                               SMTO_ABORTIFHUNG, 5000, &ignored) ||
        !::ReadProcessMemory(process_, remote_, text, kSize - 1, nullptr)) {
      return {};
    }
    return text;
  }

 private:
  static constexpr SIZE_T kSize = 4096;
  HANDLE process_;
  void* remote_ = nullptr;
};

// Movaro's second part reads "1" until its start-up check has written the result.
bool Ready(const std::string& statusText) { return !statusText.empty() && statusText != "1"; }

bool MeasureOnce(const Subject& subject, const LARGE_INTEGER& frequency, Run& run) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + subject.path + "\"";
  const double started = Now(frequency);
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    std::printf("error: cannot start %s (error %lu)\n", subject.path.c_str(), ::GetLastError());
    return false;
  }
  ::CloseHandle(process.hThread);

  bool ready = false;
  HWND window = nullptr;
  {
    StatusReader status(process.hProcess);
    while (Now(frequency) - started < kReadyTimeoutMs) {
      window = VisibleWindowOf(process.dwProcessId, subject.className);
      if (window != nullptr && Ready(status.Read(window))) {
        run.startupMs = Now(frequency) - started;
        ready = true;
        break;
      }
      if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
        break;
      }
    }
  }
  if (!ready) {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process.hProcess, &code);
    if (code == STILL_ACTIVE) {
      std::printf("error: %s did not show a ready window within %lu ms\n", subject.name,
                  kReadyTimeoutMs);
      ::TerminateProcess(process.hProcess, 99);
      ::WaitForSingleObject(process.hProcess, 5000);
    } else {
      std::printf("error: %s ended with exit code %lu before showing a ready window\n",
                  subject.name, code);
    }
    ::CloseHandle(process.hProcess);
    return false;
  }

  // The first paint belongs to the start-up. Wine reports zeros, and
  // success, once the process has ended, so the window must still be up.
  bool ok = true;
  ::WaitForInputIdle(process.hProcess, 5000);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters) ||
      counters.PeakWorkingSetSize == 0) {
    std::printf("error: no memory counters for %s (error %lu)\n", subject.name, ::GetLastError());
    ok = false;
  }
  run.peakWorkingSetKb = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
  run.privateKb = static_cast<double>(counters.PagefileUsage) / 1024.0;
  ::PostMessageA(window, WM_CLOSE, 0, 0);

  if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    std::printf("error: %s did not end after WM_CLOSE\n", subject.name);
    ::TerminateProcess(process.hProcess, 99);
    ::WaitForSingleObject(process.hProcess, 5000);
    ok = false;
  } else if (DWORD code = STILL_ACTIVE;
             ::GetExitCodeProcess(process.hProcess, &code) && code != 0) {
    std::printf("error: %s ended with exit code %lu\n", subject.name, code);
    ok = false;
  }
  ::CloseHandle(process.hProcess);
  return ok;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintRow(const char* label, const std::vector<double>& values) {
  const auto [least, most] = std::minmax_element(values.begin(), values.end());
  std::printf("  %-10s %10.1f %10.1f %10.1f\n", label, Median(values), *least, *most);
}

void PrintRatio(const char* label, const std::vector<double>& ratios, double target) {
  const double median = Median(ratios);
  std::printf("  %-18s %6.3f   target <= %.2f   %s\n", label, median, target,
              median <= target ? "met" : "NOT MET");
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc < 3) {
    std::printf("usage: %s MOVARO_EXE MINIMAL_EXE [PAIRS]\n", argv[0]);
    return 2;
  }
  const int pairs = argc > 3 ? std::atoi(argv[3]) : kDefaultPairs;
  if (pairs < 1) {
    std::printf("error: PAIRS must be at least 1\n");
    return 2;
  }
  const Subject movaro{"Movaro", argv[1], "MovaroMainWindow"};
  const Subject minimal{"minimal", argv[2], "MovaroMinimalWindow"};
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);

  std::vector<Run> movaroRuns;
  std::vector<Run> minimalRuns;
  std::printf("%d warm-up pair(s), then %d pairs; times in ms, peak working set in KB\n",
              kWarmUpPairs, pairs);
  for (int pair = -kWarmUpPairs; pair < pairs; ++pair) {
    Run a;
    Run b;
    if (!MeasureOnce(movaro, frequency, a) || !MeasureOnce(minimal, frequency, b)) {
      return 1;
    }
    std::printf("%s %2d: Movaro %7.1f ms %8.0f KB | minimal %7.1f ms %8.0f KB\n",
                pair < 0 ? "warm-up" : "pair   ", pair < 0 ? -pair : pair + 1, a.startupMs,
                a.peakWorkingSetKb, b.startupMs, b.peakWorkingSetKb);
    if (pair >= 0) {
      movaroRuns.push_back(a);
      minimalRuns.push_back(b);
    }
  }

  std::vector<double> movaroTimes, minimalTimes, movaroMemory, minimalMemory, movaroPrivate,
      minimalPrivate, timeRatios, memoryRatios;
  for (std::size_t i = 0; i < movaroRuns.size(); ++i) {
    movaroTimes.push_back(movaroRuns[i].startupMs);
    minimalTimes.push_back(minimalRuns[i].startupMs);
    movaroMemory.push_back(movaroRuns[i].peakWorkingSetKb);
    minimalMemory.push_back(minimalRuns[i].peakWorkingSetKb);
    movaroPrivate.push_back(movaroRuns[i].privateKb);
    minimalPrivate.push_back(minimalRuns[i].privateKb);
    timeRatios.push_back(movaroRuns[i].startupMs / minimalRuns[i].startupMs);
    memoryRatios.push_back(movaroRuns[i].peakWorkingSetKb / minimalRuns[i].peakWorkingSetKb);
  }
  std::printf("\nstart-up to a ready window (ms)\n  %-10s %10s %10s %10s\n", "", "median", "min",
              "max");
  PrintRow("Movaro", movaroTimes);
  PrintRow("minimal", minimalTimes);
  std::printf("peak working set (KB)\n  %-10s %10s %10s %10s\n", "", "median", "min", "max");
  PrintRow("Movaro", movaroMemory);
  PrintRow("minimal", minimalMemory);
  // Under Wine the working set is the whole Unix process's resident memory,
  // Wine's shared libraries included; its private part (Wine counts resident
  // anonymous memory as page-file usage) is closer to the program's own share.
  std::printf("private bytes, for information (KB)\n  %-10s %10s %10s %10s\n", "", "median", "min",
              "max");
  PrintRow("Movaro", movaroPrivate);
  PrintRow("minimal", minimalPrivate);
  std::printf("Movaro / minimal, median of the %d per-pair ratios\n", pairs);
  PrintRatio("start-up", timeRatios, kStartupTarget);
  PrintRatio("peak working set", memoryRatios, kWorkingSetTarget);
  return 0;
}
