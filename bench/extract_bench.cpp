// Putting 200 names in front of a 50 MB day's file, against copying that
// file once, and the peak working set of it all. Prints figures only.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"

namespace {

using quillory::LineBlock;
using quillory::win32::FileHandle;
using quillory::win32::Utf8;
using quillory::win32::Win32Services;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kDayFileBytes = 50u << 20;
constexpr int kNames = 200;
constexpr int kRuns = 3;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double PeakWorkingSetMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

// Lines like those of a real day's file, written a megabyte at a time.
bool MakeDayFile(const std::wstring& path) {
    std::string chunk;
    for (int line = 0; chunk.size() < (1u << 20); ++line) chunk += "IMG_20261208_" + std::to_string(line) + ".jpg\r\n";
    chunk.resize(1u << 20);
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (std::size_t written = 0; file && written < kDayFileBytes; written += chunk.size()) {
        DWORD done = 0;
        if (!WriteFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &done, nullptr)) return false;
    }
    return static_cast<bool>(file);
}

bool Flush(const std::wstring& path) {
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file && FlushFileBuffers(file.Get());
}

// The extraction flushes its file before it takes the day's file's place; a
// copy does not, so the copy is also timed with a flush, for comparison.
double BestCopyMs(const std::wstring& from, const std::wstring& to, bool flush) {
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        if (!CopyFileW(from.c_str(), to.c_str(), FALSE) || (flush && !Flush(to))) return -1;
        best = std::min(best, Milliseconds(Clock::now() - start));
    }
    return best;
}

// Each run starts again from the original 50 MB file.
double BestInsertMs(Win32Services& services, const std::wstring& original, const std::wstring& day,
                    const LineBlock& block) {
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        if (!CopyFileW(original.c_str(), day.c_str(), FALSE)) return -1;
        const auto start = Clock::now();
        if (!services.InsertLine(Utf8(day), block)) return -1;
        best = std::min(best, Milliseconds(Clock::now() - start));
    }
    return best;
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"quillory-extract-bench-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring original = folder + L"\\original.txt", copy = folder + L"\\copy.txt",
                       day = folder + L"\\2026-12-08.txt";
    if (!CreateDirectoryW(folder.c_str(), nullptr) || !MakeDayFile(original)) {
        std::printf("cannot make the day's file in the temporary folder\n");
        return 1;
    }
    std::printf("working set before: peak %.1f MB\n", PeakWorkingSetMegabytes());

    Win32Services services(Utf8(folder));
    LineBlock block;
    for (int i = 1; i <= kNames; ++i) block.names.push_back("照片_" + std::to_string(i) + ".jpg");

    const double copyMs = BestCopyMs(original, copy, false);
    const double flushedCopyMs = BestCopyMs(original, copy, true);
    std::printf("copy of the 50 MB day's file (CopyFileW, the limit): %8.1f ms\n", copyMs);
    std::printf("the same copy, flushed to the disk:                 %8.1f ms\n", flushedCopyMs);
    int status = 0;
    for (const std::int32_t blankLines : {100, 100'000}) {
        block.blankLinesBefore = blankLines;
        const double insertMs = BestInsertMs(services, original, day, block);
        if (insertMs < 0) {
            std::printf("extraction with N = %d failed\n", blankLines);
            status = 1;
            continue;
        }
        std::printf("extraction of %d names, N = %-7d:               %8.1f ms   ratio %.2f (goal <= 1.5), "
                    "%.2f to the flushed copy\n",
                    kNames, blankLines, insertMs, insertMs / copyMs, insertMs / flushedCopyMs);
    }
    std::printf("peak working set: %.1f MB (goal <= 40 MB)\n", PeakWorkingSetMegabytes());

    for (const std::wstring& file : {original, copy, day}) DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
    return status;
}
