// Listing a folder of 100,000 files in the check-list, against a bare
// FindFirstFileExW loop over it; the three selection commands over the
// 100,000 items; the peak working set of it all. Prints figures only.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/actions.h"
#include "app/event_table.h"
#include "app/globals.h"
#include "app/layout.h"
#include "browse/win32/check_list_control.h"
#include "browse/win32/directory_box_control.h"
#include "browse/win32/drive_box_control.h"
#include "platform/fake/fake_controls.h"
#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_services.h"
#include "skin/fake/fake_skin_library.h"

namespace {

using namespace quillory;
using namespace quillory::win32;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 100'000;
constexpr int kRuns = 5;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double PeakWorkingSetMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

std::wstring FileName(int index) {
    // Now and then a name outside ASCII, as in a real photo folder.
    return (index % 10 == 0 ? L"照片_" : L"IMG_20261208_") + std::to_wstring(index) + L".jpg";
}

// Wine looks a new name up without regard to case by reading the whole
// folder, which makes 100,000 files an hour's work; a folder's Unix path it
// looks up exactly. Elsewhere the folder is used as it is.
std::wstring FolderForMaking(const std::wstring& folder) {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unixPath = unixFileName ? unixFileName(folder.c_str()) : nullptr;
    if (!unixPath) return folder;
    std::wstring path = L"\\\\?\\unix" + Wide(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

bool MakeFiles(const std::wstring& folder) {
    if (!CreateDirectoryW(folder.c_str(), nullptr)) return false;
    const std::wstring making = FolderForMaking(folder);
    for (int index = 0; index < kFiles; ++index) {
        const FileHandle file(CreateFileW((making + L"\\" + FileName(index)).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
    }
    return true;
}

void RemoveFiles(const std::wstring& folder) {
    const std::wstring making = FolderForMaking(folder);
    for (int index = 0; index < kFiles; ++index) DeleteFileW((making + L"\\" + FileName(index)).c_str());
    RemoveDirectoryW(folder.c_str());
}

int BareLoop(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const FindHandle search(FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoBasic, &entry,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    int count = 0;
    if (search) {
        do ++count;
        while (FindNextFileW(search.Get(), &entry));
    }
    return count;
}

template <typename Step>
double TimeMs(Step step) {
    const auto start = Clock::now();
    step();
    return Milliseconds(Clock::now() - start);
}

struct Best {
    double ms = 1e300;
    void Take(double candidate) { ms = std::min(ms, candidate); }
};

// The window the controls live in; it hands their notifications back to them
// as the main window does.
std::vector<ChildControl*> hosted;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_NOTIFY) {
        for (ChildControl* control : hosted) {
            LRESULT result = 0;
            if (control->OnReflectedMessage(message, wParam, lParam, result)) return result;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeHostWindow() {
    WNDCLASSEXW host{};
    host.cbSize = sizeof host;
    host.lpfnWndProc = HostProcedure;
    host.hInstance = GetModuleHandleW(nullptr);
    host.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    host.lpszClassName = L"QuilloryScanBench";
    RegisterClassExW(&host);
    return CreateWindowExW(0, host.lpszClassName, L"scan bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 440, 320,
                           nullptr, nullptr, host.hInstance, nullptr);
}

// Every message the work caused, the list's painting included.
void Settle(HWND window) {
    UpdateWindow(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"quillory-scan-bench-" + std::to_wstring(GetCurrentProcessId());
    const auto makeStart = Clock::now();
    if (!MakeFiles(folder)) {
        std::printf("cannot make %d files in the temporary folder\n", kFiles);
        RemoveFiles(folder);
        return 1;
    }
    std::printf("made %d files in %.1f s\n", kFiles, Milliseconds(Clock::now() - makeStart) / 1000);

    const HWND window = MakeHostWindow();
    Actions* actions = nullptr;
    const auto raise = [&](ControlId id) {
        return [&actions, id](Event event) {
            if (actions) Dispatch(*actions, SourceId(id), event);
        };
    };
    DriveBoxControl drives(window, RowOf(ControlId::驱动器框文件名提取), nullptr, raise(ControlId::驱动器框文件名提取));
    DirectoryBoxControl folders(window, RowOf(ControlId::目录框文件名提取), nullptr, raise(ControlId::目录框文件名提取));
    ControlRow listRow = RowOf(ControlId::选择列表框文件列表);
    listRow.left = 200;
    CheckListControl fileList(window, listRow, nullptr, raise(ControlId::选择列表框文件列表));
    hosted = {&drives, &folders, &fileList};
    fake::FakeText blankLines{"1"}, storageLabel;
    fake::FakeRadio forward{false}, reverse{true};
    Controls controls{drives, folders, fileList, blankLines, forward, reverse, storageLabel};
    Win32Services services(ExecutableFolder());
    fake::FakeMainWindow mainWindow;
    fake::FakeSkinLibrary skin;
    Globals globals;
    Actions bound(services, controls, mainWindow, skin, globals);
    actions = &bound;
    Settle(window);

    // Taken in turns, so that a busy machine weighs on both alike.
    int found = 0;
    Best bare, scan, change, none, all, invert;
    double barePeak = 0;  // the window and one bare loop: what any program listing the folder needs
    for (int run = 0; run < kRuns; ++run) {
        bare.Take(TimeMs([&] { found = BareLoop(folder); }));
        if (run == 0) barePeak = PeakWorkingSetMegabytes();
        change.Take(TimeMs([&] {
            folders.SetCurrentFolder(Utf8(folder));
            Settle(window);
        }));
        scan.Take(TimeMs([&] {
            bound.FolderScan();
            Settle(window);
        }));
        none.Take(TimeMs([&] { bound.SelectNone(), Settle(window); }));
        all.Take(TimeMs([&] { bound.SelectAll(), Settle(window); }));
        invert.Take(TimeMs([&] { bound.Invert(), Settle(window); }));
    }
    std::printf("bare FindFirstFileExW loop over %d entries (the limit): %7.1f ms\n", found, bare.ms);
    std::printf("folder scan into the check-list, table included:     %7.1f ms   ratio %.2f (goal <= 1.5)\n",
                scan.ms, scan.ms / bare.ms);
    std::printf("the whole folder change (directory box, then scan):  %7.1f ms   ratio %.2f\n", change.ms,
                change.ms / bare.ms);
    std::printf("select none over %d items: %5.1f ms (goal <= 50 ms)\n", fileList.ListCount(), none.ms);
    std::printf("select all over %d items:  %5.1f ms (goal <= 50 ms)\n", fileList.ListCount(), all.ms);
    std::printf("invert over %d items:      %5.1f ms (goal <= 50 ms)\n", fileList.ListCount(), invert.ms);
    bound.FolderScan();
    std::printf("after a scan: %d items, listed-file count %d, table slot 200 \"%s\"\n", fileList.ListCount(),
                static_cast<int>(globals.listedFileCount), globals.fileNames.Slot(200).c_str());
    std::printf("peak working set: %.1f MB (goal <= 40 MB); after the window and one bare loop: %.1f MB\n",
                PeakWorkingSetMegabytes(), barePeak);

    actions = nullptr;
    RemoveFiles(folder);
    return 0;
}
