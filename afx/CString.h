// A narrow-character string with the few operations the game needs.
#pragma once
#include <windows.h>
#include <string>

class CString {
public:
    CString() = default;
    CString(LPCSTR psz) : m_str(psz ? psz : "") {}

    CString& operator=(LPCSTR psz);

    BOOL LoadString(UINT nID);   // FALSE, and the string left empty, when there is none
    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }

    operator LPCSTR() const { return m_str.c_str(); }

    friend bool operator==(const CString& a, LPCSTR b) { return a.m_str == (b ? b : ""); }
    friend bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }

private:
    std::string m_str;
};
