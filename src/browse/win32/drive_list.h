#pragma once
#include <string>
#include <vector>

namespace quillory::win32 {

struct Drive {
    char letter;         // upper case
    std::wstring label;  // empty where the drive has none or is not ready
};

// The computer's drives in letter order.
std::vector<Drive> ComputerDrives();

// How the drive box shows a drive: "c: [label]", or "c:" without a label.
std::wstring DriveText(const Drive& drive);

}  // namespace quillory::win32
