#pragma once
#include <cstdint>
#include <string>

namespace quillory {

// The skin library's three functions. Their results mean nothing to the program.
class SkinLibrary {
public:
    virtual ~SkinLibrary() = default;
    virtual void SkinH_Attach() = 0;
    virtual void SkinH_AttachEx(const std::string& skinFile, const std::string& password) = 0;
    virtual void SkinH_AdjustHSV(std::int32_t hue, std::int32_t saturation, std::int32_t brightness) = 0;
};

}  // namespace quillory
