// The main dialog: the whole game. All game state lives in its members.
#pragma once
#include "StdAfx.h"

// Raft states.
const int RAFT_TO_ISLAND1 = 0;
const int RAFT_TO_ISLAND2 = 1;
const int RAFT_AT_ISLAND1 = 2;
const int RAFT_AT_ISLAND2 = 3;

// Window timers of the main dialog.
const UINT TIMER_RAFT = 1;   // 500 ms, only while the raft travels
const UINT TIMER_MUSIC = 2;  // 2000 ms, from start-up to close

class CQuillmereDlg : public CDialog {
public:
    explicit CQuillmereDlg(CWnd* pParent);

    int m_nCurSong;
    int m_nSong[3];
    CString m_strAvi;
    CString m_strMessage;
    CRect m_rcWindow;
    CRect m_rcIsland1;
    CRect m_rcIsland2;
    CRect m_rcRaft;
    CRect m_rcHome1[9];
    CRect m_rcHome2[9];
    int m_nIsland1[8];
    int m_nIsland2[8];
    int m_nSeat1;
    int m_nSeat2;
    int m_nFrameHeight;
    int m_nRaftState;
    CButton m_btnMoveRight;
    CButton m_btnMoveLeft;
    CButton m_btnIsland2;
    CButton m_btnIsland1;
    CButton m_btnThief;
    CButton m_btnSon2;
    CButton m_btnSon1;
    CButton m_btnRaft;
    CButton m_btnPolice;
    CButton m_btnMomy;
    CButton m_btnDaughter2;
    CButton m_btnDaughter1;
    CButton m_btnDaddy;
    HICON m_hIcon;
    CPoint m_ptClientOrigin;  // the client area's screen origin the rectangles belong to

    void OnPersonClicked(int p);
    void MovePersonButton(int p, CRect r);
    int IsMissionComplete();
    int CanLeaveIsland1();
    int CanLeaveIsland2();
    void MoveRaft(int dx, int dy);

    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDaddy();
    void OnMove(int x, int y);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnSon1();
    void OnSon2();
    void OnMomy();
    void OnDaughter1();
    void OnDaughter2();
    void OnPolice();
    void OnThief();
    void OnMoveRight();
    void OnTimer(UINT nIDEvent);
    void OnMoveLeft();
    void OnNewGame();

private:
    void SetStartState();
    CButton& PersonButton(int p);  // p from 1 to 8
    void CaptureGeometry();
    CRect UpperSeatRect(int p) const;
    CRect LowerSeatRect(int p) const;
    CRect ToClient(CRect rc) const;
    int CanLeaveIsland(const int* pIsland);
    void Depart(int nAllowed, int nRaftState, CButton& btnArrow);
    void ShowRefusal();
    void StepRaft(const CRect& rcIsland, CPoint ptTest, int dx, int nDockedState, CButton& btnBack);
    void StepMusic();
    void ShowAboutBox();
};
