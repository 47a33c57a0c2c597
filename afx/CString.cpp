#include "CString.h"
#include "AfxGlobals.h"

CString& CString::operator=(LPCSTR psz)
{
    m_str = psz ? psz : "";
    return *this;
}

BOOL CString::LoadString(UINT nID)
{
    // A string table entry holds at most 65535 characters; grow until it fits.
    for (int size = 256; size <= 65536; size *= 4) {
        std::string buf(size, '\0');
        int n = ::LoadStringA(AfxGetResourceHandle(), nID, &buf[0], size);
        if (n < size - 1) {
            m_str.assign(buf.data(), n > 0 ? n : 0);
            return n > 0;
        }
    }
    m_str.clear();
    return FALSE;
}
