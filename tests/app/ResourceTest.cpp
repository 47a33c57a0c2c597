// The resources as the program carries them: templates, string, icon and bitmaps.
#include "CaseName.h"
#include "Resource.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const WORD EN_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const WORD THAI = MAKELANGID(LANG_THAI, SUBLANG_DEFAULT);

// The bytes of a resource in exactly one language, or nothing.
std::vector<BYTE> ResourceBytes(LPCSTR type, UINT id, WORD lang)
{
    HMODULE h = ::GetModuleHandleA(nullptr);
    HRSRC hRes = ::FindResourceExA(h, type, MAKEINTRESOURCEA(id), lang);
    if (hRes == nullptr)
        return {};
    const BYTE* p = static_cast<const BYTE*>(::LockResource(::LoadResource(h, hRes)));
    return std::vector<BYTE>(p, p + ::SizeofResource(h, hRes));
}

// Reads a dialog template header, classic or extended.
struct TemplateItem {
    DWORD style, exStyle, helpId;
    int x, y, cx, cy, id;
    std::string className, text;
};

struct TemplateHeader {
    bool extended;
    std::vector<TemplateItem> controls;
    DWORD style, exStyle;
    int items, x, y, cx, cy;
    std::string title, face;
    int pointSize, weight, italic, charset;
};

class Reader {
public:
    explicit Reader(const std::vector<BYTE>& b) : m_b(b) {}
    WORD Word() { WORD w = *reinterpret_cast<const WORD*>(&m_b[m_pos]); m_pos += 2; return w; }
    DWORD Dword() { DWORD lo = Word(); return lo | ((DWORD)Word() << 16); }
    BYTE Byte() { return m_b[m_pos++]; }
    std::string String()
    {
        std::string s;
        for (WORD c = Word(); c != 0; c = Word())
            s += (char)c;
        return s;
    }
    // A name or an ordinal; an ordinal comes back as "#<number>".
    std::string SzOrOrd()
    {
        WORD first = Word();
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        std::string s;
        for (WORD c = first; c != 0; c = Word())
            s += (char)c;
        return s;
    }
    void AlignDword() { m_pos = (m_pos + 3) & ~size_t(3); }

private:
    const std::vector<BYTE>& m_b;
    size_t m_pos = 0;
};

TemplateItem ReadItem(Reader& r, bool extended)
{
    TemplateItem item{};
    r.AlignDword();
    if (extended) {
        item.helpId = r.Dword();
        item.exStyle = r.Dword();
        item.style = r.Dword();
    } else {
        item.style = r.Dword();
        item.exStyle = r.Dword();
    }
    item.x = (short)r.Word(); item.y = (short)r.Word(); item.cx = (short)r.Word(); item.cy = (short)r.Word();
    item.id = extended ? (int)r.Dword() : (short)r.Word();
    item.className = r.SzOrOrd();
    item.text = r.SzOrOrd();
    EXPECT_EQ(r.Word(), 0) << "no creation data";
    return item;
}

TemplateHeader ReadHeader(const std::vector<BYTE>& bytes)
{
    TemplateHeader t{};
    Reader r(bytes);
    WORD first = r.Word(), second = r.Word();
    t.extended = first == 1 && second == 0xFFFF;
    if (t.extended) {
        r.Dword();  // help id
        t.exStyle = r.Dword();
        t.style = r.Dword();
    } else {
        t.style = first | ((DWORD)second << 16);
        t.exStyle = r.Dword();
    }
    t.items = r.Word();
    t.x = (short)r.Word(); t.y = (short)r.Word(); t.cx = (short)r.Word(); t.cy = (short)r.Word();
    EXPECT_EQ(r.SzOrOrd(), "");  // no menu
    EXPECT_EQ(r.SzOrOrd(), "");  // the dialog manager's own class
    t.title = r.String();
    t.pointSize = r.Word();
    if (t.extended) {
        t.weight = r.Word();
        t.italic = r.Byte();
        t.charset = r.Byte();
    }
    t.face = r.String();
    for (int i = 0; i < t.items; i++)
        t.controls.push_back(ReadItem(r, t.extended));
    return t;
}

struct ItemCase { int id; const char* className; const char* text; DWORD style, exStyle; int x, y, cx, cy; };

struct TemplateCase {
    const char* name; UINT id; WORD lang; bool extended; DWORD style; DWORD exStyle;
    int items, cx, cy; const char* title; int charset;
    std::vector<ItemCase> controls;
};

// The dialog manager takes a predefined class by ordinal or by name alike.
const char BUTTON[] = "Button";
const char STATIC[] = "Static";

std::string ClassName(const std::string& nameOrOrdinal)
{
    if (nameOrOrdinal == "#128")
        return BUTTON;
    if (nameOrOrdinal == "#130")
        return STATIC;
    return nameOrOrdinal;
}
const DWORD PUSH = 0x50010000, HIDDEN_PUSH = 0x40010000, GROUP = 0x50000007, CENTRED_GROUP = 0x50000307;

const std::vector<ItemCase> kMainControls = {
    { IDC_DADDY, BUTTON, "Daddy", PUSH, 0, 15, 20, 50, 24 },
    { IDC_SON1, BUTTON, "Son 1", PUSH, 0, 15, 50, 30, 14 },
    { IDC_SON2, BUTTON, "Son 2", PUSH, 0, 15, 70, 30, 14 },
    { IDC_MOMY, BUTTON, "Momy", PUSH, 0, 15, 90, 50, 24 },
    { IDC_DAUGHTER1, BUTTON, "Daughter 1", PUSH, 0, 15, 120, 40, 14 },
    { IDC_DAUGHTER2, BUTTON, "Daughter 2", PUSH, 0, 15, 140, 40, 14 },
    { IDC_POLICE, BUTTON, "Police", PUSH, 0, 15, 160, 50, 24 },
    { IDC_THIEF, BUTTON, "Thief", PUSH, 0, 15, 190, 30, 14 },
    { IDC_ISLAND1, BUTTON, "Island 1", GROUP, 0, 5, 10, 70, 200 },
    { IDC_ISLAND2, BUTTON, "Island 2", GROUP, 0, 235, 10, 80, 200 },
    { IDC_RAFT, BUTTON, "Raft", CENTRED_GROUP, 0, 75, 80, 70, 69 },
    { IDC_MOVE_RIGHT, BUTTON, ">>", PUSH, 0, 80, 150, 14, 12 },
    { IDC_MOVE_LEFT, BUTTON, "<<", HIDDEN_PUSH, 0, 215, 150, 15, 12 },
    { IDC_NEW_GAME, BUTTON, "&New Game", PUSH, 0, 120, 210, 50, 14 },
};

const std::vector<ItemCase> kAboutControls = {
    { -1, STATIC, "Quillmere Version 1.0", 0x50020080, 0, 140, 5, 85, 8 },
    { -1, STATIC, "Game role:\n1. Your mission is to move every persons to Island2\n"
                  "2. You can't let the thief stay with other persons without police",
      0x50020000, 0, 140, 30, 150, 40 },
    { IDOK, BUTTON, "OK", 0x50030001, 0, 195, 125, 50, 14 },
    { -1, STATIC, "#140", 0x5000000E, WS_EX_TRANSPARENT, 0, 0, 133, 149 },
    { -1, STATIC, "\n3. You can't let Dad stay with daughter without Mom\n4. You can't let Mom stay "
                  "with son without Dad\n5. That's all!. Happy playing the game.",
      0x50020000, 0, 140, 70, 150, 45 },
};

const std::vector<ItemCase> kMessageControls = {
    { IDOK, BUTTON, "OK", 0x50010001, 0, 150, 85, 50, 14 },
    { IDC_ANIMATE, "SysAnimate32", "Animate1", 0x50010007, 0, 10, 0, 185, 85 },
    { IDC_MESSAGE, STATIC, "", 0x50020001, 0, 0, 90, 145, 10 },
};

const std::vector<ItemCase> kCompleteControls = {
    { IDOK, BUTTON, "OK", 0x50010001, 0, 75, 135, 50, 14 },
    { -1, STATIC, "#139", 0x5000000E, 0, 5, 0, 200, 114 },
    { -1, STATIC, "Congratulation! Your mission is completed. Now, this is a time to relax with some cookies!. ",
      0x50020000, 0, 5, 115, 200, 20 },
};

class DialogTemplate : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(DialogTemplate, HeaderIsAsTheGameNeedsIt)
{
    const TemplateCase& c = GetParam();
    std::vector<BYTE> bytes = ResourceBytes((LPCSTR)RT_DIALOG, c.id, c.lang);
    ASSERT_FALSE(bytes.empty()) << "no template " << c.id << " in language " << c.lang;
    TemplateHeader t = ReadHeader(bytes);
    EXPECT_EQ(t.extended, c.extended);
    EXPECT_EQ(t.style, c.style);
    EXPECT_EQ(t.exStyle, c.exStyle);
    EXPECT_EQ(t.items, c.items);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, c.cx);
    EXPECT_EQ(t.cy, c.cy);
    EXPECT_EQ(t.title, c.title);
    EXPECT_EQ(t.face, "MS Sans Serif");
    EXPECT_EQ(t.pointSize, 8);
    if (c.extended) {
        EXPECT_EQ(t.weight, 0);
        EXPECT_EQ(t.italic, 0);
        EXPECT_EQ(t.charset, c.charset);
    }
    ASSERT_EQ(t.controls.size(), c.controls.size());
    for (size_t i = 0; i < c.controls.size(); i++) {
        SCOPED_TRACE(i);
        const TemplateItem& got = t.controls[i];
        const ItemCase& want = c.controls[i];
        EXPECT_EQ(got.id, want.id);
        EXPECT_STRCASEEQ(ClassName(got.className).c_str(), want.className);
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.style, want.style);
        EXPECT_EQ(got.exStyle, want.exStyle);
        EXPECT_EQ(got.helpId, 0u);
        EXPECT_EQ((std::vector<int>{ got.x, got.y, got.cx, got.cy }),
                  (std::vector<int>{ want.x, want.y, want.cx, want.cy }));
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplate, ::testing::Values(
    TemplateCase{ "Main", IDD_QUILLMERE_DIALOG, EN_US, true, 0x90C800C0, 0x00040000, 14, 320, 228, "Quillmere", 1,
                  kMainControls },
    TemplateCase{ "About", IDD_ABOUTBOX, EN_US, true, 0x80C800C0, 0, 5, 297, 168, "About Quillmere", 1, kAboutControls },
    TemplateCase{ "CantMove", IDD_MESSAGE_DIALOG, THAI, false, 0x80C000C0, 0, 3, 202, 103, "Can't Move!!!", 0,
                  kMessageControls },
    TemplateCase{ "CompleteMission", IDD_COMPLETE_DIALOG, THAI, false, 0x80C800C0, 0, 3, 212, 153, "Complete Mission", 0,
                  kCompleteControls }),
    CaseName());

TEST(Resources, AboutItemStringIsAmericanEnglish)
{
    std::vector<BYTE> table = ResourceBytes((LPCSTR)RT_STRING, IDS_ABOUTBOX / 16 + 1, EN_US);
    ASSERT_FALSE(table.empty());
    char text[64] = "";
    ::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text);
    EXPECT_STREQ(text, "&About Quillmere...");
}

TEST(Resources, NoApplicationTitleString)
{
    char text[64] = "";
    EXPECT_EQ(::LoadStringA(::GetModuleHandleA(nullptr), 0xE000, text, sizeof text), 0);
}

TEST(Resources, MainIconHasTwoSixteenColourImages)
{
    std::vector<BYTE> group = ResourceBytes((LPCSTR)RT_GROUP_ICON, IDR_MAINFRAME, THAI);
    ASSERT_GE(group.size(), 6u + 2 * 14u);
    Reader r(group);
    r.Word();
    EXPECT_EQ(r.Word(), 1);  // icons, not cursors
    ASSERT_EQ(r.Word(), 2);
    std::vector<int> sizes;
    for (int i = 0; i < 2; i++) {
        int width = r.Byte(), height = r.Byte(), colours = r.Byte();
        r.Byte();
        int planes = r.Word(), bits = r.Word();
        r.Dword();
        r.Word();
        EXPECT_EQ(width, height);
        EXPECT_EQ(colours, 16);
        EXPECT_EQ(planes, 1);
        EXPECT_EQ(bits, 4);
        sizes.push_back(width);
    }
    EXPECT_EQ(sizes, (std::vector<int>{ 32, 16 }));
}

struct BitmapCase { const char* name; UINT id; int width, height; size_t bytes; };

class BitmapResource : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapResource, IsUncompressedBottomUpTrueColour)
{
    const BitmapCase& c = GetParam();
    std::vector<BYTE> bytes = ResourceBytes((LPCSTR)RT_BITMAP, c.id, THAI);
    ASSERT_EQ(bytes.size(), c.bytes);
    const BITMAPINFOHEADER* h = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data());
    EXPECT_EQ(h->biSize, 40u);
    EXPECT_EQ(h->biWidth, c.width);
    EXPECT_EQ(h->biHeight, c.height);  // positive: bottom-up
    EXPECT_EQ(h->biBitCount, 24);
    EXPECT_EQ(h->biCompression, (DWORD)BI_RGB);
}

INSTANTIATE_TEST_SUITE_P(Pictures, BitmapResource, ::testing::Values(
    BitmapCase{ "CompleteMission", IDB_COMPLETE, 300, 200, 180040 },
    BitmapCase{ "About", IDB_ABOUT, 200, 260, 156040 }),
    CaseName());

}  // namespace
