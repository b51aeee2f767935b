#pragma once
// A fresh, uniquely named folder under the Wine prefix's temp folder, removed
// with everything in it, at any depth, when the test ends.
#include <string>

namespace quillory::testing {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// File helpers that bypass the program's own services; paths of any length.
std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
bool Exists(const std::wstring& path);

}  // namespace quillory::testing
