// The game from start-up to close: start layout, system menu, minimised icon, help,
// the ways out.
#include "CaseName.h"
#include "GameSession.h"
#include "AfxGlobals.h"
#include "MediaLib.h"
#include "Quillmere.h"
#include "Resource.h"
#include "SystemCalls.h"
#include <gtest/gtest.h>

namespace {

std::string MenuText(HMENU hMenu, int pos)
{
    char text[128] = "";
    ::GetMenuStringA(hMenu, pos, text, sizeof text, MF_BYPOSITION);
    return text;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult PlacedAt(const RECT& actual, const RECT& expected)
{
    if (SameRect(actual, expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at (" << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom
           << "), expected (" << expected.left << "," << expected.top << "," << expected.right << ","
           << expected.bottom << ")";
}

struct TemplatePlace { int id; int x, y, cx, cy; bool visible; };

const TemplatePlace kStartLayout[] = {
    { IDC_DADDY, 15, 20, 50, 24, true },      { IDC_SON1, 15, 50, 30, 14, true },
    { IDC_SON2, 15, 70, 30, 14, true },       { IDC_MOMY, 15, 90, 50, 24, true },
    { IDC_DAUGHTER1, 15, 120, 40, 14, true }, { IDC_DAUGHTER2, 15, 140, 40, 14, true },
    { IDC_POLICE, 15, 160, 50, 24, true },    { IDC_THIEF, 15, 190, 30, 14, true },
    { IDC_ISLAND1, 5, 10, 70, 200, true },    { IDC_ISLAND2, 235, 10, 80, 200, true },
    { IDC_RAFT, 75, 80, 70, 69, true },       { IDC_MOVE_RIGHT, 80, 150, 14, 12, true },
    { IDC_MOVE_LEFT, 215, 150, 15, 12, false }, { IDC_NEW_GAME, 120, 210, 50, 14, true },
};

// The template's place in pixels, as the dialog manager converts it (each coordinate
// and each size rounded on its own).
RECT DialogManagerPlace(HWND hDlg, const TemplatePlace& t)
{
    RECT origin = { t.x, t.y, t.cx, t.cy };
    ::MapDialogRect(hDlg, &origin);
    return { origin.left, origin.top, origin.left + origin.right, origin.top + origin.bottom };
}

TEST(Startup, AboutBoxComesFirstThenTheStartLayout)
{
    BoxRecorder boxes;
    bool mainVisibleDuringAbout = true;
    boxes.onBox = [&](HWND, const BoxRecord&) {
        mainVisibleDuringAbout = ::IsWindowVisible(theApp.m_pMainWnd->m_hWnd) != FALSE;
    };
    PlayGame(boxes, [&](GameDriver& game) {
        for (const TemplatePlace& t : kStartLayout) {
            SCOPED_TRACE(t.id);
            EXPECT_TRUE(PlacedAt(game.ClientRectOf(t.id), DialogManagerPlace(game.Hwnd(), t)));
            EXPECT_EQ(game.IsVisible(t.id), t.visible);
        }
        CQuillmereDlg& d = game.dlg;
        for (int i = 0; i < 8; i++) {
            EXPECT_EQ(d.m_nIsland1[i], i + 1);
            EXPECT_EQ(d.m_nIsland2[i], 0);
        }
        EXPECT_EQ(d.m_nSeat1, 0);
        EXPECT_EQ(d.m_nSeat2, 0);
        EXPECT_EQ(d.m_nRaftState, RAFT_AT_ISLAND1);
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDC_DADDY);
    });
    ASSERT_GE(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "About Quillmere");
    EXPECT_FALSE(mainVisibleDuringAbout);
    EXPECT_TRUE(boxes.Boxes()[0].ownerDisabled);
}

TEST(Startup, MainWindowIsCentredFixedAndTitled)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        char title[64] = "";
        ::GetWindowTextA(game.Hwnd(), title, sizeof title);
        EXPECT_STREQ(title, "Quillmere");
        DWORD style = (DWORD)::GetWindowLongA(game.Hwnd(), GWL_STYLE);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_TRUE(style & WS_SYSMENU);

        RECT rc, work;
        ::GetWindowRect(game.Hwnd(), &rc);
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_NEAR((rc.left + rc.right) / 2, (work.left + work.right) / 2, 1);
        EXPECT_NEAR((rc.top + rc.bottom) / 2, (work.top + work.bottom) / 2, 1);
    });
}

TEST(SystemMenu, EndsWithSeparatorAndAboutItem)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        HMENU hMenu = ::GetSystemMenu(game.Hwnd(), FALSE);
        int n = ::GetMenuItemCount(hMenu);
        ASSERT_GE(n, 2);
        EXPECT_EQ(::GetMenuState(hMenu, n - 2, MF_BYPOSITION) & MF_SEPARATOR, (UINT)MF_SEPARATOR);
        EXPECT_EQ(MenuText(hMenu, n - 1), "&About Quillmere...");
        EXPECT_EQ(::GetMenuItemID(hMenu, n - 1), (UINT)IDM_ABOUTBOX);
    });
}

struct SysCommandCase { const char* name; UINT id; bool opensAbout; };

class SystemCommand : public ::testing::TestWithParam<SysCommandCase> {};

TEST_P(SystemCommand, AboutRangeOpensTheAboutBoxAndChangesNothing)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        boxes.Clear();
        RECT before = game.ClientRectOf(IDC_RAFT);
        game.dlg.SendMessage(WM_SYSCOMMAND, GetParam().id, 0);
        bool opened = !boxes.Boxes().empty() && boxes.Boxes()[0].caption == "About Quillmere";
        EXPECT_EQ(opened, GetParam().opensAbout);
        EXPECT_TRUE(PlacedAt(game.ClientRectOf(IDC_RAFT), before));
        EXPECT_EQ(game.dlg.m_nRaftState, RAFT_AT_ISLAND1);
    });
}

INSTANTIATE_TEST_SUITE_P(Commands, SystemCommand, ::testing::Values(
    SysCommandCase{ "About", 0x0010, true }, SysCommandCase{ "AboutLowBits5", 0x0015, true },
    SysCommandCase{ "AboutLowBitsF", 0x001F, true }, SysCommandCase{ "JustBelow", 0x000F, false },
    SysCommandCase{ "JustAbove", 0x0020, false }),
    CaseName());

// How the player can end the game, and whether the game shuts its music down.
struct ExitCase { const char* name; std::function<void(GameDriver&)> exit; bool throughCancel; };

class Exit : public ::testing::TestWithParam<ExitCase> {};

TEST_P(Exit, EndsTheDialog)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        ASSERT_NE(g_pPerformance, nullptr) << "the music never started";
        GetParam().exit(game);
        game.ended = true;
    });
    if (GetParam().throughCancel) {
        EXPECT_EQ(g_pPerformance, nullptr);
        EXPECT_EQ(g_pLoader, nullptr);
    } else {
        EXPECT_NE(g_pPerformance, nullptr) << "IDOK must not shut the music down";
        g_media.UnloadAllMidi();
        g_media.ShutdownAudio();
    }
}

void FocusDialogItself(GameDriver& game) { ::SetFocus(game.Hwnd()); }

INSTANTIATE_TEST_SUITE_P(Ways, Exit, ::testing::Values(
    ExitCase{ "Escape", [](GameDriver& g) { g.PressKey(VK_ESCAPE); }, true },
    ExitCase{ "CloseBox", [](GameDriver& g) { g.dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0); }, true },
    ExitCase{ "AltF4", [](GameDriver& g) { g.PressKey(VK_F4, true); }, true },
    ExitCase{ "EnterWithNoButtonFocused", [](GameDriver& g) { FocusDialogItself(g); g.PressKey(VK_RETURN); }, false }),
    CaseName());

TEST(Keys, EnterOnAPersonClicksIt)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.dlg.SendMessage(WM_NEXTDLGCTL, (WPARAM)game.Control(IDC_POLICE), TRUE);
        game.PressKey(VK_RETURN);
        EXPECT_EQ(game.dlg.m_nSeat1, 7);
        EXPECT_TRUE(::IsWindow(game.Hwnd()));
    });
}

TEST(Minimised, PaintsTheIconCentredInTheClientAreaAndNothingWhenRestored)
{
    CallLog log;
    SystemCalls calls(log);
    ASSERT_TRUE(calls.Active());
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        ::ShowWindow(game.Hwnd(), SW_MINIMIZE);
        ASSERT_TRUE(::IsIconic(game.Hwnd()));
        EXPECT_EQ((HICON)game.dlg.SendMessage(WM_QUERYDRAGICON), game.dlg.m_hIcon);
        RECT client;
        ::GetClientRect(game.Hwnd(), &client);
        int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        // With no window manager here the minimised window has no client area, so
        // nothing asks it to paint: the paint message is sent as the system would.
        log.Clear();
        game.dlg.SendMessage(WM_PAINT);
        EXPECT_EQ(log.Calls({ "DrawIcon" }),
                  std::vector<std::string>{ "DrawIcon(" + std::to_string(x) + ", " + std::to_string(y) + ", " +
                                            HandleText(game.dlg.m_hIcon) + ")" });

        ::ShowWindow(game.Hwnd(), SW_RESTORE);
        EXPECT_FALSE(::IsIconic(game.Hwnd()));
        log.Clear();
        ::RedrawWindow(game.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        game.dlg.SendMessage(WM_PAINT);
        EXPECT_EQ(log.Calls({ "DrawIcon" }), std::vector<std::string>{});
    });
}

INPUT Key(WORD vk, DWORD dwFlags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = dwFlags;
    return input;
}

// The player's keys, as the keyboard gives them (so the modifiers' state is the one
// the program reads): pressed in order, released in reverse.
void Type(const std::vector<WORD>& keys, HWND hDialog)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys)
        inputs.push_back(Key(vk, 0));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        inputs.push_back(Key(*it, KEYEVENTF_KEYUP));
    ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    PumpFor(300, hDialog);
}

struct HelpCase { const char* name; std::function<void(GameDriver&)> ask; bool helps; };

class Help : public ::testing::TestWithParam<HelpCase> {};

TEST_P(Help, AsksTheHelpEngineForTheProgramsHelpFile)
{
    std::string path = ProgramPath();
    std::string helpFile = path.substr(0, path.rfind('.')) + ".HLP";
    CallLog log;
    SystemCalls calls(log);
    ASSERT_TRUE(calls.Active());
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        GetParam().ask(game);
        EXPECT_EQ(game.dlg.m_nRaftState, RAFT_AT_ISLAND1);
        EXPECT_EQ(game.dlg.m_nSeat1, 0);
    });
    std::vector<std::string> expected;
    if (GetParam().helps)
        expected.push_back("WinHelpA(" + helpFile + ")");
    EXPECT_EQ(log.Calls({ "WinHelpA" }), expected);
}

INSTANTIATE_TEST_SUITE_P(Ways, Help, ::testing::Values(
    HelpCase{ "F1", [](GameDriver& g) { Type({ VK_F1 }, g.Hwnd()); }, true },
    HelpCase{ "ShiftF1", [](GameDriver& g) { Type({ VK_SHIFT, VK_F1 }, g.Hwnd()); }, false },
    HelpCase{ "CtrlF1", [](GameDriver& g) { Type({ VK_CONTROL, VK_F1 }, g.Hwnd()); }, false },
    HelpCase{ "AltF1", [](GameDriver& g) { Type({ VK_MENU, VK_F1 }, g.Hwnd()); }, false },
    HelpCase{ "HelpCommand", [](GameDriver& g) { g.dlg.SendMessage(WM_COMMAND, ID_HELP); }, true }),
    CaseName());

}  // namespace
