#include "support/held_key.h"

namespace quillory::testing {

namespace {

constexpr BYTE kDown = 0x80;

}  // namespace

HeldKey::HeldKey(BYTE key) : key_(key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    before_ = keys[key_];
    SetState(static_cast<BYTE>(before_ | kDown));
}

HeldKey::~HeldKey() { SetState(before_); }

void HeldKey::SetState(BYTE state) const {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[key_] = state;
    SetKeyboardState(keys);
}

}  // namespace quillory::testing
