#pragma once
// Large folders made quickly, for the tests and benchmarks of listing.
#include <functional>
#include <string>

namespace quillory::testing {

// The folder under a path Wine takes as it is. Wine looks a new name up
// without regard to case by reading the whole folder, which makes 100,000
// files an hour's work; a folder's Unix path it looks up exactly. Elsewhere
// the folder as it is.
std::wstring FolderForMaking(const std::wstring& folder);

// Empty files named `nameOf(0)` to `nameOf(count - 1)` in the folder, which
// is there already; false when one could not be made.
bool MakeEmptyFiles(const std::wstring& folder, int count, const std::function<std::wstring(int)>& nameOf);

}  // namespace quillory::testing
