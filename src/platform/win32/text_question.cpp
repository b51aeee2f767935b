// The small dialog that asks for one line of text, made from a template in
// memory so the dialog manager gives Enter to 确定 and Esc to 取消.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/encoding.h"
#include "platform/win32/win32_services.h"

namespace quillory::win32 {

namespace {

constexpr WORD kLabelId = 100;
constexpr WORD kEditId = 101;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// Dialog units; the label has room for a second line.
constexpr short kWidth = 236;
constexpr short kHeight = 74;
constexpr short kMargin = 7;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;

struct ItemRow {
    DWORD style;
    short left, top, width, height;
    WORD id;
    WORD windowClass;
    const wchar_t* text;
};

// DLGTEMPLATE and DLGITEMTEMPLATE as the dialog manager reads them: words,
// each item on a DWORD boundary.
class DialogTemplate {
public:
    DialogTemplate(const std::wstring& title, int itemCount) {
        AddDword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
        AddDword(0);
        words_.push_back(static_cast<WORD>(itemCount));
        AddBox(0, 0, kWidth, kHeight);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the system's dialog class
        AddText(title.c_str());
        words_.push_back(9);  // points
        AddText(L"微软雅黑");
    }

    void AddItem(const ItemRow& item) {
        if (words_.size() % 2) words_.push_back(0);
        AddDword(item.style | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        AddBox(item.left, item.top, item.width, item.height);
        words_.push_back(item.id);
        words_.push_back(0xFFFF);
        words_.push_back(item.windowClass);
        AddText(item.text);
        words_.push_back(0);  // no creation data
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void AddDword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void AddBox(short left, short top, short width, short height) {
        for (short value : {left, top, width, height}) words_.push_back(static_cast<WORD>(value));
    }
    void AddText(const wchar_t* text) {
        for (; *text; ++text) words_.push_back(static_cast<WORD>(*text));
        words_.push_back(0);
    }

    std::vector<WORD> words_;
};

struct Question {
    std::wstring initial;
    std::wstring typed;
};

std::wstring ItemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

INT_PTR CALLBACK QuestionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* question = reinterpret_cast<Question*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const HWND edit = GetDlgItem(dialog, kEditId);
        // A pasted list of patterns may be longer than the box's default 30,000
        // characters, and a pattern cut short would tick nothing.
        SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
        SetWindowTextW(edit, reinterpret_cast<Question*>(lParam)->initial.c_str());
        // The last pattern selected, so typing replaces it and a key at its end keeps it.
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE;  // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) question->typed = ItemText(dialog, kEditId);
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

std::optional<std::string> Win32Services::AskText(NativeHandle owner, const std::string& title,
                                                  const std::string& label, const std::string& initial) {
    const std::wstring wideLabel = Wide(label);
    const ItemRow items[] = {
        {SS_LEFT, kMargin, kMargin, kWidth - 2 * kMargin, 18, kLabelId, kStaticClass, wideLabel.c_str()},
        {WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kMargin, 28, kWidth - 2 * kMargin, 13, kEditId, kEditClass, L""},
        {BS_DEFPUSHBUTTON | WS_TABSTOP, kWidth - 2 * kMargin - 2 * kButtonWidth + 3, 50, kButtonWidth, kButtonHeight,
         IDOK, kButtonClass, L"确定"},
        {BS_PUSHBUTTON | WS_TABSTOP, kWidth - kMargin - kButtonWidth, 50, kButtonWidth, kButtonHeight, IDCANCEL,
         kButtonClass, L"取消"},
    };
    DialogTemplate dialog(Wide(title), static_cast<int>(std::size(items)));
    for (const ItemRow& item : items) dialog.AddItem(item);
    Question question{Wide(initial), {}};
    const HWND ownerWindow = owner ? reinterpret_cast<HWND>(owner) : messageOwner_;
    if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), ownerWindow, QuestionProc,
                                reinterpret_cast<LPARAM>(&question)) != IDOK) {
        return std::nullopt;
    }
    return Utf8(question.typed);
}

}  // namespace quillory::win32
