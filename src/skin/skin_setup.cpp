#include "skin/skin_setup.h"

namespace quillory {

void RunSkinSetup(SkinLibrary& library, SettingsFile& settings) {
    library.SkinH_Attach();
    library.SkinH_AttachEx(kSkinFile, "");
    const std::int32_t hue = settings.ReadColourValue(kHueEntry);
    const std::int32_t saturation = settings.ReadColourValue(kSaturationEntry);
    const std::int32_t brightness = settings.ReadColourValue(kBrightnessEntry);
    library.SkinH_AdjustHSV(hue, saturation, brightness);
}

}  // namespace quillory
