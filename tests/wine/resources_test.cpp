// Icon, version block and manifest of the shipped executable, read through
// the Windows resource and version APIs (loaded as a data file).
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tools/driver/win_driver.h"

static const WORD japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

static BOOL CALLBACK count_name(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    reinterpret_cast<std::vector<ULONG_PTR>*>(param)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

static std::vector<ULONG_PTR> resource_names(const DataFile& module, LPCWSTR type)
{
    std::vector<ULONG_PTR> names;
    EnumResourceNamesW(module.handle, type, count_name, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(ProgramIcon, FourThirtyTwoBitDibImagesInOneGroup)
{
    struct WantImage {
        int pixels;
        DWORD bytes;
        WORD id;
    };
    const WantImage images[] = {{256, 270376, 1}, {48, 9640, 2}, {32, 4264, 3}, {16, 1128, 4}};
    const char* exe = NKCFG_SHIPPED_EXE;
    DataFile module(exe);
    ASSERT_NE(module.handle, nullptr);
    EXPECT_EQ(resource_names(module, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */),
              std::vector<ULONG_PTR>{10001});
    const std::vector<BYTE> group = module.resource(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(10001), japanese);
    ASSERT_EQ(group.size(), 6 + 4 * sizeof(GroupIconEntry));
    const WORD* head = reinterpret_cast<const WORD*>(group.data());
    EXPECT_EQ(head[0], 0);
    EXPECT_EQ(head[1], 1) << "icon";
    ASSERT_EQ(head[2], 4);
    const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(group.data() + 6);
    for (int i = 0; i < 4; i++) {
        const WantImage& want = images[i];
        SCOPED_TRACE(want.pixels);
        const GroupIconEntry& got = entries[i];
        EXPECT_EQ(got.width, want.pixels % 256);
        EXPECT_EQ(got.height, want.pixels % 256);
        EXPECT_EQ(got.bit_count, 32);
        EXPECT_EQ(got.bytes, want.bytes);
        EXPECT_EQ(got.id, want.id);

        const std::vector<BYTE> image = module.resource(MAKEINTRESOURCEW(3) /* RT_ICON */,
                                                        MAKEINTRESOURCEW(want.id), japanese);
        ASSERT_EQ(image.size(), want.bytes);
        const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
        EXPECT_EQ(header->biSize, 40u) << "a DIB, not a PNG";
        EXPECT_EQ(header->biWidth, want.pixels);
        EXPECT_EQ(header->biHeight, 2 * want.pixels) << "colour image and AND mask";
        EXPECT_EQ(header->biBitCount, 32);
        EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));

        // A picture, not a flat square: many colours, transparent corners.
        const DWORD* pixels = reinterpret_cast<const DWORD*>(image.data() + 40);
        std::set<DWORD> colours(pixels, pixels + want.pixels * want.pixels);
        EXPECT_GE(colours.size(), 12u);
        EXPECT_EQ(pixels[0] >> 24, 0u) << "corner alpha";
        EXPECT_EQ(pixels[want.pixels / 2 * want.pixels + want.pixels / 2] >> 24, 255u) << "centre alpha";

        HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data()), want.bytes, TRUE,
                                              0x00030000, want.pixels, want.pixels, 0);
        EXPECT_NE(icon, nullptr) << "the platform loads the image";
        DestroyIcon(icon);
    }
}

// A node of the raw version block.
struct VersionNode {
    WORD length, value_length, type;
    std::wstring key;
    const BYTE* value;
    const BYTE* children;
    const BYTE* end;
};

static VersionNode read_node(const BYTE* at)
{
    VersionNode node;
    const WORD* words = reinterpret_cast<const WORD*>(at);
    node.length = words[0];
    node.value_length = words[1];
    node.type = words[2];
    const wchar_t* key = reinterpret_cast<const wchar_t*>(at + 6);
    node.key = key;
    const BYTE* after_key = at + 6 + (node.key.size() + 1) * 2;
    node.value = at + ((after_key - at + 3) & ~3);
    const std::size_t value_bytes = node.type == 1 ? node.value_length * 2 : node.value_length;
    node.children = at + ((node.value + value_bytes - at + 3) & ~3);
    node.end = at + node.length;
    return node;
}

static std::vector<VersionNode> children_of(const VersionNode& node, const BYTE* base)
{
    std::vector<VersionNode> children;
    for (const BYTE* at = node.children; at < node.end;) {
        children.push_back(read_node(at));
        at = base + ((children.back().end - base + 3) & ~3);
    }
    return children;
}

TEST(VersionBlock, RawBlockHasTwelveKeysInOrderWithExactValueLengths)
{
    struct WantString {
        const wchar_t* key;
        WORD value_length;
        const wchar_t* value;
    };
    const WantString strings[] = {
        {L"Comments", 0, L""}, {L"CompanyName", 0, L""}, {L"FileDescription", 0, L""},
        {L"FileVersion", 13, L"0, 455, 0, 0"}, {L"InternalName", 0, L""}, {L"LegalCopyright", 0, L""},
        {L"LegalTrademarks", 0, L""}, {L"OriginalFilename", 0, L""}, {L"PrivateBuild", 0, L""},
        {L"ProductName", 21, L"NOVUKA Configuration"}, {L"ProductVersion", 13, L"0, 455, 0, 0"},
        {L"SpecialBuild", 0, L""},
    };
    DataFile module(NKCFG_SHIPPED_EXE);
    ASSERT_NE(module.handle, nullptr);
    EXPECT_EQ(resource_names(module, MAKEINTRESOURCEW(16)), std::vector<ULONG_PTR>{1});
    const std::vector<BYTE> block = module.resource(MAKEINTRESOURCEW(16) /* RT_VERSION */, MAKEINTRESOURCEW(1), japanese);
    ASSERT_GT(block.size(), 92u);
    const BYTE* base = block.data();
    const VersionNode root = read_node(base);
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    EXPECT_EQ(root.length, block.size());
    EXPECT_EQ(root.value_length, sizeof(VS_FIXEDFILEINFO));

    const std::vector<VersionNode> top = children_of(root, base);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].key, L"StringFileInfo");
    EXPECT_EQ(top[1].key, L"VarFileInfo");
    const std::vector<VersionNode> tables = children_of(top[0], base);
    ASSERT_EQ(tables.size(), 1u) << "one string table";
    EXPECT_EQ(tables[0].key, L"041104b0");
    const std::vector<VersionNode> got = children_of(tables[0], base);
    ASSERT_EQ(got.size(), 12u);
    for (std::size_t i = 0; i < got.size(); i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].key, strings[i].key);
        EXPECT_EQ(got[i].value_length, strings[i].value_length);
        EXPECT_EQ(got[i].type, 1);
        if (strings[i].value_length > 0) {
            EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(got[i].value)), strings[i].value);
        }
    }
    const std::vector<VersionNode> vars = children_of(top[1], base);
    ASSERT_EQ(vars.size(), 1u);
    EXPECT_EQ(vars[0].key, L"Translation");
    EXPECT_EQ(vars[0].value_length, 4);
    const WORD* translation = reinterpret_cast<const WORD*>(vars[0].value);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);
}

TEST(VersionBlock, ReadThroughTheVersionApi)
{
    const char* exe = NKCFG_SHIPPED_EXE;
    const std::string path = windows_path(exe);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwStrucVersion, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionMS, 455u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 455u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 0x40004u);
    EXPECT_EQ(fixed->dwFileType, 1u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);

    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"ProductName", L"NOVUKA Configuration"},
        {L"FileVersion", L"0, 455, 0, 0"},
        {L"ProductVersion", L"0, 455, 0, 0"},
    };
    for (const auto& string : strings) {
        wchar_t* value = nullptr;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\041104b0\\") + string.first;
        ASSERT_TRUE(VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::wstring(value), string.second);
    }
}

TEST(Manifest, OneJapaneseManifestAskingForCommonControlsSixAsInvoker)
{
    const char* exe = NKCFG_SHIPPED_EXE;
    DataFile module(exe);
    ASSERT_NE(module.handle, nullptr);
    EXPECT_EQ(resource_names(module, MAKEINTRESOURCEW(24)), std::vector<ULONG_PTR>{1});
    const std::vector<BYTE> bytes = module.resource(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), japanese);
    ASSERT_GT(bytes.size(), 3u);
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + 3), (std::vector<BYTE>{0xEF, 0xBB, 0xBF}));
    const std::string text(bytes.begin() + 3, bytes.end());
    const char* const present[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>",
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">",
        "<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"*\" name=\"nkcfg.exe\" type=\"win32\"/>",
        "<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">",
        "<requestedExecutionLevel level=\"asInvoker\"/>",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "publicKeyToken=\"6595b64144ccf1df\" language=\"*\"",
    };
    for (const char* want : present)
        EXPECT_NE(text.find(want), std::string::npos) << want;
    const char* const absent[] = {"uiAccess", "compatibility", "dpiAware", "dpiAwareness"};
    for (const char* unwanted : absent)
        EXPECT_EQ(text.find(unwanted), std::string::npos) << unwanted;
    // Exactly one identity of its own, one dependency, one trust section.
    const std::pair<const char*, int> counts[] = {
        {"<assemblyIdentity", 2}, {"<dependency>", 1}, {"<dependentAssembly>", 1},
        {"<trustInfo", 1}, {"<requestedExecutionLevel", 1}, {"<assembly ", 1},
    };
    for (const auto& count : counts) {
        int found = 0;
        for (std::size_t at = text.find(count.first); at != std::string::npos;
             at = text.find(count.first, at + 1))
            found++;
        EXPECT_EQ(found, count.second) << count.first;
    }
}
