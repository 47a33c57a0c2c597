#include "Sprite.h"

namespace {

// Cell arithmetic is done 64 bits wide and wraps into the rectangle's 32 bits, so no
// column or row overflows; a rectangle off the sheet is the blit's to refuse.
LONG CellEdge(int nCellSize, int nIndex)
{
    return static_cast<LONG>(static_cast<long long>(nCellSize) * nIndex + 1);
}

int StepFrame(int nFrame, int nStep)
{
    return static_cast<int>(static_cast<unsigned>(nFrame) + static_cast<unsigned>(nStep));
}

BOOL Hits(const RECT& rcHit, const RECT& rc)
{
    RECT rcScratch;
    return IntersectRect(&rcScratch, &rcHit, &rc) ? 1 : 0;
}

} // namespace

RECT CSprite::GetFrameRect(int nCol, int nRow)
{
    RECT rc;
    rc.left = CellEdge(m_nCellWidth, nCol);
    rc.top = CellEdge(m_nCellHeight, nRow);
    rc.right = static_cast<LONG>(static_cast<long long>(rc.left) + m_nCellWidth - 2);
    rc.bottom = static_cast<LONG>(static_cast<long long>(rc.top) + m_nCellHeight - 2);
    return rc;
}

void CSprite::Load(const char* pszFile, int nCellWidth, int nCellHeight, DWORD dwColorKey)
{
    // A sheet loaded over a held one replaces it; the old one would be lost otherwise.
    ReleaseSurface();
    m_pSurface = LoadBitmapSurface(pszFile);
    if (m_pSurface) {
        DDCOLORKEY key;
        key.dwColorSpaceLowValue = dwColorKey;
        key.dwColorSpaceHighValue = dwColorKey;
        m_pSurface->SetColorKey(DDCKEY_SRCBLT, &key);
    }
    m_nCellWidth = nCellWidth;
    m_nCellHeight = nCellHeight;
    m_nFrame = 0;
    m_nRow = 0;
}

void CSprite::Draw()
{
    Blit(m_x, m_y, 0, 0);
}

void CSprite::DrawFrame(int nCol, int nRow)
{
    Blit(m_x, m_y, nCol, nRow);
}

void CSprite::DrawFrameAt(int x, int y, int nCol, int nRow)
{
    Blit(x, y, nCol, nRow);
}

void CSprite::Animate(int nFirst, int nLast)
{
    AnimateAt(m_x, m_y, nFirst, nLast);
}

// Only nLast is tested, so a frame that stands before nFirst is drawn and stepped on
// towards nLast: the cycle begins after the first wrap.
void CSprite::AnimateAt(int x, int y, int nFirst, int nLast)
{
    const bool bForward = nFirst < nLast;
    if (bForward ? m_nFrame > nLast : m_nFrame < nLast)
        m_nFrame = nFirst;
    Blit(x, y, m_nFrame, m_nRow);
    m_nFrame = StepFrame(m_nFrame, bForward ? 1 : -1);
}

void CSprite::SetRow(int nRow)
{
    m_nRow = nRow;
}

BOOL CSprite::HitTestA(RECT rc)
{
    return Hits(m_rcHitA, rc);
}

BOOL CSprite::HitTestB(RECT rc)
{
    return Hits(m_rcHitB, rc);
}

void CSprite::ReleaseSurface()
{
    if (m_pSurface) {
        m_pSurface->Release();
        m_pSurface = nullptr;
    }
}

// The result of the blit is not looked at: a refused copy costs the frame nothing.
void CSprite::Blit(int x, int y, int nCol, int nRow)
{
    if (!m_pSurface || !g_pBackSurface)
        return;
    RECT rcSource = GetFrameRect(nCol, nRow);
    g_pBackSurface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), m_pSurface, &rcSource,
                            DDBLTFAST_SRCCOLORKEY);
}

