#pragma once
#include "settings/settings_file.h"
#include "skin/skin_library.h"

namespace quillory {

// The library resolves this relative path itself, against the program folder.
inline constexpr const char* kSkinFile = "PLXE\\skinh.she";

// Attaches the skin and shifts its colours by the settings file's values.
void RunSkinSetup(SkinLibrary& library, SettingsFile& settings);

}  // namespace quillory
