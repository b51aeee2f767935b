#include "browse/win32/directory_box_control.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browse/folder_chain.h"
#include "browse/folder_listing.h"
#include "platform/win32/encoding.h"
#include "platform/win32/win32_services.h"
#include "support/control_host.h"
#include "support/test_folder.h"

namespace quillory {
namespace {

using testing::ControlHost;
using testing::TestFolder;
using win32::DirectoryBoxControl;
using win32::Utf8;
using Rows = std::vector<std::string>;

void MakeFolder(const std::wstring& path) { ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << Utf8(path); }

class DirectoryBoxTest : public ::testing::Test {
protected:
    DirectoryBoxTest() {
        // folder\sub holds four visible subfolders, one named outside code
        // page 936, a hidden one and a file.
        MakeFolder(folder / L"sub");
        MakeFolder(folder / L"sub\\beta");
        MakeFolder(folder / L"sub\\alpha");
        MakeFolder(folder / L"sub\\资料");
        MakeFolder(folder / L"sub\\资料\\内部");
        MakeFolder(folder / L"sub\\한글");
        MakeFolder(folder / L"sub\\.git");
        SetFileAttributesW((folder / L"sub\\.git").c_str(), FILE_ATTRIBUTE_HIDDEN);
        testing::WriteBytes(folder / L"sub\\notes.txt", "x");
        host.Reflect(box);
    }

    std::string Path(const std::wstring& relative) const { return Utf8(folder / relative); }

    HWND RowList() const { return GetWindow(box.Handle(), GW_CHILD); }

    Rows Shown() const {
        Rows rows;
        const int count = static_cast<int>(SendMessageW(RowList(), LB_GETCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            std::wstring text(static_cast<std::size_t>(SendMessageW(RowList(), LB_GETTEXTLEN, row, 0)) + 1, L'\0');
            SendMessageW(RowList(), LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
            rows.push_back(Utf8(text.c_str()));
        }
        return rows;
    }

    // The folders from the root down to the path, as the box shows them.
    static Rows ChainOf(const std::string& path) { return FolderChain(path); }

    static Rows Plus(Rows rows, const Rows& more) {
        rows.insert(rows.end(), more.begin(), more.end());
        return rows;
    }

    int RowOf(const std::string& text) const {
        return static_cast<int>(
            SendMessageW(RowList(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(win32::Wide(text).c_str())));
    }

    POINT MiddleOf(int row) const {
        RECT area{};
        SendMessageW(RowList(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&area));
        return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    }

    void DoubleClick(int row) {
        const POINT point = MiddleOf(row);
        const LPARAM at = MAKELPARAM(point.x, point.y);
        PostMessageW(RowList(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(RowList(), WM_LBUTTONUP, 0, at);
        PostMessageW(RowList(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(RowList(), WM_LBUTTONUP, 0, at);
        host.Pump();
    }

    void PressKey(UINT key) {
        PostMessageW(RowList(), WM_KEYDOWN, key, 1);
        PostMessageW(RowList(), WM_KEYUP, key, 0xC0000001);
        host.Pump();
    }

    int Highlighted() const { return static_cast<int>(SendMessageW(RowList(), LB_GETCURSEL, 0, 0)); }

    // Records the box's events and, as the window's folder scan does, hands
    // the box the subfolders of the folder it changed to.
    win32::EventSink RecordAndList() {
        return [this, record = host.Recorder()](Event event) {
            record(event);
            if (event != Event::FolderChanged) return;
            box.ShowSubfolders(ListFolder(services, services, box.CurrentFolder(), {}, [](auto&) {}).subfolders);
        };
    }

    TestFolder folder;
    ControlHost host;
    win32::Win32Services services{win32::ExecutableFolder()};
    DirectoryBoxControl box{host.Parent(), quillory::RowOf(ControlId::目录框文件名提取), host.Font(), RecordAndList()};
};

TEST_F(DirectoryBoxTest, SettingTheFolderRaisesFolderChangedOnceFromInsideTheSetter) {
    const std::string path = Path(L"sub\\");
    std::vector<std::string> seenInside;
    DirectoryBoxControl watched{host.Parent(), quillory::RowOf(ControlId::目录框文件名提取), host.Font(), [&](Event event) {
                                    EXPECT_EQ(event, Event::FolderChanged);
                                    seenInside.push_back(watched.CurrentFolder());
                                }};

    watched.SetCurrentFolder(path);
    EXPECT_EQ(seenInside, (std::vector<std::string>{path})) << "once, already showing the new folder";
    EXPECT_EQ(watched.CurrentFolder(), path) << "kept as it was set, trailing backslash and all";

    watched.SetCurrentFolder(path);
    EXPECT_EQ(seenInside.size(), 2u) << "every setting raises it";
}

TEST_F(DirectoryBoxTest, ShowsTheChainFromTheRootThenTheVisibleSubfolders) {
    box.SetCurrentFolder(Path(L"sub"));

    const Rows chain = ChainOf(Path(L"sub"));
    EXPECT_EQ(Shown(), Plus(chain, {"alpha", "beta", "资料", "한글"}));
    EXPECT_EQ(Highlighted(), static_cast<int>(chain.size()) - 1) << "the current folder";
}

TEST_F(DirectoryBoxTest, AMissingFolderIsShownAsItsPathWithoutSubfolders) {
    const std::string path = Path(L"gone\\deeper");
    box.SetCurrentFolder(path);

    EXPECT_EQ(host.Count(Event::FolderChanged), 1);
    EXPECT_EQ(box.CurrentFolder(), path);
    EXPECT_EQ(Shown(), ChainOf(path));
}

TEST_F(DirectoryBoxTest, ADriveLetterAndColonMeansThatDrivesRoot) {
    box.SetCurrentFolder("C:");

    EXPECT_EQ(box.CurrentFolder(), "C:");
    const Rows rows = Shown();
    ASSERT_GT(rows.size(), 1u);
    EXPECT_EQ(rows[0], "C:\\");
    EXPECT_GE(RowOf("windows"), 1) << "the root's own subfolders";
}

TEST_F(DirectoryBoxTest, DoubleClickOpensASubfolderAndRaisesFolderChanged) {
    box.SetCurrentFolder(Path(L"sub"));
    host.events.clear();

    DoubleClick(RowOf("资料"));

    EXPECT_EQ(host.events, std::vector<Event>{Event::FolderChanged});
    EXPECT_EQ(box.CurrentFolder(), Path(L"sub\\资料"));
    EXPECT_EQ(Shown(), Plus(ChainOf(Path(L"sub\\资料")), {"内部"}));
}

TEST_F(DirectoryBoxTest, ArrowKeysMoveTheHighlightAndEnterOpens) {
    box.SetCurrentFolder(Path(L"sub"));
    host.events.clear();
    const int current = Highlighted();

    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(Highlighted(), current + 2);
    EXPECT_TRUE(host.events.empty()) << "moving the highlight opens nothing";

    PressKey(VK_RETURN);
    EXPECT_EQ(host.events, std::vector<Event>{Event::FolderChanged});
    EXPECT_EQ(box.CurrentFolder(), Path(L"sub\\beta"));

    // Up to the test folder, an ancestor: its path has no trailing backslash.
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    EXPECT_EQ(box.CurrentFolder(), Utf8(folder.Path()));
    EXPECT_EQ(host.Count(Event::FolderChanged), 2);
}

TEST_F(DirectoryBoxTest, OpeningTheRootGivesThePathWithItsBackslash) {
    box.SetCurrentFolder(Path(L"sub"));
    DoubleClick(0);
    EXPECT_EQ(box.CurrentFolder(), ChainOf(Path(L"sub"))[0]);
}

TEST_F(DirectoryBoxTest, RightButtonOverTheBoxRaisesRightButtonDown) {
    box.SetCurrentFolder(Path(L"sub"));
    host.events.clear();
    const POINT point = MiddleOf(1);
    PostMessageW(RowList(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageW(RowList(), WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    host.Pump();

    EXPECT_EQ(host.events, std::vector<Event>{Event::RightButtonDown});
}

// Removes the folders, deepest first: the test folder's own clean-up stops at MAX_PATH.
class DeepFolders {
public:
    void Make(const std::wstring& path) {
        MakeFolder(path);
        made_.push_back(path);
    }
    ~DeepFolders() {
        for (auto path = made_.rbegin(); path != made_.rend(); ++path) RemoveDirectoryW(path->c_str());
    }

private:
    std::vector<std::wstring> made_;
};

TEST_F(DirectoryBoxTest, FoldersBeyondMaxPathStillShowTheirSubfolders) {
    const std::wstring extended = L"\\\\?\\" + folder.Path();
    std::wstring relative;
    DeepFolders deep;
    while (relative.size() < 300) {
        relative += L"\\a-long-folder-name-of-forty-characters-";
        deep.Make(extended + relative);
    }
    deep.Make(extended + relative + L"\\末端");

    box.SetCurrentFolder(Utf8(folder.Path() + relative));
    EXPECT_EQ(Shown().back(), "末端");
}

}  // namespace
}  // namespace quillory
