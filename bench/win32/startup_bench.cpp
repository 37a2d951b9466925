// Start-up of two Windows programs, alternating: the time from creating the
// process until its window is shown and the program waits for input, that
// is, has painted. Prints the medians and their ratio.
//
//   startup_bench_win32 PROGRAM BASELINE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

// A path as Wine shows the Unix file system: drive Z.
std::wstring WindowsPath(std::string path) {
    if (!path.empty() && path.front() == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return {path.begin(), path.end()};
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || IsWindowVisible(window) == FALSE) return TRUE;
    search->found = window;
    return FALSE;
}

// Milliseconds to a shown, idle window; the program is closed afterwards.
double StartUp(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const auto start = std::chrono::steady_clock::now();
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process) == FALSE) {
        std::fprintf(stderr, "cannot start %ls\n", program.c_str());
        std::exit(2);
    }
    Search search{process.dwProcessId, nullptr};
    while (search.found == nullptr) {
        EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    WaitForInputIdle(process.hProcess, 10000);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed.count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench_win32 PROGRAM BASELINE [ROUNDS]\n");
        return 2;
    }
    const std::wstring programs[] = {WindowsPath(argv[1]), WindowsPath(argv[2])};
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;
    std::vector<double> times[2];
    StartUp(programs[0]);  // warm the caches once each
    StartUp(programs[1]);
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < 2; ++i) {
            const int which = round % 2 == 0 ? i : 1 - i;
            times[which].push_back(StartUp(programs[which]));
        }
    }
    const double program = Median(times[0]);
    const double baseline = Median(times[1]);
    std::printf("Start-up under Wine, %d rounds each, alternating (medians):\n", rounds);
    std::printf("rongxi.exe    %8.1f ms\nbare window   %8.1f ms\n", program, baseline);
    std::printf("ratio rongxi/baseline: start-up %.3f (target <= 1.05)\n", program / baseline);
    return 0;
}
