#pragma once
// A skin library for the native tests that notes every call.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/skin_library.h"

namespace quillory::fake {

class FakeSkinLibrary : public SkinLibrary {
public:
    void SkinH_Attach() override { calls.push_back("SkinH_Attach"); }
    void SkinH_AttachEx(const std::string& skinFile, const std::string& password) override {
        calls.push_back("SkinH_AttachEx " + skinFile + "|" + password);
    }
    void SkinH_AdjustHSV(std::int32_t hue, std::int32_t saturation, std::int32_t brightness) override {
        calls.push_back("SkinH_AdjustHSV " + std::to_string(hue) + " " + std::to_string(saturation) + " " +
                        std::to_string(brightness));
    }
    std::vector<std::string> calls;
};

}  // namespace quillory::fake
