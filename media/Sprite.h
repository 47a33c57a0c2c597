// A frame-sheet sprite: a bitmap cut into equal cells, drawn with a source colour key
// onto the display's back buffer, animated along a row, with two hit rectangles.
#pragma once
#include "MediaLib.h"

class CSprite : public CMediaLib {
public:
    RECT GetFrameRect(int nCol, int nRow);
    void Load(const char* pszFile, int nCellWidth, int nCellHeight, DWORD dwColorKey);
    void Draw();
    void DrawFrame(int nCol, int nRow);
    void DrawFrameAt(int x, int y, int nCol, int nRow);
    void Animate(int nFirst, int nLast);
    void AnimateAt(int x, int y, int nFirst, int nLast);
    void SetRow(int nRow);
    BOOL HitTestA(RECT rc);
    BOOL HitTestB(RECT rc);
    void ReleaseSurface();

    // A new sprite holds no sheet; everything else starts at zero.
    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    int m_nFrame = 0;
    int m_nRow = 0;
    int m_x = 0;
    int m_y = 0;
    IDirectDrawSurface7* m_pSurface = nullptr;
    RECT m_rcHitA = {0, 0, 0, 0};
    RECT m_rcHitB = {0, 0, 0, 0};

private:
    void Blit(int x, int y, int nCol, int nRow);
};
