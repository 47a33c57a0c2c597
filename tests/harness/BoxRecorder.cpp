#include "BoxRecorder.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "AfxGlobals.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

BoxRecorder* g_pCurrent = nullptr;

// A message box's text and icon controls, as Windows and as Wine number them.
bool IsMessageBoxText(const ControlRecord& c)
{
    return (c.id == -1 || c.id == 100) && c.className == "Static" && (c.style & SS_TYPEMASK) != SS_ICON;
}
bool IsMessageBoxIcon(const ControlRecord& c)
{
    return (c.id == 0x14 || c.id == 0x440) && c.className == "Static" && (c.style & SS_TYPEMASK) == SS_ICON;
}

std::string TextOf(HWND hWnd)
{
    char buf[2048] = "";
    ::GetWindowTextA(hWnd, buf, sizeof buf);
    return buf;
}

std::string ClassOf(HWND hWnd)
{
    char buf[256] = "";
    ::GetClassNameA(hWnd, buf, sizeof buf);
    return buf;
}

bool IsDialogWindow(HWND hWnd)
{
    return ClassOf(hWnd) == "#32770" && !(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD);
}

HWND MainWindow()
{
    CWinApp* pApp = AfxGetApp();
    return (pApp && pApp->m_pMainWnd) ? pApp->m_pMainWnd->m_hWnd : nullptr;
}

BOOL CALLBACK CollectControl(HWND hCtrl, LPARAM lParam)
{
    auto* pRecord = reinterpret_cast<BoxRecord*>(lParam);
    HWND hBox = ::GetParent(hCtrl);
    RECT rc;
    ::GetWindowRect(hCtrl, &rc);
    ::MapWindowPoints(nullptr, hBox, reinterpret_cast<POINT*>(&rc), 2);
    pRecord->controls.push_back({ (int)(short)::GetDlgCtrlID(hCtrl), ClassOf(hCtrl), TextOf(hCtrl),
                                  (DWORD)::GetWindowLongA(hCtrl, GWL_STYLE),
                                  (DWORD)::GetWindowLongA(hCtrl, GWL_EXSTYLE), rc,
                                  ::IsWindowVisible(hCtrl) != FALSE });
    return TRUE;
}

BoxIcon IconOf(const BoxRecord& record, HWND hBox)
{
    struct Known { LPCSTR id; BoxIcon icon; };
    const Known known[] = { { IDI_EXCLAMATION, BoxIcon::Exclamation },
                            { IDI_ASTERISK, BoxIcon::Information },
                            { IDI_QUESTION, BoxIcon::Question },
                            { IDI_HAND, BoxIcon::Error } };
    for (const ControlRecord& c : record.controls) {
        if ((c.style & SS_TYPEMASK) != SS_ICON || !c.visible)
            continue;
        HICON hIcon = (HICON)::SendDlgItemMessageA(hBox, c.id, STM_GETICON, 0, 0);
        for (const Known& k : known) {
            if (hIcon != nullptr && hIcon == ::LoadIconA(nullptr, k.id))
                return k.icon;
        }
    }
    return BoxIcon::None;
}

BoxRecord Describe(HWND hBox)
{
    BoxRecord r{};
    r.caption = TextOf(hBox);
    ::EnumChildWindows(hBox, CollectControl, reinterpret_cast<LPARAM>(&r));
    const ControlRecord* pText = nullptr;
    for (const ControlRecord& c : r.controls) {
        r.isMessageBox = r.isMessageBox || IsMessageBoxIcon(c);
        if (IsMessageBoxText(c))
            pText = &c;
    }
    r.isMessageBox = r.isMessageBox && pText != nullptr;
    r.text = r.isMessageBox ? pText->text : "";
    r.icon = IconOf(r, hBox);
    r.owner = ::GetWindow(hBox, GW_OWNER);
    r.ownerDisabled = r.owner != nullptr && !::IsWindowEnabled(r.owner);
    r.style = (DWORD)::GetWindowLongA(hBox, GWL_STYLE);
    ::GetWindowRect(hBox, &r.windowRect);
    return r;
}

}  // namespace

const ControlRecord* BoxRecord::Control(int id) const
{
    for (const ControlRecord& c : controls) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

std::vector<std::string> BoxRecord::Buttons() const
{
    std::vector<std::string> captions;
    for (const ControlRecord& c : controls) {
        if (c.visible && ::lstrcmpiA(c.className.c_str(), "Button") == 0)
            captions.push_back(c.text);
    }
    return captions;
}

BoxRecorder::BoxRecorder()
    : m_hook(::SetWindowsHookExA(WH_CALLWNDPROCRET, HookProc, nullptr, ::GetCurrentThreadId()))
{
    g_pCurrent = this;
}

BoxRecorder::~BoxRecorder()
{
    ::UnhookWindowsHookEx(m_hook);
    g_pCurrent = nullptr;
}

BoxRecorder* BoxRecorder::Current() { return g_pCurrent; }

LRESULT CALLBACK BoxRecorder::HookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* p = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (nCode == HC_ACTION && g_pCurrent != nullptr) {
        if (p->message == WM_INITDIALOG && IsDialogWindow(p->hwnd) && p->hwnd != MainWindow())
            g_pCurrent->OnDialogInitialised(p->hwnd);
        else if (p->message == WM_DESTROY)
            g_pCurrent->OnDestroyed(p->hwnd);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

// Boxes are looked at and closed from a timer, once their own modal loop runs.
void BoxRecorder::OnDialogInitialised(HWND hBox)
{
    m_open.push_back(hBox);
    m_pending.push_back(hBox);
    ::SetTimer(nullptr, 0, 10, HandlePending);
}

void BoxRecorder::OnDestroyed(HWND hWnd)
{
    for (std::vector<HWND>* list : { &m_open, &m_pending })
        list->erase(std::remove(list->begin(), list->end(), hWnd), list->end());
    for (auto it = m_closing.begin(); it != m_closing.end();) {
        if (it->second == hWnd) {
            ::KillTimer(nullptr, it->first);
            it = m_closing.erase(it);
        } else {
            ++it;
        }
    }
}

// A box is looked at once its modal loop has shown it, as the player would see it.
void CALLBACK BoxRecorder::HandlePending(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    BoxRecorder* self = g_pCurrent;
    if (self == nullptr || self->m_pending.empty()) {
        ::KillTimer(nullptr, idEvent);
        return;
    }
    HWND hBox = self->m_pending.front();
    if (!::IsWindowVisible(hBox))
        return;
    ::KillTimer(nullptr, idEvent);
    self->m_pending.erase(self->m_pending.begin());
    self->m_boxes.push_back(Describe(hBox));
    if (self->onBox)
        self->onBox(hBox, self->m_boxes.back());
    if (::IsWindow(hBox))
        self->Close(hBox);
}

// The keys go where the player's would: to the control that has the focus, through
// the box's own modal loop.
void BoxRecorder::Close(HWND hBox)
{
    HWND hFocus = ::GetFocus();
    HWND hKeys = (hFocus != nullptr && ::IsChild(hBox, hFocus)) ? hFocus : hBox;
    switch (closeWith) {
    case BoxClose::Ok:
        ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        break;
    case BoxClose::Escape:
        ::PostMessageA(hKeys, WM_KEYDOWN, VK_ESCAPE, 1);
        ::PostMessageA(hKeys, WM_KEYUP, VK_ESCAPE, 1 | (3u << 30));
        break;
    case BoxClose::CloseBox:
        ::PostMessageA(hBox, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
    m_closing.push_back({ ::SetTimer(nullptr, 0, 5000, CheckClosed), hBox });
}

void CALLBACK BoxRecorder::CheckClosed(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(nullptr, idEvent);
    BoxRecorder* self = g_pCurrent;
    if (self == nullptr)
        return;
    auto it = std::find_if(self->m_closing.begin(), self->m_closing.end(),
                           [&](const std::pair<UINT_PTR, HWND>& c) { return c.first == idEvent; });
    if (it == self->m_closing.end())
        return;
    HWND hBox = it->second;
    self->m_closing.erase(it);
    ADD_FAILURE() << "the box did not close the way the test closed it";
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
}

void PumpFor(DWORD ms, HWND hDialog)
{
    PumpUntil([] { return false; }, ms, hDialog);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms, HWND hDialog)
{
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start >= ms)
            return false;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (hDialog != nullptr && ::IsDialogMessageA(hDialog, &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}
