#pragma once
// Where a block this program put in front of a file stands in the file now:
// what taking the block back depends on.
#include <string_view>

namespace quillory {

enum class BlockPlace {
    AtStart,      // the content begins with it: it can be taken out
    FurtherDown,  // something was put in front of it since
    Gone,         // it is no longer there whole: the file was edited
};

// `content` is the file's bytes after its byte-order mark, `block` the bytes
// the block was written as, in the same encoding.
BlockPlace PlaceOfBlock(std::string_view content, std::string_view block);

}  // namespace quillory
