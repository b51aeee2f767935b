#pragma once
#include <cstdint>
#include <string>

#include "browse/file_name_table.h"

namespace quillory {

// The program's five values that live from start to exit.
struct Globals {
    FileNameTable fileNames;
    std::int32_t listedFileCount = 0;
    std::string computerName;
    std::int32_t lineWritten = 0;
    std::int32_t collectedNameCount = 0;

    // Exit clean-up.
    void Release() {
        fileNames.Release();
        computerName.clear();
        computerName.shrink_to_fit();
    }
};

}  // namespace quillory
