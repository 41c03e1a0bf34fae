// The shipped executable as a file: a PE32 GUI program for i386 that old
// systems can load, hardened with ASLR and DEP, with a fixed time stamp,
// importing only system DLLs (comctl32 by ordinal 17 alone).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "scratch.h"
#include "tools/driver/win_driver.h"

// The executable's bytes with its headers found.  Every read is checked
// against the end of the file: a malformed build makes the tests fail, never
// read past the buffer.
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
        const std::size_t nt_at = static_cast<std::size_t>(dos->e_lfanew);
        if (dos->e_magic != IMAGE_DOS_SIGNATURE || !fits(nt_at, sizeof(IMAGE_NT_HEADERS64)))
            return;
        const IMAGE_NT_HEADERS32* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() + nt_at);
        const std::size_t sections_at = nt_at + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                                        nt->FileHeader.SizeOfOptionalHeader;
        if (!fits(sections_at, nt->FileHeader.NumberOfSections * sizeof(IMAGE_SECTION_HEADER)))
            return;
        nt32 = nt;
        sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(bytes.data() + sections_at);
        section_count = nt->FileHeader.NumberOfSections;
    }
    bool fits(std::size_t offset, std::size_t length) const
    {
        return offset <= bytes.size() && length <= bytes.size() - offset;
    }
    bool is64() const { return nt32->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC; }
    const IMAGE_NT_HEADERS64* nt64() const { return reinterpret_cast<const IMAGE_NT_HEADERS64*>(nt32); }

    IMAGE_DATA_DIRECTORY directory(int index) const
    {
        return is64() ? nt64()->OptionalHeader.DataDirectory[index] : nt32->OptionalHeader.DataDirectory[index];
    }
    // The file bytes at a relative virtual address when `length` of them lie
    // inside one section's data in the file; nullptr otherwise.
    const unsigned char* at(DWORD rva, std::size_t length) const
    {
        for (WORD i = 0; i < section_count; i++) {
            const IMAGE_SECTION_HEADER& section = sections[i];
            if (rva < section.VirtualAddress || rva - section.VirtualAddress >= section.SizeOfRawData)
                continue;
            const std::size_t into = rva - section.VirtualAddress;
            if (length > section.SizeOfRawData - into || !fits(section.PointerToRawData + into, length))
                return nullptr;
            return bytes.data() + section.PointerToRawData + into;
        }
        return nullptr;
    }
    // The zero-terminated string at `rva`; empty when it runs off its section.
    std::string string_at(DWORD rva) const
    {
        std::string text;
        for (const unsigned char* c = at(rva, 1); c != nullptr && *c != 0; c = at(++rva, 1))
            text += static_cast<char>(*c);
        return at(rva, 1) != nullptr ? text : std::string();
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

// The import directory, DLL by DLL; it stops where the image stops making
// sense, and the tests then see too few imports.
static std::vector<Import> imports_of(const PeImage& image)
{
    std::vector<Import> imports;
    const IMAGE_DATA_DIRECTORY dir = image.directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    const std::size_t step = image.is64() ? 8 : 4;
    const ULONGLONG ordinal_flag = image.is64() ? IMAGE_ORDINAL_FLAG64 : IMAGE_ORDINAL_FLAG32;
    for (DWORD entry = dir.VirtualAddress;; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const unsigned char* raw = image.at(entry, sizeof(IMAGE_IMPORT_DESCRIPTOR));
        if (raw == nullptr)
            break;
        IMAGE_IMPORT_DESCRIPTOR descriptor;
        std::memcpy(&descriptor, raw, sizeof descriptor);
        if (descriptor.Name == 0)
            break;
        Import import;
        import.dll = upper(image.string_at(descriptor.Name));
        DWORD thunk = descriptor.OriginalFirstThunk ? descriptor.OriginalFirstThunk : descriptor.FirstThunk;
        for (;; thunk += static_cast<DWORD>(step)) {
            const unsigned char* slot = image.at(thunk, step);
            ULONGLONG value = 0;
            if (slot != nullptr)
                std::memcpy(&value, slot, step);
            if (value == 0)
                break;
            if (value & ordinal_flag)
                import.names.push_back("#" + std::to_string(value & 0xFFFF));
            else
                import.names.push_back(image.string_at(static_cast<DWORD>(value) + 2));
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

// Where each imported name works, among the releases the gate admits.  A
// name missing here fails the test until someone has checked where it
// exists: on 98 (msvcrt 5.0.7128), 98 SE (msvcrt 6.0.8397), Me, 2000, XP.
enum Works {
    ON_EVERY_RELEASE,  // exported and working from 98 on
    ON_NT_ONLY,        // exported by the 95 family's user32 only as a failing stub
};

struct KnownImport {
    const char* dll;
    const char* name;
    Works works;
};

static const KnownImport known_imports[] = {
    // The tool's own calls.
    {"KERNEL32.DLL", "CloseHandle", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "CreateMutexA", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "GetACP", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "GetLastError", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "GetModuleFileNameA", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "GetVersionExA", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "IsDBCSLeadByteEx", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "MultiByteToWideChar", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "ReleaseMutex", ON_EVERY_RELEASE},
    {"USER32.DLL", "CheckDlgButton", ON_EVERY_RELEASE},
    {"USER32.DLL", "CheckRadioButton", ON_EVERY_RELEASE},
    {"USER32.DLL", "DialogBoxParamA", ON_EVERY_RELEASE},
    {"USER32.DLL", "DialogBoxParamW", ON_NT_ONLY},
    {"USER32.DLL", "EndDialog", ON_EVERY_RELEASE},
    {"USER32.DLL", "GetDlgItem", ON_EVERY_RELEASE},
    {"USER32.DLL", "IsDlgButtonChecked", ON_EVERY_RELEASE},
    {"USER32.DLL", "MessageBoxA", ON_EVERY_RELEASE},
    {"USER32.DLL", "MessageBoxW", ON_EVERY_RELEASE},  // one of the 95 family's few wide calls
    {"USER32.DLL", "SetFocus", ON_EVERY_RELEASE},
    {"COMCTL32.DLL", "#17", ON_EVERY_RELEASE},  // InitCommonControls
    // The C runtime: the settings file's streams and its cut.
    {"MSVCRT.DLL", "_chsize", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "_errno", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "_fileno", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "fclose", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "ferror", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "fflush", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "fopen", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "fread", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "fwrite", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "memcpy", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "strcmp", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "strlen", ON_EVERY_RELEASE},
    // mingw-w64's start-up code and runtime support.
    {"KERNEL32.DLL", "DeleteCriticalSection", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "EnterCriticalSection", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "FreeLibrary", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "GetModuleHandleA", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "GetProcAddress", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "GetStartupInfoA", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "InitializeCriticalSection", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "LeaveCriticalSection", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "LoadLibraryA", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "SetUnhandledExceptionFilter", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "Sleep", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "TlsGetValue", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "VirtualProtect", ON_EVERY_RELEASE},
    {"KERNEL32.DLL", "VirtualQuery", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "__getmainargs", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "__initenv", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "__p__acmdln", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "__p__commode", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "__p__fmode", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "__set_app_type", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "__setusermatherr", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "_amsg_exit", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "_cexit", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "_initterm", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "_iob", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "_onexit", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "abort", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "calloc", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "exit", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "fprintf", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "free", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "malloc", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "signal", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "strncmp", ON_EVERY_RELEASE},
    {"MSVCRT.DLL", "vfprintf", ON_EVERY_RELEASE},
};

static const KnownImport* find_known(const std::string& dll, const std::string& name)
{
    for (const KnownImport& known : known_imports) {
        if (dll == known.dll && name == known.name)
            return &known;
    }
    return nullptr;
}

TEST(ShippedBinary, EveryImportIsKnownToWorkOnTheReleasesTheGateAdmits)
{
    PeImage image(NKCFG_SHIPPED_EXE);
    ASSERT_NE(image.nt32, nullptr);
    std::set<std::string> nt_only;
    std::set<std::string> imported;
    for (const Import& import : imports_of(image)) {
        for (const std::string& name : import.names) {
            imported.insert(name);
            const KnownImport* known = find_known(import.dll, name);
            EXPECT_NE(known, nullptr) << import.dll << " " << name
                                      << ": a new import; check on which releases it exists, then list it";
            if (known != nullptr && known->works == ON_NT_ONLY)
                nt_only.insert(name);
        }
    }
    // The NT-only call is reached on NT alone; the 95 family has the ANSI one.
    EXPECT_EQ(nt_only, std::set<std::string>{"DialogBoxParamW"});
    EXPECT_TRUE(imported.count("DialogBoxParamA")) << "no dialog call for 98 and Me";
}
