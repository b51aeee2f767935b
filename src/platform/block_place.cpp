#include "platform/block_place.h"

namespace quillory {

// A block of no bytes is taken as gone: there is nothing to take back.
BlockPlace PlaceOfBlock(std::string_view content, std::string_view block) {
    if (block.empty()) return BlockPlace::Gone;
    if (content.starts_with(block)) return BlockPlace::AtStart;
    return content.find(block) != std::string_view::npos ? BlockPlace::FurtherDown : BlockPlace::Gone;
}

}  // namespace quillory
