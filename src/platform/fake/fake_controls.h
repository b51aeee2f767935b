#pragma once
// In-memory main window and controls for the native tests.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls.h"

namespace quillory::fake {

class FakeText : public TextControl {
public:
    explicit FakeText(std::string text = {}) : text_(std::move(text)) {}
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

class FakeRadio : public RadioButton {
public:
    explicit FakeRadio(bool checked) : checked_(checked) {}
    bool IsChecked() const override { return checked_; }
    void SetChecked(bool checked) override { checked_ = checked; }

private:
    bool checked_;
};

class FakeDriveBox : public DriveBox {
public:
    std::string CurrentDrive() const override { return drive_.substr(0, 1); }
    void SetCurrentDrive(const std::string& text) override { drive_ = text; }
    const std::string& LastSetText() const { return drive_; }

private:
    std::string drive_ = "C";
};

class FakeDirectoryBox : public DirectoryBox {
public:
    std::string CurrentFolder() const override { return folder_; }
    void SetCurrentFolder(const std::string& path) override {
        folder_ = path;
        subfolders.clear();
        ++changes_;
        if (onChanged) onChanged();
    }
    void ShowSubfolders(std::vector<std::string> names) override {
        subfolders = std::move(names);
        ++subfolderShowings;
    }
    int Changes() const { return changes_; }
    std::function<void()> onChanged;
    std::vector<std::string> subfolders;
    int subfolderShowings = 0;

private:
    std::string folder_;
    int changes_ = 0;
};

class FakeCheckList : public CheckList {
public:
    void ListClear() override { names_.Clear(), current_ = -1; }
    void ListAppend(const NameList& names) override { names_.Append(names); }
    void ListReplace(NameList names, int current) override { names_ = std::move(names), current_ = current; }
    void ListEdit(const NameEdit& edit) override {
        names_.Apply(edit);
        current_ = current_ < 0 ? -1 : PositionAfter(edit, current_);
    }
    const NameList& ListNames() const override { return names_; }
    int ListCount() const override { return names_.Count(); }
    std::string ListItemText(int index) const override {
        return Valid(index) ? std::string(names_.Name(index)) : std::string();
    }
    bool ListIsChecked(int index) const override { return Valid(index) && names_.Ticked(index); }
    void ListSetChecked(int index, bool ticked = true) override {
        if (Valid(index)) names_.SetTicked(index, ticked);
    }
    void ListSetEveryTick(EveryTick change) override { names_.SetEveryTick(change); }
    int ListCurrentIndex() const override { return current_; }
    NativeHandle WindowHandle() const override { return 0x1234; }
    void ListItemExtension(NativeHandle, const std::string& itemText, bool, bool) override {
        extensionTexts.push_back(itemText);
    }

    void SetCurrentIndex(int index) { current_ = index; }
    std::vector<std::string> extensionTexts;

private:
    bool Valid(int index) const { return index >= 0 && index < ListCount(); }
    NameList names_;
    int current_ = -1;
};

class FakeMainWindow : public MainWindow {
public:
    NativeHandle WindowHandle() const override { return 0x4321; }
    void PopupMenu(TopMenu menu) override { popups.push_back(menu); }
    void SetMenuItemVisible(MenuItem, bool visible) override { quitVisible = visible; }
    void SetMenuItemChecked(MenuItem item, bool isChecked) override { checked[item] = isChecked; }
    void SetMenuItemEnabled(MenuItem item, bool isEnabled) override { enabled[item] = isEnabled; }
    void CloseMainWindow() override { closed = true; }
    void ListingUnderWay(std::int64_t listed) override { listedSoFar = listed; }
    void ListingOver() override { listedSoFar.reset(); }
    void WriteUnderWay(std::uint64_t bytes) override { writtenSoFar = bytes; }
    void WriteOver() override { writtenSoFar.reset(); }
    void FollowFolder(const std::string& folder, bool subfolders) override { followed = {folder, subfolders}; }
    void ShowRecentFolders(const std::vector<std::string>& folders) override { recentFolders = folders; }

    std::vector<TopMenu> popups;
    bool quitVisible = true;
    std::map<MenuItem, bool> checked;
    std::map<MenuItem, bool> enabled;
    bool closed = false;
    std::optional<std::int64_t> listedSoFar;  // while a listing runs
    std::optional<std::uint64_t> writtenSoFar;  // while a block is written
    std::optional<std::pair<std::string, bool>> followed;  // the folder, and whether its subfolders too
    std::vector<std::string> recentFolders;
};

// The controls in their initial state, bound together as the window binds them.
struct FakeControlSet {
    FakeDriveBox drives;
    FakeDirectoryBox folders;
    FakeCheckList fileList;
    FakeText blankLines{"1"};
    FakeRadio forward{false};
    FakeRadio reverse{true};
    FakeText storageLabel;
    Controls controls{drives, folders, fileList, blankLines, forward, reverse, storageLabel};
};

}  // namespace quillory::fake
