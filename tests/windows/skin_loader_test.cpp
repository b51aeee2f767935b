// The loader of the skin library, against a spy library that logs its calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>

#include "platform/win32/encoding.h"
#include "skin/win32/loaded_skin_library.h"
#include "support/test_folder.h"

namespace quillory::win32 {
namespace {

using testing::ReadBytes;
using testing::TestFolder;
using testing::WriteBytes;

std::wstring SpyLibraryPath() { return L"Z:" + Wide(QUILLORY_SPY_SKIN_DLL); }

// A program folder with a Chinese name, so the library's path must travel wide.
class ProgramFolder {
public:
    ProgramFolder() : path_(folder_ / L"程序") { std::filesystem::create_directories(path_ + L"\\PLXE"); }

    std::string Utf8Path() const { return Utf8(path_); }
    std::wstring LibraryPath() const { return path_ + L"\\PLXE\\SkinH_EL.dll"; }
    std::string CallLog() const { return ReadBytes(path_ + L"\\PLXE\\skin_calls.log"); }
    void InstallSpy() const { ASSERT_TRUE(CopyFileW(SpyLibraryPath().c_str(), LibraryPath().c_str(), FALSE)); }
    const std::wstring& Path() const { return path_; }

private:
    TestFolder folder_;
    std::wstring path_;
};

bool IsLoaded(const std::wstring& path) { return GetModuleHandleW(path.c_str()) != nullptr; }

TEST(LoadedSkinLibrary, HandsEveryCallWithItsArgumentsToTheLibrary) {
    ProgramFolder program;
    program.InstallSpy();
    {
        LoadedSkinLibrary library(program.Utf8Path());
        library.SkinH_Attach();
        library.SkinH_AttachEx("PLXE\\skinh.she", "");
        library.SkinH_AdjustHSV(-30, 12, -40);
        library.SkinH_AttachEx("皮肤\\蓝.she", "密码");  // reaches the library in the ANSI code page, GBK
        library.SkinH_AdjustHSV(std::numeric_limits<std::int32_t>::min(), 0, std::numeric_limits<std::int32_t>::max());
    }
    EXPECT_EQ(program.CallLog(),
              "SkinH_Attach()\r\n"
              "SkinH_AttachEx(\"PLXE\\skinh.she\", \"\")\r\n"
              "SkinH_AdjustHSV(-30, 12, -40)\r\n"
              "SkinH_AttachEx(\"\xC6\xA4\xB7\xF4\\\xC0\xB6.she\", \"\xC3\xDC\xC2\xEB\")\r\n"
              "SkinH_AdjustHSV(-2147483648, 0, 2147483647)\r\n");
}

TEST(LoadedSkinLibrary, WithoutTheLibraryInTheSideFolderEveryCallDoesNothing) {
    ProgramFolder program;
    // Beside the program and in the current folder, but not in PLXE: not the one to load.
    const std::wstring besideProgram = program.Path() + L"\\SkinH_EL.dll";
    ASSERT_TRUE(CopyFileW(SpyLibraryPath().c_str(), besideProgram.c_str(), FALSE));
    wchar_t previousFolder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previousFolder);
    SetCurrentDirectoryW(program.Path().c_str());

    LoadedSkinLibrary library(program.Utf8Path());
    library.SkinH_Attach();
    library.SkinH_AttachEx("PLXE\\skinh.she", "");
    library.SkinH_AdjustHSV(55, 0, 0);
    SetCurrentDirectoryW(previousFolder);

    EXPECT_FALSE(IsLoaded(besideProgram));
    EXPECT_EQ(ReadBytes(program.Path() + L"\\skin_calls.log"), "");
    EXPECT_EQ(program.CallLog(), "");
}

TEST(LoadedSkinLibrary, ALibraryLackingOneFunctionStillGetsTheOthers) {
    ProgramFolder program;
    // The spy with one export's name changed in its export table.
    std::string bytes = ReadBytes(SpyLibraryPath());
    const std::string exportName("SkinH_AdjustHSV\0", 16);
    const auto at = bytes.find(exportName);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, exportName.size(), std::string("SkinH_AdjustXYZ\0", 16));
    WriteBytes(program.LibraryPath(), bytes);

    LoadedSkinLibrary library(program.Utf8Path());
    library.SkinH_Attach();
    library.SkinH_AttachEx("PLXE\\skinh.she", "");
    library.SkinH_AdjustHSV(55, 0, 0);
    EXPECT_EQ(program.CallLog(), "SkinH_Attach()\r\nSkinH_AttachEx(\"PLXE\\skinh.she\", \"\")\r\n");
}

TEST(LoadedSkinLibrary, HoldsTheLibraryAsLongAsItLives) {
    ProgramFolder program;
    program.InstallSpy();
    {
        LoadedSkinLibrary library(program.Utf8Path());
        library.SkinH_Attach();
        EXPECT_TRUE(IsLoaded(program.LibraryPath()));
    }
    EXPECT_FALSE(IsLoaded(program.LibraryPath()));
}

}  // namespace
}  // namespace quillory::win32
