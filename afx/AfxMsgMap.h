// Message maps: static tables of (message, notification code, control id, handler),
// each chained to its base class's table. A handler is a small thunk that unpacks
// wParam/lParam into the typed call the class declares.
#pragma once
#include <windows.h>

class CCmdTarget;

typedef LRESULT (*AFX_PMSG_THUNK)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // window message, or WM_COMMAND
    UINT nCode;      // notification code for WM_COMMAND entries
    UINT nID;        // control or command id for WM_COMMAND entries
    AFX_PMSG_THUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                  \
public:                                                        \
    static const AFX_MSGMAP* GetThisMessageMap();              \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                 \
    const AFX_MSGMAP* theClass::GetMessageMap() const          \
    {                                                          \
        return GetThisMessageMap();                            \
    }                                                          \
    const AFX_MSGMAP* theClass::GetThisMessageMap()            \
    {                                                          \
        using ThisClass [[maybe_unused]] = theClass;           \
        typedef baseClass TheBaseClass;                        \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                      \
            { 0, 0, 0, nullptr }                               \
        };                                                     \
        static const AFX_MSGMAP messageMap = {                 \
            &TheBaseClass::GetThisMessageMap, _messageEntries  \
        };                                                     \
        return &messageMap;                                    \
    }

#define AFX_THUNK(body)                                                          \
    [](CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam) -> LRESULT {           \
        ThisClass* pThis = static_cast<ThisClass*>(pTarget);                     \
        (void)pThis; (void)wParam; (void)lParam;                                 \
        body                                                                     \
    }

#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, 0, (UINT)(id), AFX_THUNK(pThis->memberFxn(); return 0;) },

#define ON_BN_CLICKED(id, memberFxn) \
    { WM_COMMAND, BN_CLICKED, (UINT)(id), AFX_THUNK(pThis->memberFxn(); return 0;) },

#define ON_WM_SYSCOMMAND() \
    { WM_SYSCOMMAND, 0, 0, AFX_THUNK(pThis->OnSysCommand((UINT)wParam, lParam); return 0;) },

#define ON_WM_PAINT() \
    { WM_PAINT, 0, 0, AFX_THUNK(pThis->OnPaint(); return 0;) },

#define ON_WM_QUERYDRAGICON() \
    { WM_QUERYDRAGICON, 0, 0, AFX_THUNK(return (LRESULT)pThis->OnQueryDragIcon();) },

#define ON_WM_MOVE() \
    { WM_MOVE, 0, 0, AFX_THUNK(pThis->OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)); return 0;) },

#define ON_WM_SHOWWINDOW() \
    { WM_SHOWWINDOW, 0, 0, AFX_THUNK(pThis->OnShowWindow((BOOL)wParam, (UINT)lParam); return 0;) },

#define ON_WM_TIMER() \
    { WM_TIMER, 0, 0, AFX_THUNK(pThis->OnTimer((UINT)wParam); return 0;) },

#define ON_WM_HELPINFO() \
    { WM_HELP, 0, 0, AFX_THUNK(return pThis->OnHelpInfo((HELPINFO*)lParam);) },

#define ON_WM_INITDIALOG() \
    { WM_INITDIALOG, 0, 0, AFX_THUNK(return pThis->HandleInitDialog();) },
