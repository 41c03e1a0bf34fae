// Starts the tool, waits for its settings dialog, copies the dialog's
// pixels from the screen into a 32-bit BMP file and closes the dialog with
// its close box.  Used by scripts/run.sh under Xvfb.
//
//   screenshot_dialog <nkcfg.exe> <out.bmp>
#include <cstdio>
#include <string>

#include "tools/driver/win_driver.h"

static bool write_bmp(const char* path, const BITMAPINFOHEADER& header, const void* bits)
{
    const DWORD image_bytes = header.biWidth * 4 * -header.biHeight;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + image_bytes;
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr)
        return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1;
    ok = std::fwrite(&header, sizeof header, 1, out) == 1 && ok;
    ok = std::fwrite(bits, 1, image_bytes, out) == image_bytes && ok;
    return std::fclose(out) == 0 && ok;
}

static bool capture(HWND window, const char* path)
{
    RECT rect;
    GetWindowRect(window, &rect);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = rect.right - rect.left;
    header.biHeight = -(rect.bottom - rect.top);  // top-down
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, header.biWidth, -header.biHeight, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const bool ok = bits != nullptr && write_bmp(path, header, bits);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: screenshot_dialog <nkcfg.exe> <out.bmp>\n");
        return 2;
    }
    // The tool works in its own folder, as when a player double-clicks it.
    std::string directory = argv[1];
    directory.resize(directory.rfind('\\') == std::string::npos ? 0 : directory.rfind('\\'));
    Program tool;
    if (!tool.start(argv[1], directory)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    HWND dialog = tool.wait_for(SETTINGS_TITLE);
    if (dialog == nullptr) {
        std::fprintf(stderr, "the settings dialog did not appear\n");
        return 1;
    }
    SetForegroundWindow(dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(700);
    const bool ok = capture(dialog, argv[2]);
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    tool.wait_exit(10000);
    std::printf(ok ? "dialog captured to %s\n" : "capture failed: %s\n", argv[2]);
    return ok ? 0 : 1;
}
