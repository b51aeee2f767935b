#pragma once
// A file:/// address, as a browser's address bar or some file managers copy
// a path, taken as the path it names.
#include <optional>
#include <string>
#include <string_view>

namespace quillory {

// "file:///D:/%E7%85%A7%E7%89%87/a%20b" gives "D:\照片\a b", and
// "file://server/share/x" the share's path "\\server\share\x"; nothing for
// a text that is no file: address. Percent escapes are UTF-8 bytes.
std::optional<std::string> PathOfFileUrl(std::string_view text);

}  // namespace quillory
