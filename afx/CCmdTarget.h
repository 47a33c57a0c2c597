// The root of everything that owns a message map: windows and the application.
#pragma once
#include "AfxMsgMap.h"

class CCmdTarget {
public:
    virtual ~CCmdTarget();

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Finds the entry for (nMessage, nCode, nID) along the chain of maps, or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

    // Runs the command handler for (nID, nCode); FALSE when no map has one.
    virtual BOOL OnCmdMsg(UINT nID, UINT nCode);
};
