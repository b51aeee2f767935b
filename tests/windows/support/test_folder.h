#pragma once
// A fresh, uniquely named folder under the Wine prefix's temp folder, removed
// with everything in it, at any depth, when the test ends.
#include <cstddef>
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
// The folder and any of its parents that are missing; true when it is there afterwards.
bool MakeFolders(const std::wstring& path);
bool CopyOneFile(const std::wstring& from, const std::wstring& to);
// Makes a folder of exactly `length` characters below `base`, of folders
// named with the letter, at most `longest` characters each; its path.
std::wstring MakeFolderOfLength(const std::wstring& base, wchar_t letter, std::size_t longest, std::size_t length);

}  // namespace quillory::testing
