// The started program with the shipped skin, at the default colour shift and
// turned by -120 degrees: saved as pictures beside this test program (under
// build/) for a person to look at, and checked for what a picture can show.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/encoding.h"
#include "support/test_folder.h"
#include "support/process_start.h"

namespace quillory::win32 {
namespace {

using testing::StartProcess;
using testing::TestFolder;
using testing::WriteBytes;

constexpr COLORREF kDarkRed = RGB(128, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

std::wstring WindowsPath(const std::string& path) {
    std::wstring wide = L"Z:" + Wide(path);
    std::ranges::replace(wide, L'/', L'\\');
    return wide;
}

std::filesystem::path PictureFolder() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).parent_path() / L"skin-screenshots";
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top

    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }

    // White aside: the lists and boxes that the program keeps white.
    COLORREF MostFrequentColour() const {
        std::map<COLORREF, int> counts;
        for (COLORREF pixel : pixels) {
            if (pixel != RGB(255, 255, 255)) ++counts[pixel];
        }
        return std::ranges::max_element(counts, {}, [](const auto& entry) { return entry.second; })->first;
    }

    int Count(COLORREF colour) const { return static_cast<int>(std::ranges::count(pixels, colour)); }

    // Nothing painted there: a square of black, larger than a text stroke or a radio button's dot.
    bool HasBlackSquare(int side) const {
        for (int y = 0; y + side <= height; ++y) {
            for (int x = 0; x + side <= width; ++x) {
                bool black = true;
                for (int dy = 0; dy < side && black; ++dy) {
                    for (int dx = 0; dx < side && black; ++dx) black = At(x + dx, y + dy) == kBlack;
                }
                if (black) return true;
            }
        }
        return false;
    }

    // 32-bit, top-down.
    void Save(const std::filesystem::path& file) const {
        BITMAPINFOHEADER info{sizeof info, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        constexpr DWORD headersSize = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        const auto bitsSize = static_cast<DWORD>(pixels.size() * 4);
        BITMAPFILEHEADER header{0x4D42, headersSize + bitsSize, 0, 0, headersSize};
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        out.write(reinterpret_cast<const char*>(&info), sizeof info);
        for (COLORREF pixel : pixels) {
            const unsigned char bgra[4] = {GetBValue(pixel), GetGValue(pixel), GetRValue(pixel), 0xFF};
            out.write(reinterpret_cast<const char*>(bgra), 4);
        }
    }
};

Picture CaptureScreen(const RECT& area) {
    Picture picture{area.right - area.left, area.bottom - area.top, {}};
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.width, picture.height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> bits(static_cast<std::size_t>(picture.width * picture.height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(picture.height), bits.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (const RGBQUAD& bit : bits) picture.pixels.push_back(RGB(bit.rgbRed, bit.rgbGreen, bit.rgbBlue));
    return picture;
}

// The program, copied with the skin library and the shipped skin into a
// program folder of its own and started there as a process of its own.
class StartedProgram {
public:
    explicit StartedProgram(const std::string& settings) {
        std::filesystem::create_directories(folder_ / L"PLXE");
        const std::wstring exe = folder_ / L"Quillory.exe";
        EXPECT_TRUE(CopyFileW(WindowsPath(QUILLORY_EXE_PATH).c_str(), exe.c_str(), FALSE));
        EXPECT_TRUE(CopyFileW(WindowsPath(QUILLORY_SKIN_DLL).c_str(), (folder_ / L"PLXE\\SkinH_EL.dll").c_str(), FALSE));
        EXPECT_TRUE(CopyFileW(WindowsPath(std::string(QUILLORY_DIST_DIR) + "/PLXE/skinh.she").c_str(),
                              (folder_ / L"PLXE\\skinh.she").c_str(), FALSE));
        if (!settings.empty()) WriteBytes(folder_ / L"PLXE\\PLXE.ini", settings);

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + exe + L"\"";
        if (!StartProcess(exe.c_str(), commandLine.data(), FALSE, 0, folder_.Path().c_str(), &startup, &process_)) {
            ADD_FAILURE() << "cannot start the program, error " << GetLastError();
            return;
        }
        WaitForInputIdle(process_.hProcess, 30000);
        for (int round = 0; round < 300 && !window_; ++round) {
            EnumWindows(&StartedProgram::MatchWindow, reinterpret_cast<LPARAM>(this));
            if (!window_) Sleep(100);
        }
    }
    ~StartedProgram() {
        if (!process_.hProcess) return;
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    HWND Window() const { return window_; }

    // The menu bar and the client area once the painting has settled; Wine
    // leaves the title bar to the window manager, which Xvfb has not.
    Picture Capture() const {
        Picture previous;
        for (int round = 0; round < 50; ++round) {
            Sleep(200);
            Picture current = CaptureScreen(MenuAndClient());
            if (current.pixels == previous.pixels) return current;
            previous = std::move(current);
        }
        return previous;
    }

    RECT ClientOnScreen() const {
        RECT client;
        GetClientRect(window_, &client);
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return client;
    }

private:
    static BOOL CALLBACK MatchWindow(HWND window, LPARAM self) {
        auto* program = reinterpret_cast<StartedProgram*>(self);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != program->process_.dwProcessId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) {
            return TRUE;
        }
        program->window_ = window;
        return FALSE;
    }

    // Menus belong to their process under Wine, so the bar's height is the system's.
    RECT MenuAndClient() const {
        RECT area = ClientOnScreen();
        area.top -= GetSystemMetrics(SM_CYMENU);
        return area;
    }

    TestFolder folder_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

std::string HueSetting(const char* hue) {
    // Section and key in the ANSI code page, GBK, as the settings file stores them.
    return std::string("[\xC6\xA4\xB7\xF4\xD1\xD5\xC9\xAB\xB1\xE4\xBB\xAF-\xC9\xAB\xB5\xF7]\r\n\xC9\xAB\xB5\xF7=") + hue +
           "\r\n";
}

bool IsGrey(COLORREF colour) { return GetRValue(colour) == GetGValue(colour) && GetGValue(colour) == GetBValue(colour); }

TEST(SkinScreenshots, ShowTheShippedSkinAtTheDefaultShiftAndTurnedByMinus120) {
    std::filesystem::create_directories(PictureFolder());
    Picture pictures[2];
    const char* names[2] = {"shipped-skin.bmp", "hue-minus-120.bmp"};
    const std::string settings[2] = {"", HueSetting("-120")};
    for (int shot = 0; shot < 2; ++shot) {
        StartedProgram program(settings[shot]);
        ASSERT_NE(program.Window(), nullptr);
        pictures[shot] = program.Capture();
        pictures[shot].Save(PictureFolder() / names[shot]);

        const Picture& picture = pictures[shot];
        SCOPED_TRACE(names[shot]);
        EXPECT_FALSE(picture.HasBlackSquare(8)) << "an unpainted area";
        EXPECT_FALSE(IsGrey(picture.MostFrequentColour())) << "the background is not the skin's";
        EXPECT_GT(picture.Count(kDarkRed), 50) << "the captions lost their dark red";
    }
    EXPECT_NE(pictures[0].MostFrequentColour(), pictures[1].MostFrequentColour());
}

}  // namespace
}  // namespace quillory::win32
