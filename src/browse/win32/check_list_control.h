#pragma once
// The check-list: a virtual list view whose names and ticks live in the
// program's own arrays, so listing or ticking 100,000 files costs no more
// window messages than listing ten. The view learns the new item count at the
// first message it gets after a change, and a change invalidates it so that
// one comes. Ctrl+C asks for the ticked names to be copied, Ctrl+A for select all.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/layout_rows.h"
#include "ui/win32/child_control.h"
#include "browse/win32/name_tip.h"
#include "browse/win32/owned_window.h"
#include "platform/controls.h"

namespace quillory::win32 {

class CheckListControl final : public CheckList, public ChildControl {
public:
    CheckListControl(HWND parent, const ControlRow& row, HFONT font, EventSink sink);

    HWND Handle() const override { return list_.Get(); }
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Relayout(const RECT& place, HFONT font) override;

    void ListClear() override;
    void ListAppend(const NameList& names) override;
    void ListReplace(NameList names, int current) override;
    void ListEdit(const NameEdit& edit) override;
    const NameList& ListNames() const override { return names_; }
    int ListCount() const override { return names_.Count(); }
    std::string ListItemText(int index) const override;
    bool ListIsChecked(int index) const override;
    void ListSetChecked(int index, bool ticked = true) override;
    void ListSetEveryTick(EveryTick change) override;
    int ListCurrentIndex() const override { return current_; }
    NativeHandle WindowHandle() const override;
    void ListItemExtension(NativeHandle list, const std::string& itemText, bool first, bool second) override;

private:
    static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);
    LRESULT HandleListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    bool TakeShortcut(WPARAM key);
    void ViewIsStale();
    void ShowCount();
    void GiveCount(int count, DWORD flags);
    void CurrentMoved(int current);
    void BringViewUpToDate();
    void HighlightInView(int index);

    void ShowItem(LVITEMW& item) const;
    void FollowSelection();
    void FlipTickAt(POINT point);
    void FlipTick(int index);
    int FindItem(const NMLVFINDITEMW& find) const;
    bool Valid(int index) const { return index >= 0 && index < ListCount(); }
    std::string_view NameAt(int index) const { return names_.Name(index); }

    EventSink sink_;
    // The wide form is made only for the name the view or a search asks for.
    NameList names_;
    int current_ = -1;
    bool stale_ = false;    // the names changed since the view last looked
    bool cleared_ = false;  // ... and its old items, selection and scrolling are gone
    bool moved_ = false;    // ... or they stay, and the highlight moves to where the current item now is
    bool quiet_ = false;    // the view's selection is moved by the program, not the user
    int viewCount_ = 0;     // the item count the view was last given
    bool countDue_ = false;  // a larger count waits for its time
    bool givingCount_ = false;
    ULONGLONG countShown_ = 0;
    OwnedWindow list_;
    NameTip tip_{list_.Get()};
};

}  // namespace quillory::win32
