#pragma once
#include <windows.h>

#include <string>

namespace quillory::win32 {

// Keeps an edit box to the form of an integer (digits with an optional
// leading minus sign, or nothing yet): typed characters and pasted text that
// would break the form are refused. Control keys work as usual, and deleting
// can never break the form.
class NumberEdit {
public:
    explicit NumberEdit(HWND handle);
    ~NumberEdit();
    NumberEdit(const NumberEdit&) = delete;
    NumberEdit& operator=(const NumberEdit&) = delete;

private:
    static LRESULT CALLBACK Proc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool Accepts(const std::wstring& inserted) const;
    void Detach();

    HWND handle_;
};

}  // namespace quillory::win32
