// The shipped executable as a file: a PE32 GUI program for i386 that old
// systems can load, hardened with ASLR and DEP, with a fixed time stamp,
// importing only system DLLs (comctl32 by ordinal 17 alone).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "scratch.h"
#include "win_process.h"

struct PeImage {
    std::vector<unsigned char> bytes;
    const IMAGE_NT_HEADERS32* nt32 = nullptr;  // also the start of a 64-bit header
    const IMAGE_SECTION_HEADER* sections = nullptr;
    WORD section_count = 0;

    explicit PeImage(const char* path) : bytes(read_bytes(windows_path(path)))
    {
        if (bytes.size() < sizeof(IMAGE_DOS_HEADER))
            return;
        const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
        if (dos->e_magic != IMAGE_DOS_SIGNATURE)
            return;
        nt32 = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() + dos->e_lfanew);
        sections = IMAGE_FIRST_SECTION(nt32);
        section_count = nt32->FileHeader.NumberOfSections;
    }
    bool is64() const { return nt32->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC; }
    const IMAGE_NT_HEADERS64* nt64() const { return reinterpret_cast<const IMAGE_NT_HEADERS64*>(nt32); }

    IMAGE_DATA_DIRECTORY directory(int index) const
    {
        return is64() ? nt64()->OptionalHeader.DataDirectory[index] : nt32->OptionalHeader.DataDirectory[index];
    }
    // The file bytes at a relative virtual address.
    const unsigned char* at(DWORD rva) const
    {
        for (WORD i = 0; i < section_count; i++) {
            const IMAGE_SECTION_HEADER& section = sections[i];
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData)
                return bytes.data() + section.PointerToRawData + (rva - section.VirtualAddress);
        }
        return nullptr;
    }
};

struct Import {
    std::string dll;
    std::vector<std::string> names;  // "#17" for an import by ordinal
};

static std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

static std::vector<Import> imports_of(const PeImage& image)
{
    std::vector<Import> imports;
    const IMAGE_DATA_DIRECTORY dir = image.directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    const IMAGE_IMPORT_DESCRIPTOR* descriptor =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.at(dir.VirtualAddress));
    for (; descriptor != nullptr && descriptor->Name != 0; descriptor++) {
        Import import;
        import.dll = upper(reinterpret_cast<const char*>(image.at(descriptor->Name)));
        const DWORD thunks = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
        const unsigned char* thunk = image.at(thunks);
        const std::size_t step = image.is64() ? 8 : 4;
        for (;; thunk += step) {
            ULONGLONG value = 0;
            std::memcpy(&value, thunk, step);
            if (value == 0)
                break;
            const ULONGLONG ordinal_flag = image.is64() ? IMAGE_ORDINAL_FLAG64 : IMAGE_ORDINAL_FLAG32;
            if (value & ordinal_flag)
                import.names.push_back("#" + std::to_string(value & 0xFFFF));
            else
                import.names.push_back(reinterpret_cast<const char*>(image.at(static_cast<DWORD>(value)) + 2));
        }
        imports.push_back(import);
    }
    return imports;
}

TEST(ShippedBinary, Pe32GuiForI386ThatOldSystemsLoad)
{
    PeImage image(NKCFG_SHIPPED_EXE);
    ASSERT_NE(image.nt32, nullptr);
    EXPECT_EQ(image.nt32->Signature, static_cast<DWORD>(IMAGE_NT_SIGNATURE));
    EXPECT_EQ(image.nt32->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    ASSERT_EQ(image.nt32->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(image.nt32->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    // Windows 95 and NT 4.0 load subsystem version 4.0, so the gate can speak.
    EXPECT_EQ(image.nt32->OptionalHeader.MajorSubsystemVersion, 4);
    EXPECT_EQ(image.nt32->OptionalHeader.MinorSubsystemVersion, 0);
    EXPECT_LE(image.nt32->OptionalHeader.MajorOperatingSystemVersion, 4);
}

TEST(ShippedBinary, HardenedWithAslrAndDep)
{
    PeImage image(NKCFG_SHIPPED_EXE);
    ASSERT_NE(image.nt32, nullptr);
    const WORD characteristics = image.nt32->OptionalHeader.DllCharacteristics;
    EXPECT_TRUE(characteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
    EXPECT_TRUE(characteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
    EXPECT_NE(image.directory(IMAGE_DIRECTORY_ENTRY_BASERELOC).Size, 0u) << "relocations for ASLR";
    EXPECT_FALSE(image.nt32->FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED);
}

TEST(ShippedBinary, NoTimeStamp)
{
    PeImage image(NKCFG_SHIPPED_EXE);
    ASSERT_NE(image.nt32, nullptr);
    EXPECT_EQ(image.nt32->FileHeader.TimeDateStamp, 0u);
}

TEST(ShippedBinary, ImportsOnlySystemDllsAndComctl32ByOrdinal17)
{
    const std::set<std::string> allowed = {"KERNEL32.DLL", "USER32.DLL", "COMCTL32.DLL", "MSVCRT.DLL"};
    PeImage image(NKCFG_SHIPPED_EXE);
    ASSERT_NE(image.nt32, nullptr);
    const std::vector<Import> imports = imports_of(image);
    std::set<std::string> dlls;
    for (const Import& import : imports) {
        dlls.insert(import.dll);
        EXPECT_TRUE(allowed.count(import.dll)) << "imports " << import.dll;
        if (import.dll == "COMCTL32.DLL") {
            EXPECT_EQ(import.names, std::vector<std::string>{"#17"});
        }
    }
    EXPECT_EQ(dlls, allowed);
}
