// The tool's message boxes, shown from this process and read back through
// the real dialog manager: the text, the path line, and what a Windows
// without code page 932 gets.
#include <gtest/gtest.h>

#include <thread>

#include "startup/message.h"
#include "startup/texts.h"
#include "tools/driver/win_driver.h"

// 設定ファイルを開けません。
static const wchar_t unopenable_text[] =
    L"\u8A2D\u5B9A\u30D5\u30A1\u30A4\u30EB\u3092\u958B\u3051\u307E\u305B\u3093\u3002";

// No Windows has this code page: it stands in for 932 on a system that lacks
// it, where converting the texts fails.
static const UINT missing_code_page = 12345;

struct BoxCase {
    UINT code_page;
    const char* path;
    std::wstring want_text;
};

// Shows the box on a second thread, reads it from this one, presses OK.
static void expect_box(const BoxCase& test)
{
    std::thread shower([&test] {
        show_message_from_code_page(test.code_page, nullptr, TEXT_SETTINGS_UNOPENABLE, test.path,
                                    TEXT_ERROR_CAPTION);
    });
    // Whatever box comes up is checked and closed, so that the thread ends
    // even when the box is not the one wanted.
    HWND box = wait_for_dialog(GetCurrentProcessId(), nullptr, nullptr, 5000);
    EXPECT_NE(box, nullptr) << "no message box";
    if (box != nullptr) {
        EXPECT_EQ(window_text(box), ERROR_CAPTION);
        EXPECT_EQ(message_text(box), test.want_text);
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
        press_without_waiting(box, IDOK);
    }
    shower.join();
}

TEST(ToolMessages, TextPathAndAMissingCodePage)
{
    ASSERT_EQ(GetACP(), 932u) << "this suite runs under LANG=ja_JP.UTF-8";
    const std::wstring with_path = std::wstring(unopenable_text) + L"\r\nc:\\games\\title\\nkcfg.dat";
    const BoxCase cases[] = {
        {932, nullptr, unopenable_text},
        {932, "", unopenable_text},
        {932, "c:\\games\\title\\nkcfg.dat", with_path},
        // The bytes as they stand: on this code-page-932 system they read as
        // Japanese; the old conversion-only box was empty.
        {missing_code_page, nullptr, unopenable_text},
        {missing_code_page, "c:\\games\\title\\nkcfg.dat", with_path},
    };
    for (const BoxCase& test : cases) {
        SCOPED_TRACE(::testing::Message() << "code page " << test.code_page << ", path "
                                          << (test.path ? test.path : "(none)"));
        expect_box(test);
    }
}
