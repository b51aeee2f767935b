#pragma once
#include <string>
#include <vector>

namespace quillory::win32 {

struct Drive {
    char letter;         // upper case
    std::wstring label;  // empty where the drive has none or is not ready
};

// The computer's drives in letter order, without their labels: asks no disk.
std::vector<Drive> ComputerDrives();

// The drives with their labels: asks every drive that is not remote, and a
// sleeping one may take seconds to answer. Never on the window's thread.
std::vector<Drive> LabelledDrives(std::vector<Drive> drives);

// How the drive box shows a drive: "c: [label]", or "c:" without a label.
std::wstring DriveText(const Drive& drive);

}  // namespace quillory::win32
