#pragma once
// A key held down as the thread's GetKeyState sees it, while a test posts key
// messages: posted messages leave the keyboard state as it was, so Ctrl+C
// posted alone would reach the control as a plain C.
#include <windows.h>

namespace quillory::testing {

class HeldKey {
public:
    explicit HeldKey(BYTE key);
    ~HeldKey();
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    void SetState(BYTE state) const;

    const BYTE key_;
    BYTE before_ = 0;
};

}  // namespace quillory::testing
