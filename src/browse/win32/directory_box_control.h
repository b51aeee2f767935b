#pragma once
// The directory box: the current folder within its drive's folder tree, as
// the classic directory list shows it. The root and every folder down to the
// current one stand open, each indented one step more; the current folder's
// subfolders follow, closed, as the folder-changed event's listing gives them.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/layout_rows.h"
#include "ui/win32/child_control.h"
#include "browse/win32/folder_icons.h"
#include "browse/win32/owned_window.h"
#include "platform/controls.h"

namespace quillory::win32 {

class DirectoryBoxControl final : public DirectoryBox, public ChildControl {
public:
    DirectoryBoxControl(HWND parent, const ControlRow& row, HFONT font, EventSink sink);

    HWND Handle() const override { return box_.Get(); }

    std::string CurrentFolder() const override { return folder_; }
    void SetCurrentFolder(const std::string& path) override;
    void ShowSubfolders(std::vector<std::string> names) override;

    void Relayout(const RECT& place, HFONT font) override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK RowsProcedure(HWND rows, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);

    HWND Rows() const { return rows_.Get(); }
    void ShowFolder(std::string path);
    void AddRows(const std::vector<std::wstring>& rows);
    void OpenRow(LRESULT row);
    std::wstring RowText(LRESULT row) const;
    void DrawRow(const DRAWITEMSTRUCT& item) const;
    void UseDpiOf(int placeHeight);
    void UseFont(HFONT font);

    EventSink sink_;
    COLORREF textColour_;
    COLORREF backgroundColour_;
    int designHeight_;  // the row's height at 96 DPI; the row it is made from is at its parent's DPI
    int dpi_;
    FolderIcons icons_;

    std::string folder_;              // as set, or as the user opened it
    std::vector<std::string> chain_;  // root down to the current folder; its subfolders follow in the rows
    std::vector<std::wstring> subfolders_;  // as the rows show them

    OwnedWindow box_;   // the frame that receives the rows' notifications
    OwnedWindow rows_;  // an owner-drawn list box whose texts screen readers can read
};

}  // namespace quillory::win32
