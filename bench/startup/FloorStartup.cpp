// The floor of the start-up benchmark: what the game's start-up must do at the least.
// It shows the game's main dialog template and, when that is first shown, the About
// box over it, and makes the game's audio calls in the game's order, with plain Win32
// dialogs in place of the class library's.
#include "MediaLib.h"
#include "Resource.h"

namespace {

const UINT_PTR TIMER_MUSIC = 2;

INT_PTR CALLBACK AboutProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    if (uMsg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return uMsg == WM_INITDIALOG;
}

void StartMusic(HWND hDlg)
{
    g_media.InitAudio(hDlg);
    g_media.LoadMidi("song1.mid");
    g_media.LoadMidi("song2.mid");
    g_media.LoadMidi("song3.mid");
    SetTimer(hDlg, TIMER_MUSIC, 2000, nullptr);
}

void StopMusic(HWND hDlg)
{
    KillTimer(hDlg, TIMER_MUSIC);
    g_media.StopAllWaves();
    g_media.UnloadAllMidi();
    g_media.ShutdownAudio();
}

INT_PTR CALLBACK MainProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    static bool s_bShown = false;
    switch (uMsg) {
    case WM_INITDIALOG:
        StartMusic(hDlg);
        return TRUE;
    case WM_SHOWWINDOW:
        if (wParam && !s_bShown) {
            s_bShown = true;
            DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUTBOX), hDlg,
                            AboutProc, 0);
        }
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDCANCEL)
            return FALSE;
        StopMusic(hDlg);
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_QUILLMERE_DIALOG), nullptr, MainProc, 0);
    return 0;
}
