#pragma once

namespace quillory {

// The maker's site: shown in the window title and the root of the help pages.
inline constexpr const char* kMakerSite = "www.velkor.example";

}  // namespace quillory
