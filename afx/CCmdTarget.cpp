#include "CCmdTarget.h"

CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, nullptr } };
    static const AFX_MSGMAP map = { nullptr, entries };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

static bool EntryMatches(const AFX_MSGMAP_ENTRY& e, UINT nMessage, UINT nCode, UINT nID)
{
    if (e.nMessage != nMessage)
        return false;
    return nMessage != WM_COMMAND || (e.nCode == nCode && e.nID == nID);
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (EntryMatches(*e, nMessage, nCode, nID))
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, UINT nCode)
{
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_COMMAND, nCode, nID);
    if (e == nullptr)
        return FALSE;
    e->pfn(this, 0, 0);
    return TRUE;
}
