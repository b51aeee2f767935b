#pragma once
// The places on disk, all derived from the program folder, and the start folder.
#include <string>

namespace quillory {

inline std::string StorageFolder(const std::string& programFolder) { return programFolder + "\\Quillory-存储"; }

// The computer name, not the user's, stands between the two fixed pieces.
inline std::string StartFolder(const std::string& computerName) {
    return "C:\\Users\\" + computerName + "\\Desktop\\";
}

inline constexpr const char* kComputerNamePath =
    "System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName\\ComputerName";

}  // namespace quillory
