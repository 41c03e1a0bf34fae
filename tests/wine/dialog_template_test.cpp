// The IDD_DIALOG1 template as compiled into both executables, read through
// the Windows resource API (the 32-bit one loaded as a data file) and
// compared with the layout, field by field and bit by bit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/dialog_ids.h"
#include "tools/driver/win_driver.h"

struct WantControl {
    int id;
    DWORD style;
    short x, y, cx, cy;
    const wchar_t* caption;
};

// Window styles of the five kinds of control, every bit written out.
enum : DWORD {
    GROUP_BOX = 0x50000007,
    RADIO_FIRST = 0x50020009,
    RADIO = 0x50000009,
    CHECK_BOX = 0x50010003,
    DEFAULT_BUTTON = 0x50010001,
    PUSH_BUTTON = 0x50010000,
};

static const WantControl controls[] = {
    {-1, GROUP_BOX, 7, 78, 317, 132, L"フルスクリーン処理"},
    {-1, GROUP_BOX, 15, 90, 300, 40, L"解像度"},
    {1036, RADIO_FIRST, 21, 102, 285, 9, L"変更する --- 自動的に最適なアスペクト比の解像度に設定します。"},
    {1037, RADIO, 21, 114, 285, 9, L"変更しない --- 解像度を変更しません。"},
    {-1, GROUP_BOX, 15, 136, 300, 64, L"拡大方法"},
    {1038, RADIO_FIRST, 21, 148, 285, 9, L"拡大(内接) --- 縦横比を維持して縦横どちらかが画面端に接するまで拡大します。"},
    {1039, RADIO, 21, 160, 285, 9, L"拡大(外接) --- 縦横比を維持して画面いっぱいに拡大します。(一部領域が見えなくなります)"},
    {1040, RADIO, 21, 172, 285, 9, L"拡大(ﾌｨｯﾄ) --- 縦横比を無視して画面いっぱいに拡大します。"},
    {1041, RADIO, 21, 184, 285, 9, L"拡大しない --- 拡大しません。"},
    {-1, GROUP_BOX, 7, 7, 317, 64, L"ゲーム画面の描画方法"},
    {1042, RADIO_FIRST, 14, 19, 302, 9, L"GPU (ﾊﾞｲｷｭｰﾋﾞｯｸ) --- Direct3D を使用して描画します。画質が一番良いですが負荷が高いです。"},
    {1043, RADIO, 14, 31, 302, 9, L"GPU (バイリニア) --- Direct3D を使用して描画します。画質が良く負荷は普通です。"},
    {1044, RADIO, 14, 43, 302, 9, L"CPU (バイリニア) --- 画質は良いですがスペックによっては負荷が高いです。"},
    {1045, RADIO, 14, 55, 302, 9, L"CPU (ﾆｱﾚｽﾄﾈｲﾊﾞｰ) --- 画質は汚いですが負荷は軽いです。"},
    {-1, GROUP_BOX, 166, 265, 158, 52, L"CPU"},
    {1032, CHECK_BOX, 173, 277, 135, 9, L"SSE 命令が使えれば使用する"},
    {1033, CHECK_BOX, 173, 289, 135, 9, L"SSE2 命令が使えれば使用する"},
    {1034, CHECK_BOX, 173, 301, 135, 9, L"マルチコア機能が使えれば使用する"},
    {-1, GROUP_BOX, 7, 265, 152, 30, L"ムービー再生"},
    {1035, CHECK_BOX, 14, 277, 137, 10, L"ムービー再生に DirectShow を使用する"},
    {1, DEFAULT_BUTTON, 166, 326, 48, 16, L"OK"},
    {2, PUSH_BUTTON, 219, 326, 48, 16, L"キャンセル"},
    {3, DEFAULT_BUTTON, 276, 326, 48, 16, L"初期化"},
    {-1, GROUP_BOX, 7, 217, 152, 41, L"タイトルバーダブルクリック時の処理"},
    {1046, RADIO_FIRST, 14, 230, 134, 9, L"ウィンドウサイズの最大化"},
    {1047, RADIO, 14, 242, 134, 9, L"ウィンドウサイズの初期化"},
    {-1, GROUP_BOX, 166, 217, 158, 41, L"起動時のウィンドウ位置とサイズ"},
    {1048, RADIO_FIRST, 173, 230, 144, 9, L"前回終了時の状態"},
    {1049, RADIO, 173, 242, 144, 9, L"常に画面中央、通常サイズ"},
    {-1, GROUP_BOX, 7, 302, 152, 30, L"Windows Aero"},
    {1050, CHECK_BOX, 14, 314, 137, 10, L"起動中に Aero 機能を強制的にOFFにする"},
};

// Reads the classic template's variable-length fields in order.  It never
// reads past the resource's end: a template cut short reads as zeros from
// there on and is reported.
struct TemplateReader {
    const std::vector<BYTE>& bytes;
    std::size_t offset = 0;
    bool overran = false;

    WORD word()
    {
        if (offset + 2 > bytes.size()) {
            overran = true;
            return 0;
        }
        const WORD value = static_cast<WORD>(bytes[offset] | (bytes[offset + 1] << 8));
        offset += 2;
        return value;
    }
    WORD peek() const
    {
        return offset + 2 <= bytes.size() ? static_cast<WORD>(bytes[offset] | (bytes[offset + 1] << 8)) : 0;
    }
    DWORD dword()
    {
        const DWORD low = word();
        return low | (static_cast<DWORD>(word()) << 16);
    }
    // A string field, or an ordinal (0xFFFF then the number) as "#n".
    std::wstring name_or_ordinal()
    {
        if (peek() == 0xFFFF) {
            word();
            return L"#" + std::to_wstring(word());
        }
        std::wstring text;
        for (WORD c = word(); c != 0 && !overran; c = word())
            text += static_cast<wchar_t>(c);
        return text;
    }
    void align_dword() { offset = (offset + 3) & ~static_cast<std::size_t>(3); }
};

static void check_template(const char* exe)
{
    const DataFile module(exe);
    ASSERT_NE(module.handle, nullptr) << exe << " error " << GetLastError();
    const std::vector<BYTE> data = module.resource(MAKEINTRESOURCEW(5) /* RT_DIALOG */, L"IDD_DIALOG1",
                                                   MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    ASSERT_FALSE(data.empty()) << exe;

    TemplateReader reader = {data};
    EXPECT_NE(data.size() >= 4 ? data[2] | (data[3] << 8) : 0, 0xFFFF) << "an extended template";
    EXPECT_EQ(reader.dword(), 0x90C808C0u) << "dialog style";
    EXPECT_EQ(reader.dword(), 0u) << "dialog extended style";
    const WORD count = reader.word();
    EXPECT_EQ(count, 31);
    EXPECT_EQ(static_cast<short>(reader.word()), 0);
    EXPECT_EQ(static_cast<short>(reader.word()), 0);
    EXPECT_EQ(reader.word(), 331);
    EXPECT_EQ(reader.word(), 349);
    EXPECT_EQ(reader.name_or_ordinal(), L"") << "menu";
    EXPECT_EQ(reader.name_or_ordinal(), L"") << "class";
    EXPECT_EQ(reader.name_or_ordinal(), L"エンジン設定");
    EXPECT_EQ(reader.word(), 9) << "font size";
    EXPECT_EQ(reader.name_or_ordinal(), L"ＭＳ Ｐゴシック");

    for (WORD i = 0; i < count && i < sizeof controls / sizeof controls[0] && !reader.overran; i++) {
        const WantControl& want = controls[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + " id " + std::to_string(want.id));
        reader.align_dword();
        EXPECT_EQ(reader.dword(), want.style) << std::hex;
        EXPECT_EQ(reader.dword(), 0u) << "extended style";
        EXPECT_EQ(static_cast<short>(reader.word()), want.x);
        EXPECT_EQ(static_cast<short>(reader.word()), want.y);
        EXPECT_EQ(static_cast<short>(reader.word()), want.cx);
        EXPECT_EQ(static_cast<short>(reader.word()), want.cy);
        EXPECT_EQ(reader.word(), static_cast<WORD>(want.id));
        EXPECT_EQ(reader.name_or_ordinal(), L"#128") << "class: the button ordinal";
        EXPECT_EQ(reader.name_or_ordinal(), want.caption);
        EXPECT_EQ(reader.word(), 0) << "creation data";
    }
    EXPECT_FALSE(reader.overran) << "the template ends inside its fields";
    EXPECT_EQ(reader.offset, data.size()) << "bytes after the last control";
}

TEST(DialogTemplate, ShippedExecutable)
{
    check_template(windows_path(NKCFG_SHIPPED_EXE).c_str());
}
