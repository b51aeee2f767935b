// What the user waits for, through the real window: a folder of 100,000 files
// and a few subfolders dropped on the program's window, from the drop until
// the check-list holds every item and the directory box the subfolders,
// against a bare FindFirstFileExW loop over the same folder in the same run;
// the three selection commands and F5 over the 100,000 items; the window
// while a file is made in the folder every second; and the working set the
// names add, each measured in a program of its own. Prints figures only.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "ui/ids.h"
#include "app/win32/program.h"
#include "browse/folder_chain.h"
#include "platform/win32/encoding.h"
#include "platform/win32/handles.h"

namespace {

using namespace quillory;
using namespace quillory::win32;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 100'000;
constexpr int kSubfolders = 3;
constexpr int kRuns = 5;
constexpr int kWorkingSetRuns = 2;
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
    for (int index = 0; index < kSubfolders; ++index) {
        if (!CreateDirectoryW((making + L"\\" + SubfolderName(index)).c_str(), nullptr)) return false;
    }
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

// The block the shell posts for a drop: a DROPFILES header, then the wide
// path, ended by a NUL and the list by one more.
HGLOBAL DropBlock(const std::wstring& path) {
    const HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::copy(path.begin(), path.end(), reinterpret_cast<wchar_t*>(header + 1));
    GlobalUnlock(block);
    return block;
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

    // Every message the work caused, the painting included.
    void Settle() {
        for (;;) {
            if (IsWindow(window_)) RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) program_.Deliver(message);
            if (program_.Settled()) return;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }

    void Drop(const std::wstring& folder) {
        SendMessageW(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock(folder)), 0);
        Settle();
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

double PeakWorkingSetMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

// What a process of its own holds at its peak.
enum class Measured { ProgramOnAnEmptyFolder, ProgramAndBareLoop, ProgramOnTheFolder };

// The program started and an empty folder (one of the subfolders) dropped on
// it; then nothing more, a bare loop over the folder, or the folder dropped
// too. The peak working set in KB is the exit code.
int MeasureWorkingSet(Measured what, const std::wstring& folder, const std::wstring& programFolder) {
    {
        RunningProgram program(programFolder);
        program.Drop(folder + L"\\" + SubfolderName(0));
        if (what == Measured::ProgramAndBareLoop) BareLoop(folder);
        if (what == Measured::ProgramOnTheFolder) program.Drop(folder);
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
void MeasureTheWorkingSetGrowth(const std::wstring& folder, const std::wstring& programFolder) {
    const double alone = LeastWorkingSetOf(Measured::ProgramOnAnEmptyFolder, folder, programFolder);
    const double bare = LeastWorkingSetOf(Measured::ProgramAndBareLoop, folder, programFolder);
    const double listed = LeastWorkingSetOf(Measured::ProgramOnTheFolder, folder, programFolder);
    std::printf("peak working set of the program on an empty folder: %.1f MB; on %d files: %.1f MB\n", alone, kFiles,
                listed);
    std::printf("  growth for %d names: %.1f MB (goal <= 6 MB), of which a bare loop alone takes %.1f MB\n", kFiles,
                listed - alone, bare - alone);
    std::printf("  the program's own share beyond the bare loop: %.1f MB (%.0f bytes a name)\n", listed - bare,
                (listed - bare) * (1 << 20) / kFiles);
}

void TimeTheFolderChange(const std::wstring& folder, const std::wstring& programFolder) {
    RunningProgram program(programFolder);
    // Taken in turns, so that a busy machine weighs on both alike.
    int found = 0;
    Best bare, change, none, all, invert, relist;
    for (int run = 0; run < kRuns; ++run) {
        bare.Take(TimeMs([&] { found = BareLoop(folder); }));
        change.Take(TimeMs([&] { program.Drop(folder); }));
        none.Take(TimeMs([&] { program.Choose(Command::SelectNone); }));
        all.Take(TimeMs([&] { program.Choose(Command::SelectAll); }));
        invert.Take(TimeMs([&] { program.Choose(Command::Invert); }));
        // Every name unticked: the most the re-list has to remember.
        relist.Take(TimeMs([&] { program.Choose(Command::Relist); }));
    }
    std::printf("bare FindFirstFileExW loop over %d entries (the limit):   %7.1f ms\n", found, bare.value);
    std::printf("folder change through the window, drop to both boxes full: %7.1f ms   ratio %.2f (goal <= 1.3)\n",
                change.value, change.value / bare.value);
    std::printf("  the check-list holds %d items, the directory box %d subfolders\n", program.ListedItems(),
                program.ShownSubfolders(folder));
    std::printf("select none over %d items: %5.1f ms (goal <= 50 ms)\n", program.ListedItems(), none.value);
    std::printf("select all over %d items:  %5.1f ms (goal <= 50 ms)\n", program.ListedItems(), all.value);
    std::printf("invert over %d items:      %5.1f ms (goal <= 50 ms)\n", program.ListedItems(), invert.value);
    std::printf("F5 over %d unticked items: %7.1f ms   ratio to the folder change %.2f\n", program.ListedItems(),
                relist.value, relist.value / change.value);
}

// A file made every second for a while: the longest the window is kept from
// the user's input by one message, and how often the list was listed again.
void TimeAChangeEverySecond(const std::wstring& folder, const std::wstring& programFolder) {
    constexpr int kChanges = 6;
    RunningProgram program(programFolder);
    program.Drop(folder);
    const std::wstring making = FolderForMaking(folder);
    double longest = 0;
    int relists = 0;
    int shown = program.ListedItems();
    for (int change = 0; change < kChanges; ++change) {
        const std::wstring added = making + L"\\added-" + std::to_wstring(change) + L".txt";
        CloseHandle(CreateFileW(added.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        for (const auto second = Clock::now(); Clock::now() - second < std::chrono::seconds(1);) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            longest = std::max(longest, TimeMs([&] { program.Settle(); }));
            if (program.ListedItems() != shown) ++relists, shown = program.ListedItems();
        }
    }
    std::printf("a file made every second for %d s over %d files: %d re-lists, the window busy at most %.1f ms at a time\n",
                kChanges, kFiles, relists, longest);
    for (int change = 0; change < kChanges; ++change) {
        DeleteFileW((making + L"\\added-" + std::to_wstring(change) + L".txt").c_str());
    }
}

}  // namespace

int main() {
    int argumentCount = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &argumentCount);
    if (argumentCount == 5 && std::wstring(arguments[1]) == kWorkingSetSwitch) {
        return MeasureWorkingSet(static_cast<Measured>(_wtoi(arguments[2])), arguments[3], arguments[4]);
    }

    const std::wstring folder = TempFolder(L"full");
    const auto makeStart = Clock::now();
    if (!MakeFiles(folder)) {
        std::printf("cannot make %d files in the temporary folder\n", kFiles);
        RemoveFiles(folder);
        return 1;
    }
    std::printf("made %d files and %d subfolders in %.1f s\n", kFiles, kSubfolders,
                Milliseconds(Clock::now() - makeStart) / 1000);
    const std::wstring programFolder = MakeProgramFolder();

    TimeTheFolderChange(folder, programFolder);
    TimeAChangeEverySecond(folder, programFolder);
    MeasureTheWorkingSetGrowth(folder, programFolder);

    RemoveTree(programFolder);
    RemoveFiles(folder);
    return 0;
}
