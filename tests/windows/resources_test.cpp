// The icon, version and manifest resources as Windows reads them from the built program.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/encoding.h"

namespace {

constexpr WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kIconGroupId = 129;
constexpr std::array<int, 5> kIconSizes = {128, 64, 48, 32, 16};

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14);

// The build names the program by its path on the build machine, which Wine shows as drive Z.
std::wstring ProgramPath() {
    std::wstring path = L"Z:" + quillory::win32::Wide(QUILLORY_EXE_PATH);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// The program opened as a data file: its resources readable, no code run.
class ProgramImage {
public:
    explicit ProgramImage(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ProgramImage() {
        if (module_) FreeLibrary(module_);
    }
    ProgramImage(const ProgramImage&) = delete;
    ProgramImage& operator=(const ProgramImage&) = delete;
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

class ActivationContext {
public:
    explicit ActivationContext(const ACTCTXW& request) : context_(CreateActCtxW(&request)) {}
    ~ActivationContext() {
        if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
    }
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;
    HANDLE Get() const { return context_; }
    explicit operator bool() const { return context_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE context_;
};

class ActiveContext {
public:
    explicit ActiveContext(HANDLE context) { active_ = ActivateActCtx(context, &cookie_); }
    ~ActiveContext() {
        if (active_) DeactivateActCtx(0, cookie_);
    }
    ActiveContext(const ActiveContext&) = delete;
    ActiveContext& operator=(const ActiveContext&) = delete;
    explicit operator bool() const { return active_; }

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

struct Pixel {
    BYTE blue, green, red, alpha;
};

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(module_.Get(), nullptr) << "cannot open " << QUILLORY_EXE_PATH << ", error " << GetLastError();
    }

    // The resource's bytes, empty when it is missing in that language; valid while the module is open.
    std::string_view Resource(LPCWSTR type, WORD id, WORD language) const {
        HRSRC info = FindResourceExW(module_.Get(), type, MAKEINTRESOURCEW(id), language);
        if (!info) return {};
        const void* data = LockResource(LoadResource(module_.Get(), info));
        return {static_cast<const char*>(data), SizeofResource(module_.Get(), info)};
    }

    std::vector<GroupIconEntry> IconGroupEntries() const {
        const std::string_view group = Resource(RT_GROUP_ICON, kIconGroupId, kChinesePrc);
        if (group.size() < sizeof(GroupIconHeader)) return {};
        GroupIconHeader header;
        std::copy_n(group.data(), sizeof header, reinterpret_cast<char*>(&header));
        if (header.type != 1 || group.size() != sizeof header + header.count * sizeof(GroupIconEntry)) return {};
        std::vector<GroupIconEntry> entries(header.count);
        std::copy_n(group.data() + sizeof header, group.size() - sizeof header, reinterpret_cast<char*>(entries.data()));
        return entries;
    }

    ProgramImage module_{ProgramPath()};
};

TEST_F(ProgramResources, IconGroup129ListsFive32BitImagesFromLargestToSmallest) {
    const std::vector<GroupIconEntry> entries = IconGroupEntries();
    ASSERT_EQ(entries.size(), kIconSizes.size()) << "group icon 129 in Chinese (PRC) missing or malformed";
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(kIconSizes[i]);
        const GroupIconEntry& entry = entries[i];
        EXPECT_EQ(entry.width, kIconSizes[i]);
        EXPECT_EQ(entry.height, kIconSizes[i]);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, 32);
        EXPECT_EQ(entry.id, i + 1);

        const std::string_view image = Resource(RT_ICON, entry.id, kChinesePrc);
        ASSERT_FALSE(image.empty()) << "icon " << entry.id << " missing in Chinese (PRC)";
        EXPECT_EQ(image.size(), entry.bytes);
        BITMAPINFOHEADER header;
        ASSERT_GE(image.size(), sizeof header);
        std::copy_n(image.data(), sizeof header, reinterpret_cast<char*>(&header));
        EXPECT_EQ(header.biWidth, kIconSizes[i]);
        EXPECT_EQ(header.biHeight, 2 * kIconSizes[i]);  // colour and mask
        EXPECT_EQ(header.biBitCount, 32);
    }
}

TEST_F(ProgramResources, EveryIconImageIsGreyAndMagentaOnATransparentBackground) {
    const std::vector<GroupIconEntry> entries = IconGroupEntries();
    ASSERT_EQ(entries.size(), kIconSizes.size());
    for (const GroupIconEntry& entry : entries) {
        SCOPED_TRACE(entry.width);
        const std::string_view image = Resource(RT_ICON, entry.id, kChinesePrc);
        const size_t pixelCount = size_t{entry.width} * entry.height;
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER) + pixelCount * sizeof(Pixel));
        std::vector<Pixel> pixels(pixelCount);
        std::copy_n(image.data() + sizeof(BITMAPINFOHEADER), pixelCount * sizeof(Pixel),
                    reinterpret_cast<char*>(pixels.data()));

        const auto transparent = std::ranges::count_if(pixels, [](Pixel p) { return p.alpha == 0; });
        const auto partial = std::ranges::count_if(pixels, [](Pixel p) { return p.alpha > 0 && p.alpha < 255; });
        const auto grey = std::ranges::count_if(pixels, [](Pixel p) {
            return p.alpha == 255 && std::abs(p.red - p.green) < 16 && std::abs(p.green - p.blue) < 16;
        });
        const auto magenta = std::ranges::count_if(pixels, [](Pixel p) {
            return p.alpha == 255 && p.red > 2 * p.green + 40 && p.blue > 2 * p.green + 30;
        });
        EXPECT_EQ(pixels.front().alpha, 0) << "bottom-left corner";
        EXPECT_EQ(pixels.back().alpha, 0) << "top-right corner";
        EXPECT_GT(transparent, static_cast<std::ptrdiff_t>(pixelCount / 8));
        EXPECT_GT(partial, 0) << "edges are not anti-aliased";
        EXPECT_GT(grey, static_cast<std::ptrdiff_t>(pixelCount / 10)) << "the letter";
        EXPECT_GT(magenta, static_cast<std::ptrdiff_t>(pixelCount / 20)) << "the butterfly";

        HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(image.data())),
                                              static_cast<DWORD>(image.size()), TRUE, 0x00030000, 0, 0,
                                              LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr) << "Windows rejects the image";
        if (icon) DestroyIcon(icon);
    }
}

TEST_F(ProgramResources, WindowsPicksTheImageOfTheRequestedSize) {
    const std::string_view group = Resource(RT_GROUP_ICON, kIconGroupId, kChinesePrc);
    ASSERT_FALSE(group.empty());
    auto* directory = reinterpret_cast<BYTE*>(const_cast<char*>(group.data()));
    for (size_t i = 0; i < kIconSizes.size(); ++i) {
        EXPECT_EQ(LookupIconIdFromDirectoryEx(directory, TRUE, kIconSizes[i], kIconSizes[i], LR_DEFAULTCOLOR),
                  static_cast<int>(i + 1))
            << kIconSizes[i] << " px";
    }
    // The way the main window loads it.
    HICON icon = LoadIconW(module_.Get(), MAKEINTRESOURCEW(kIconGroupId));
    EXPECT_NE(icon, nullptr);
}

TEST_F(ProgramResources, FixedVersionInfoIsApplication1_1_0_1For32BitWindows) {
    EXPECT_FALSE(Resource(RT_VERSION, VS_VERSION_INFO, kChinesePrc).empty()) << "not in Chinese (PRC)";

    const std::wstring path = ProgramPath();
    std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 1));  // low word second: 1.1
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1, 0));  // .0.1
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(1, 0));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(LOWORD(fixed->dwFileOS), VOS__WINDOWS32);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "no debug or pre-release flag";
}

TEST_F(ProgramResources, VersionStringsAreTheReleaseTextsInOneChineseUtf16Table) {
    const std::wstring path = ProgramPath();
    std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 2 * sizeof(WORD)) << "exactly one translation";
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 0x04B0);

    const std::pair<const wchar_t*, std::wstring_view> expected[] = {
        {L"FileVersion", L"1.1.0.1"},
        {L"ProductVersion", L"1.1.0.1"},
        {L"FileDescription", L"提取文件夹中指定文件名称，并整理于指定txt文件中，并带有简单的格式编辑功能"},
        {L"CompanyName", L"Velkor工作室"},
        {L"ProductName", L"Quillory"},
    };
    for (const auto& [name, value] : expected) {
        const std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
        wchar_t* text = nullptr;
        ASSERT_TRUE(VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
            << quillory::win32::Utf8(name) << " missing";
        EXPECT_EQ(std::wstring_view(text), value) << quillory::win32::Utf8(name);
    }
}

TEST_F(ProgramResources, ManifestAsksForCommonControls6AsInvokerOnWindows7To11) {
    HRSRC info = FindResourceW(module_.Get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(info, nullptr);
    const std::string_view manifest(static_cast<const char*>(LockResource(LoadResource(module_.Get(), info))),
                                    SizeofResource(module_.Get(), info));
    const size_t name = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(name, std::string_view::npos);
    const size_t start = manifest.rfind("<assemblyIdentity", name);
    const size_t end = manifest.find("/>", name);
    ASSERT_NE(start, std::string_view::npos);
    EXPECT_NE(manifest.substr(start, end - start).find("version=\"6.0.0.0\""), std::string_view::npos);

    // The loader's own reading: the context builds only when the manifest parses and its dependency resolves.
    const std::wstring path = ProgramPath();
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    ActivationContext context(request);
    ASSERT_TRUE(context) << "error " << GetLastError();

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel{};
    ASSERT_TRUE(QueryActCtxW(0, context.Get(), nullptr, RunlevelInformationInActivationContext, &runLevel,
                             sizeof runLevel, nullptr));
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);

    // Searched as bytes, because SDKs disagree on the size of an element.
    std::vector<BYTE> compatibility(4096);
    ASSERT_TRUE(QueryActCtxW(0, context.Get(), nullptr, CompatibilityInformationInActivationContext,
                             compatibility.data(), compatibility.size(), nullptr));
    const GUID windows7 = {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}};
    const GUID windows8 = {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}};
    const GUID windows81 = {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}};
    const GUID windows10 = {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};
    for (const GUID& os : {windows7, windows8, windows81, windows10}) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&os);
        const bool listed =
            std::search(compatibility.begin(), compatibility.end(), bytes, bytes + sizeof os) != compatibility.end();
        EXPECT_TRUE(listed) << "supportedOS " << std::hex << os.Data1;
    }

    ActiveContext active(context.Get());
    ASSERT_TRUE(active);
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof redirection;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                         &redirection))
        << "comctl32.dll is not redirected to the version 6 assembly";
}

}  // namespace
