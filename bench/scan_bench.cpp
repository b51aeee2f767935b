// What the user waits for, through the real window, in a folder of 100,000
// files and a few subfolders (or as many as QUILLORY_BENCH_FILES says):
// from the paste until the check-list holds every item and the directory box
// the subfolders, against a bare FindFirstFileExW loop over the same folder
// in the same run; the three selection commands and F5 over every item; one
// file added, and 100 files a second for 10 seconds; and the longest the
// window kept a message from another thread waiting through each of them.
// Then the working set the names add, each measured in a program of its own.
// Then a tree of 100,000 files (or as many as QUILLORY_BENCH_TREE_FILES says),
// 100 to a folder, listed with 包含子文件夹 against a bare recursive loop.
// Last 3,000 files on the test share (tools/test-share.sh), each call to it a
// millisecond late: the first names after the paste, the listing against a
// bare loop over the share, and the window while the share stops answering.
// Prints figures only.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "ui/ids.h"
#include "app/win32/program.h"
#include "browse/folder_chain.h"
#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"
#include "support/clipboard.h"
#include "support/many_files.h"
#include "support/test_share.h"
#include "support/window_pinger.h"

namespace {

using namespace quillory;
using namespace quillory::win32;
using testing::FolderForMaking;
using testing::WindowPinger;
using Clock = std::chrono::steady_clock;

constexpr int kDefaultFiles = 100'000;
constexpr int kDefaultTreeFiles = 100'000;
constexpr int kTreeFilesAFolder = 100;
constexpr int kTreeFoldersAFolder = 100;
constexpr int kSubfolders = 3;
constexpr int kRuns = 3;
constexpr int kWorkingSetRuns = 2;
constexpr int kShareFiles = 3'000;
constexpr DWORD kShareStopped = 3000;  // milliseconds
constexpr int kAddedEachSecond = 100;
constexpr int kAddingSeconds = 10;
constexpr wchar_t kWorkingSetSwitch[] = L"--working-set";

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

template <typename Step>
double TimeMs(Step step) {
    const auto start = Clock::now();
    step();
    return Milliseconds(Clock::now() - start);
}

struct Best {
    double value = 1e300;
    void Take(double candidate) { value = std::min(value, candidate); }
};

struct Worst {
    double value = 0;
    void Take(double candidate) { value = std::max(value, candidate); }
};

int FilesToMake(const wchar_t* variable, int otherwise) {
    wchar_t count[32] = L"";
    if (!GetEnvironmentVariableW(variable, count, 32)) return otherwise;
    return std::max(1, _wtoi(count));
}

std::wstring TempFolder(const std::wstring& stem) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"quillory-scan-bench-" + stem + L"-" + std::to_wstring(GetCurrentProcessId());
}

std::wstring FileName(int index) {
    // Now and then a name outside ASCII, as in a real photo folder.
    return (index % 10 == 0 ? L"照片_" : L"IMG_20261208_") + std::to_wstring(index) + L".jpg";
}

std::wstring SubfolderName(int index) { return L"相册 " + std::to_wstring(index); }
std::wstring InnerFolderName(int index) { return L"第 " + std::to_wstring(index) + L" 卷"; }
std::wstring AddedName(int index) { return L"added-" + std::to_wstring(index) + L".txt"; }

bool MakeFolder(const std::wstring& folder, int files) {
    if (!CreateDirectoryW(folder.c_str(), nullptr)) return false;
    const std::wstring making = FolderForMaking(folder);
    for (int index = 0; index < kSubfolders; ++index) {
        if (!CreateDirectoryW((making + L"\\" + SubfolderName(index)).c_str(), nullptr)) return false;
    }
    return testing::MakeEmptyFiles(folder, files, FileName);
}

void RemoveFolder(const std::wstring& folder, int files) {
    const std::wstring making = FolderForMaking(folder);
    for (int index = 0; index < files; ++index) DeleteFileW((making + L"\\" + FileName(index)).c_str());
    for (int index = 0; index < kSubfolders; ++index) RemoveDirectoryW((making + L"\\" + SubfolderName(index)).c_str());
    RemoveDirectoryW(folder.c_str());
}

// A small tree: the shell removes it in one call.
void RemoveTree(const std::wstring& folder) {
    const std::wstring paths = folder + L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = paths.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

// A program folder with the shipped side folder, so the window is the one
// the user sees, skin and all.
std::wstring MakeProgramFolder() {
    const std::wstring folder = TempFolder(L"program");
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\PLXE").c_str(), nullptr);
    std::wstring dist = L"Z:" + Wide(QUILLORY_DIST_DIR);
    std::replace(dist.begin(), dist.end(), L'/', L'\\');
    for (const wchar_t* file : {L"\\PLXE\\SkinH_EL.dll", L"\\PLXE\\skinh.she"}) {
        CopyFileW((dist + file).c_str(), (folder + file).c_str(), FALSE);
    }
    return folder;
}

bool IsDots(const wchar_t* name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

// The tree's folders of files, each named by its path below the tree.
std::wstring TreeFolder(int index) {
    return SubfolderName(index / kTreeFoldersAFolder) + L"\\" + InnerFolderName(index % kTreeFoldersAFolder);
}

// Made aside and moved in once whole, so a tree found under its name is
// whole; what an interrupted run left aside goes first.
bool MakeTree(const std::wstring& tree, int files) {
    const std::wstring aside = tree + L"-making";
    RemoveTree(aside);
    if (!CreateDirectoryW(aside.c_str(), nullptr)) return false;
    const std::wstring making = FolderForMaking(aside);
    const int folders = (files + kTreeFilesAFolder - 1) / kTreeFilesAFolder;
    for (int folder = 0; folder < folders; ++folder) {
        if (folder % kTreeFoldersAFolder == 0) {
            CreateDirectoryW((making + L"\\" + SubfolderName(folder / kTreeFoldersAFolder)).c_str(), nullptr);
        }
        const int first = folder * kTreeFilesAFolder;
        if (!CreateDirectoryW((making + L"\\" + TreeFolder(folder)).c_str(), nullptr) ||
            !testing::MakeEmptyFiles(aside + L"\\" + TreeFolder(folder), std::min(kTreeFilesAFolder, files - first),
                                     [&](int index) { return FileName(first + index); })) {
            return false;
        }
    }
    return MoveFileW(aside.c_str(), tree.c_str());
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

// Every file below the folder, found as a walk that only counts them finds them.
int BareTreeLoop(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const FindHandle search(FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoBasic, &entry,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    int count = 0;
    for (bool found = bool(search); found; found = FindNextFileW(search.Get(), &entry)) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ++count;
        } else if (!IsDots(entry.cFileName)) {
            count += BareTreeLoop(folder + L"\\" + entry.cFileName);
        }
    }
    return count;
}

// The program on its own window, driven as the user drives it.
class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& programFolder)
        : program_(Utf8(programFolder), SW_SHOWNORMAL, {}), window_(program_.Window().Handle()) {
        Settle();
    }
    ~RunningProgram() {
        program_.Window().CloseMainWindow();
        Settle();
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    HWND Window() const { return window_; }

    // Every message waiting now, the painting included.
    void Pump() {
        if (IsWindow(window_)) RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) program_.Deliver(message);
    }
    // Until no listing runs and no change on disk waits to be shown.
    void Settle() {
        for (Pump(); !program_.Settled(); Pump()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    // Until `done` holds.
    template <typename Done>
    void PumpUntil(Done done) {
        for (Pump(); !done(); Pump()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }

    // As Ctrl+V gives the path on the clipboard to the window.
    void Paste(const std::wstring& folder) {
        PasteOnly(folder);
        Settle();
    }
    // The paste handed over; the path is checked, and the listing started, in the background.
    void PasteOnly(const std::wstring& folder) {
        testing::PutTextOnClipboard(folder);
        SendMessageW(window_, WM_PASTE, 0, 0);
    }

    void Choose(Command command) {
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(static_cast<int>(command), 0), 0);
        Settle();
    }

    int ListedItems() const { return ListView_GetItemCount(Control(ControlId::选择列表框文件列表)); }

    // The rows below the current folder's.
    int ShownSubfolders(const std::wstring& folder) const {
        const HWND rows = GetWindow(Control(ControlId::目录框文件名提取), GW_CHILD);
        return static_cast<int>(SendMessageW(rows, LB_GETCOUNT, 0, 0)) -
               static_cast<int>(FolderChain(Utf8(folder)).size());
    }

private:
    HWND Control(ControlId id) const {
        const int identifier = static_cast<int>(id);
        if (const HWND onWindow = GetDlgItem(window_, identifier)) return onWindow;
        for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (const HWND inBox = GetDlgItem(child, identifier)) return inBox;
        }
        return nullptr;
    }

    Program program_;
    HWND window_;
};

// The step's time, and the longest another thread waited for the window meanwhile.
struct Watched {
    double milliseconds;
    double longestWait;
};

template <typename Step>
Watched Watch(const RunningProgram& program, Step step) {
    const WindowPinger pinger(program.Window());
    const double milliseconds = TimeMs(step);
    return {milliseconds, pinger.LongestWait()};
}

void MeasureTheListing(RunningProgram& program, const std::wstring& folder, int files) {
    // Taken in turns, so that a busy machine weighs on both alike.
    int found = 0;
    Best bare, listing, none, all, invert, relist;
    Worst listingWait, relistWait;
    for (int run = 0; run < kRuns; ++run) {
        bare.Take(TimeMs([&] { found = BareLoop(folder); }));
        const Watched pasted = Watch(program, [&] { program.Paste(folder); });
        listing.Take(pasted.milliseconds);
        listingWait.Take(pasted.longestWait);
        none.Take(TimeMs([&] { program.Choose(Command::SelectNone); }));
        all.Take(TimeMs([&] { program.Choose(Command::SelectAll); }));
        invert.Take(TimeMs([&] { program.Choose(Command::Invert); }));
        // Every name unticked: the most the re-list has to keep.
        program.Choose(Command::SelectNone);
        const Watched relisted = Watch(program, [&] { program.Choose(Command::Relist); });
        relist.Take(relisted.milliseconds);
        relistWait.Take(relisted.longestWait);
    }
    std::printf("bare FindFirstFileExW loop over %d entries:           %8.1f ms\n", found, bare.value);
    std::printf("listing through the window, paste to both boxes full: %8.1f ms   ratio %.2f (goal <= 1.1)\n",
                listing.value, listing.value / bare.value);
    std::printf("  the check-list holds %d items, the directory box %d subfolders\n", program.ListedItems(),
                program.ShownSubfolders(folder));
    std::printf("  the window kept another thread waiting at most %.1f ms (goal <= 100 ms)\n", listingWait.value);
    std::printf("select none / all / invert over %d items: %.1f / %.1f / %.1f ms (goal <= 50 ms)\n", files, none.value,
                all.value, invert.value);
    std::printf("F5 over %d unticked items: %.1f ms, the window answering within %.1f ms (goal <= 100 ms)\n", files,
                relist.value, relistWait.value);
}

// Files made in the shown folder while the window goes on: one, then a
// steady stream from another thread.
void MeasureTheLiveList(RunningProgram& program, const std::wstring& folder, int files) {
    program.Paste(folder);
    const std::wstring making = FolderForMaking(folder);
    const auto make = [&](int index) {
        CloseHandle(CreateFileW((making + L"\\" + AddedName(index)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    const Watched one = Watch(program, [&] {
        make(0);
        program.PumpUntil([&] { return program.ListedItems() == files + 1; });
    });
    std::printf("one file added: in the list after %.1f ms (goal <= 1000 ms), the window answering within %.1f ms\n",
                one.milliseconds, one.longestWait);

    constexpr int kAdded = kAddedEachSecond * kAddingSeconds;
    std::atomic<Clock::time_point> lastMade{};
    double lastShownAfter = 0;
    const Watched stream = Watch(program, [&] {
        std::jthread maker([&] {
            const auto start = Clock::now();
            for (int index = 1; index <= kAdded; ++index) {
                std::this_thread::sleep_until(start + std::chrono::milliseconds(1000 * index / kAddedEachSecond));
                if (index == kAdded) lastMade = Clock::now();
                make(index);
            }
        });
        program.PumpUntil([&] { return program.ListedItems() == files + 1 + kAdded; });
        lastShownAfter = Milliseconds(Clock::now() - lastMade.load());
    });
    std::printf("%d files a second for %d s: the window answering within %.1f ms (goal <= 100 ms), the last in the "
                "list %.1f ms after it was made\n",
                kAddedEachSecond, kAddingSeconds, stream.longestWait, lastShownAfter);
    for (int index = 0; index <= kAdded; ++index) DeleteFileW((making + L"\\" + AddedName(index)).c_str());
    program.Settle();
}

double PeakWorkingSetMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

// What a process of its own holds at its peak.
enum class Measured { ProgramOnAnEmptyFolder, ProgramAndBareLoop, ProgramOnTheFolder };

// The program started and an empty folder (one of the subfolders) pasted in
// it; then nothing more, a bare loop over the folder, or the folder pasted
// too. The peak working set in KB is the exit code.
int MeasureWorkingSet(Measured what, const std::wstring& folder, const std::wstring& programFolder) {
    {
        RunningProgram program(programFolder);
        program.Paste(folder + L"\\" + SubfolderName(0));
        if (what == Measured::ProgramAndBareLoop) BareLoop(folder);
        if (what == Measured::ProgramOnTheFolder) program.Paste(folder);
    }
    return static_cast<int>(PeakWorkingSetMegabytes() * 1024);
}

double WorkingSetOf(Measured what, const std::wstring& folder, const std::wstring& programFolder) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + kWorkingSetSwitch + L" " +
                           std::to_wstring(static_cast<int>(what)) + L" \"" + folder + L"\" \"" + programFolder + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return 0;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD kilobytes = 0;
    GetExitCodeProcess(process.hProcess, &kilobytes);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return kilobytes / 1024.0;
}

double LeastWorkingSetOf(Measured what, const std::wstring& folder, const std::wstring& programFolder) {
    Best least;
    for (int run = 0; run < kWorkingSetRuns; ++run) least.Take(WorkingSetOf(what, folder, programFolder));
    return least.value;
}

// Wine reads a whole folder into memory of its own at the first look, so a
// bare loop has its share of the growth too; the program's share is the rest.
void MeasureTheWorkingSetGrowth(const std::wstring& folder, const std::wstring& programFolder, int files) {
    const double alone = LeastWorkingSetOf(Measured::ProgramOnAnEmptyFolder, folder, programFolder);
    const double bare = LeastWorkingSetOf(Measured::ProgramAndBareLoop, folder, programFolder);
    const double listed = LeastWorkingSetOf(Measured::ProgramOnTheFolder, folder, programFolder);
    std::printf("peak working set of the program on an empty folder: %.1f MB; on %d files: %.1f MB\n", alone, files,
                listed);
    std::printf("  growth for %d names: %.1f MB, of which a bare loop alone takes %.1f MB\n", files, listed - alone,
                bare - alone);
    std::printf("  the program's own share beyond the bare loop: %.1f MB (%.0f bytes a name)\n", listed - bare,
                (listed - bare) * (1 << 20) / files);
}

// The tree listed with 包含子文件夹, from a paste until the check-list holds
// every file; the option is set while a folder of its own is shown.
void MeasureTheTree(const std::wstring& tree, const std::wstring& programFolder, int files) {
    RunningProgram program(programFolder);
    program.Paste(tree + L"\\" + TreeFolder(0));
    program.Choose(Command::IncludeSubfolders);
    int found = 0;
    Best bare, listing;
    Worst listingWait;
    for (int run = 0; run < kRuns; ++run) {
        bare.Take(TimeMs([&] { found = BareTreeLoop(tree); }));
        const Watched pasted = Watch(program, [&] { program.Paste(tree); });
        listing.Take(pasted.milliseconds);
        listingWait.Take(pasted.longestWait);
    }
    std::printf("bare recursive FindFirstFileExW loop over %d files in %d folders: %8.1f ms\n", found,
                (files + kTreeFilesAFolder - 1) / kTreeFilesAFolder, bare.value);
    std::printf("the tree listed through the window with 包含子文件夹:      %8.1f ms   ratio %.2f (goal <= 1.2)\n",
                listing.value, listing.value / bare.value);
    std::printf("  the check-list holds %d items; the window kept another thread waiting at most %.1f ms (goal <= "
                "100 ms)\n",
                program.ListedItems(), listingWait.value);
}

// The share's calls are slow but its folder is small: the first names, the
// listing against a bare loop, and 3 s of a share that stopped answering
// while a listing reads it (the only time the share may stop: Wine's own
// server would wait for a file opened meanwhile).
void MeasureTheShare(const std::wstring& programFolder) {
    if (const std::wstring why = testing::TestShare::Missing(); !why.empty()) {
        std::printf("no test share: %ls\n", why.c_str());
        return;
    }
    const testing::TestShare share;
    if (!share.MakeFiles(kShareFiles, FileName)) {
        std::printf("cannot make %d files on the test share\n", kShareFiles);
        return;
    }
    // Shown before each paste, so that the first names are the share's: the
    // pasted path is checked in the background, and until then the list
    // still shows the share's names from the run before.
    const std::wstring empty = programFolder + L"\\empty";
    CreateDirectoryW(empty.c_str(), nullptr);
    RunningProgram program(programFolder);
    Best bare, listing;
    Worst firstNames, listingWait;
    for (int run = 0; run < kRuns; ++run) {
        bare.Take(TimeMs([&] { BareLoop(share.OnDrive()); }));
        program.Paste(empty);
        const Watched pasted = Watch(program, [&] {
            const auto start = Clock::now();
            program.PasteOnly(share.OnDrive());
            program.PumpUntil([&] { return program.ListedItems() > 0; });
            firstNames.Take(Milliseconds(Clock::now() - start));
            program.Settle();
        });
        listing.Take(pasted.milliseconds);
        listingWait.Take(pasted.longestWait);
    }
    program.Paste(empty);
    const Watched stopped = Watch(program, [&] {
        program.PasteOnly(share.OnDrive());
        program.PumpUntil([&] { return program.ListedItems() > 0; });
        share.Stop();
        const ULONGLONG end = GetTickCount64() + kShareStopped;
        program.PumpUntil([&] { return GetTickCount64() >= end; });
        share.Answer();
        program.Settle();
    });
    std::printf("on a share with 1 ms a call, %d files:\n", kShareFiles);
    std::printf("  the first names after the paste: %.1f ms at most (goal <= 250 ms)\n", firstNames.value);
    std::printf("  bare FindFirstFileExW loop: %.1f ms; listing through the window: %.1f ms   ratio %.2f (goal <= "
                "1.1)\n",
                bare.value, listing.value, listing.value / bare.value);
    std::printf("  the window kept another thread waiting at most %.1f ms while listing, %.1f ms while the share "
                "stopped answering for %.0f s (goal <= 100 ms)\n",
                listingWait.value, stopped.longestWait, kShareStopped / 1000.0);
}

// A tree made once: later runs find it under its name.
std::wstring KeptTree(int files) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring tree = std::wstring(temp) + L"quillory-scan-bench-tree-" + std::to_wstring(files);
    if (GetFileAttributesW(tree.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::printf("the tree of %d files made by an earlier run: %ls\n", files, tree.c_str());
        return tree;
    }
    const auto makeStart = Clock::now();
    if (!MakeTree(tree, files)) return {};
    std::printf("made a tree of %d files, kept for later runs, in %.1f s: %ls\n", files,
                Milliseconds(Clock::now() - makeStart) / 1000, tree.c_str());
    return tree;
}

}  // namespace

int main() {
    int argumentCount = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &argumentCount);
    if (argumentCount == 5 && std::wstring(arguments[1]) == kWorkingSetSwitch) {
        return MeasureWorkingSet(static_cast<Measured>(_wtoi(arguments[2])), arguments[3], arguments[4]);
    }

    const int files = FilesToMake(L"QUILLORY_BENCH_FILES", kDefaultFiles);
    const std::wstring folder = TempFolder(L"full");
    const auto makeStart = Clock::now();
    if (!MakeFolder(folder, files)) {
        std::printf("cannot make %d files in the temporary folder\n", files);
        RemoveFolder(folder, files);
        return 1;
    }
    std::printf("made %d files and %d subfolders in %.1f s\n", files, kSubfolders,
                Milliseconds(Clock::now() - makeStart) / 1000);
    const std::wstring programFolder = MakeProgramFolder();
    {
        RunningProgram program(programFolder);
        MeasureTheListing(program, folder, files);
        MeasureTheLiveList(program, folder, files);
    }
    MeasureTheWorkingSetGrowth(folder, programFolder, files);
    RemoveFolder(folder, files);

    const int treeFiles = FilesToMake(L"QUILLORY_BENCH_TREE_FILES", kDefaultTreeFiles);
    const std::wstring tree = KeptTree(treeFiles);
    if (!tree.empty()) MeasureTheTree(tree, programFolder, treeFiles);
    MeasureTheShare(programFolder);
    RemoveTree(programFolder);
    if (!tree.empty()) return 0;
    std::printf("cannot make a tree of %d files in the temporary folder\n", treeFiles);
    return 1;
}
