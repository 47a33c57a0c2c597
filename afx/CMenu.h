// A menu handle with the one operation the game uses.
#pragma once
#include <windows.h>

class CMenu {
public:
    CMenu() : m_hMenu(nullptr) {}

    HMENU m_hMenu;

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
};
