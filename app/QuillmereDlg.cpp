#include "QuillmereDlg.h"
#include "AboutDlg.h"
#include "CompleteDialog.h"
#include "DepartureRule.h"
#include "MediaLib.h"
#include "MessageDialog.h"

CQuillmereDlg::CQuillmereDlg(CWnd* pParent)
    : CDialog(IDD_QUILLMERE_DIALOG, pParent), m_nCurSong(0), m_nSong(), m_nIsland1(),
      m_nIsland2(), m_nSeat1(0), m_nSeat2(0), m_nFrameHeight(0), m_nRaftState(0)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CQuillmereDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MOVE_RIGHT, m_btnMoveRight);
    DDX_Control(pDX, IDC_MOVE_LEFT, m_btnMoveLeft);
    DDX_Control(pDX, IDC_ISLAND2, m_btnIsland2);
    DDX_Control(pDX, IDC_ISLAND1, m_btnIsland1);
    DDX_Control(pDX, IDC_THIEF, m_btnThief);
    DDX_Control(pDX, IDC_SON2, m_btnSon2);
    DDX_Control(pDX, IDC_SON1, m_btnSon1);
    DDX_Control(pDX, IDC_RAFT, m_btnRaft);
    DDX_Control(pDX, IDC_POLICE, m_btnPolice);
    DDX_Control(pDX, IDC_MOMY, m_btnMomy);
    DDX_Control(pDX, IDC_DAUGHTER2, m_btnDaughter2);
    DDX_Control(pDX, IDC_DAUGHTER1, m_btnDaughter1);
    DDX_Control(pDX, IDC_DADDY, m_btnDaddy);
}

BEGIN_MESSAGE_MAP(CQuillmereDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_DADDY, OnDaddy)
    ON_WM_MOVE()
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_SON1, OnSon1)
    ON_BN_CLICKED(IDC_SON2, OnSon2)
    ON_BN_CLICKED(IDC_MOMY, OnMomy)
    ON_BN_CLICKED(IDC_DAUGHTER1, OnDaughter1)
    ON_BN_CLICKED(IDC_DAUGHTER2, OnDaughter2)
    ON_BN_CLICKED(IDC_POLICE, OnPolice)
    ON_BN_CLICKED(IDC_THIEF, OnThief)
    ON_BN_CLICKED(IDC_MOVE_RIGHT, OnMoveRight)
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_MOVE_LEFT, OnMoveLeft)
    ON_BN_CLICKED(IDC_NEW_GAME, OnNewGame)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------
// Start and end

BOOL CQuillmereDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != nullptr) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    SetStartState();

    // The music: the rotation's first tick starts the second song.
    g_media.InitAudio(GetSafeHwnd());
    m_nSong[0] = g_media.LoadMidi("song1.mid");
    if (m_nSong[0] == NO_SLOT)
        AfxMessageBox("Error reading midi file", MB_OK, 0);
    m_nSong[1] = g_media.LoadMidi("song2.mid");
    m_nSong[2] = g_media.LoadMidi("song3.mid");
    m_nCurSong = 0;
    SetTimer(TIMER_MUSIC, 2000, nullptr);

    return TRUE;
}

void CQuillmereDlg::SetStartState()
{
    for (int i = 0; i < 8; i++) {
        m_nIsland1[i] = i + 1;
        m_nIsland2[i] = 0;
    }
    m_nSeat1 = 0;
    m_nSeat2 = 0;
    m_nRaftState = RAFT_AT_ISLAND1;
}

void CQuillmereDlg::OnCancel()
{
    KillTimer(TIMER_RAFT);
    KillTimer(TIMER_MUSIC);
    g_media.StopAllWaves();
    g_media.UnloadAllMidi();
    g_media.ShutdownAudio();
    CDialog::OnCancel();
}

// ---------------------------------------------------------------------------------
// System menu and the minimised window

void CQuillmereDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
        ShowAboutBox();
    else
        CDialog::OnSysCommand(nID, lParam);
}

void CQuillmereDlg::ShowAboutBox()
{
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

void CQuillmereDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);

    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.Width() - cxIcon + 1) / 2;
    int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CQuillmereDlg::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}

// ---------------------------------------------------------------------------------
// Geometry: every rectangle is kept in screen coordinates

void CQuillmereDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    CaptureGeometry();
    ShowAboutBox();
}

void CQuillmereDlg::CaptureGeometry()
{
    GetWindowRect(&m_rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    m_nFrameHeight = m_rcWindow.Height() - rcClient.Height();
    m_ptClientOrigin = CPoint(0, 0);
    ClientToScreen(&m_ptClientOrigin);

    m_btnIsland1.GetWindowRect(&m_rcIsland1);
    m_btnIsland2.GetWindowRect(&m_rcIsland2);
    m_btnRaft.GetWindowRect(&m_rcRaft);

    for (int p = 1; p <= 8; p++) {
        CRect r;
        PersonButton(p).GetWindowRect(&r);
        m_rcHome1[p] = r;
        int w = r.Width();
        m_rcHome2[p] = CRect(m_rcIsland2.left + 10, r.top, m_rcIsland2.left + 10 + w, r.bottom);
    }
}

// The shift is the client area's own: the controls, whose screen places the rectangles
// hold, travel with the client area, and the frame's offset to it is not fixed (a
// minimised window is all frame). A move before the first capture is overwritten by it.
void CQuillmereDlg::OnMove(int x, int y)
{
    CDialog::OnMove(x, y);
    int dx = x - m_ptClientOrigin.x;
    int dy = y - m_ptClientOrigin.y;
    m_ptClientOrigin = CPoint(x, y);

    for (CRect* r : { &m_rcWindow, &m_rcIsland1, &m_rcIsland2, &m_rcRaft })
        r->OffsetRect(dx, dy);
    for (int p = 1; p <= 8; p++) {
        m_rcHome1[p].OffsetRect(dx, dy);
        m_rcHome2[p].OffsetRect(dx, dy);
    }
}

CRect CQuillmereDlg::ToClient(CRect rc) const
{
    ScreenToClient(&rc);
    return rc;
}

CRect CQuillmereDlg::UpperSeatRect(int p) const
{
    int left = m_rcRaft.left + 10;
    int top = m_rcRaft.top + 18;
    return CRect(left, top, left + m_rcHome1[p].Width(), top + m_rcHome1[p].Height());
}

CRect CQuillmereDlg::LowerSeatRect(int p) const
{
    int left = m_rcRaft.left + 10;
    int top = m_rcRaft.top + (m_rcRaft.bottom - m_rcRaft.top) / 2 + 8;
    return CRect(left, top, left + m_rcHome1[p].Width(), top + m_rcHome1[p].Height());
}

// ---------------------------------------------------------------------------------
// The people: boarding, leaving, completion, new game

void CQuillmereDlg::OnDaddy() { OnPersonClicked(1); }
void CQuillmereDlg::OnSon1() { OnPersonClicked(2); }
void CQuillmereDlg::OnSon2() { OnPersonClicked(3); }
void CQuillmereDlg::OnMomy() { OnPersonClicked(4); }
void CQuillmereDlg::OnDaughter1() { OnPersonClicked(5); }
void CQuillmereDlg::OnDaughter2() { OnPersonClicked(6); }
void CQuillmereDlg::OnPolice() { OnPersonClicked(7); }
void CQuillmereDlg::OnThief() { OnPersonClicked(8); }

void CQuillmereDlg::OnPersonClicked(int p)
{
    bool seatFree = m_nSeat1 == 0 || m_nSeat2 == 0;
    bool boards = seatFree && ((m_nIsland1[p - 1] == p && m_nRaftState == RAFT_AT_ISLAND1) ||
                               (m_nIsland2[p - 1] == p && m_nRaftState == RAFT_AT_ISLAND2));
    bool docked = m_nRaftState == RAFT_AT_ISLAND1 || m_nRaftState == RAFT_AT_ISLAND2;
    bool seated = m_nSeat1 == p || m_nSeat2 == p;

    if (boards) {
        if (m_nIsland1[p - 1] == p)
            m_nIsland1[p - 1] = 0;
        else
            m_nIsland2[p - 1] = 0;
        CRect target;
        if (m_nSeat1 == 0) {
            m_nSeat1 = p;
            target = UpperSeatRect(p);
        } else {
            m_nSeat2 = p;
            target = LowerSeatRect(p);
        }
        MovePersonButton(p, ToClient(target));
    } else if (seated && docked) {
        if (m_nSeat1 == p)
            m_nSeat1 = 0;
        else
            m_nSeat2 = 0;
        CRect target;
        if (m_nRaftState == RAFT_AT_ISLAND1) {
            m_nIsland1[p - 1] = p;
            target = m_rcHome1[p];
        } else {
            m_nIsland2[p - 1] = p;
            target = m_rcHome2[p];
        }
        MovePersonButton(p, ToClient(target));
    }

    if (IsMissionComplete() == 1) {
        CCompleteDialog dlg(nullptr);
        dlg.DoModal();
        OnNewGame();
    }
}

void CQuillmereDlg::MovePersonButton(int p, CRect r)
{
    if (p < 1 || p > 8) {
        MessageBox("Member error!", nullptr, MB_OK);
        return;
    }
    PersonButton(p).MoveWindow(&r, TRUE);
}

CButton& CQuillmereDlg::PersonButton(int p)
{
    CButton* persons[8] = { &m_btnDaddy, &m_btnSon1, &m_btnSon2, &m_btnMomy,
                            &m_btnDaughter1, &m_btnDaughter2, &m_btnPolice, &m_btnThief };
    return *persons[p - 1];
}

int CQuillmereDlg::IsMissionComplete()
{
    for (int i = 0; i < 8; i++) {
        if (m_nIsland2[i] == 0)
            return 0;
    }
    return 1;
}

void CQuillmereDlg::OnNewGame()
{
    KillTimer(TIMER_RAFT);

    int w = m_rcRaft.Width();
    m_rcRaft.left = m_rcIsland1.right + 5;
    m_rcRaft.right = m_rcRaft.left + w;
    CRect rcRaft = ToClient(m_rcRaft);
    m_btnRaft.MoveWindow(&rcRaft, TRUE);
    Invalidate(TRUE);

    SetStartState();
    for (int p = 1; p <= 8; p++)
        MovePersonButton(p, ToClient(m_rcHome1[p]));

    m_btnMoveRight.ShowWindow(SW_SHOW);
    m_btnMoveLeft.ShowWindow(SW_HIDE);
}

// ---------------------------------------------------------------------------------
// Departures

int CQuillmereDlg::CanLeaveIsland1() { return CanLeaveIsland(m_nIsland1); }
int CQuillmereDlg::CanLeaveIsland2() { return CanLeaveIsland(m_nIsland2); }

int CQuillmereDlg::CanLeaveIsland(const int* pIsland)
{
    const DepartureRule* pRule = FindBrokenRule(m_nSeat1, m_nSeat2, pIsland);
    if (pRule == nullptr)
        return 1;
    m_strMessage = pRule->pszMessage;
    m_strAvi = pRule->pszAvi;
    return 0;
}

void CQuillmereDlg::OnMoveRight() { Depart(CanLeaveIsland1(), RAFT_TO_ISLAND2, m_btnMoveRight); }
void CQuillmereDlg::OnMoveLeft() { Depart(CanLeaveIsland2(), RAFT_TO_ISLAND1, m_btnMoveLeft); }

void CQuillmereDlg::Depart(int nAllowed, int nRaftState, CButton& btnArrow)
{
    if (nAllowed != 1) {
        ShowRefusal();
        return;
    }
    m_nRaftState = nRaftState;
    SetTimer(TIMER_RAFT, 500, nullptr);
    btnArrow.ShowWindow(SW_HIDE);
}

void CQuillmereDlg::ShowRefusal()
{
    if (m_strAvi == NO_CLIP) {
        MessageBox(m_strMessage, nullptr, MB_OK);
        return;
    }
    CMessageDialog dlg(nullptr);
    dlg.m_strMessage = m_strMessage;
    dlg.m_strAvi = m_strAvi;
    dlg.DoModal();
}

// ---------------------------------------------------------------------------------
// Timers: the raft's crossing and the music

void CQuillmereDlg::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == TIMER_RAFT) {
        // The first test never sets the state the second one looks for.
        if (m_nRaftState == RAFT_TO_ISLAND2) {
            CPoint pt = m_rcRaft.BottomRight();
            pt.Offset(5, 0);
            StepRaft(m_rcIsland2, pt, 10, RAFT_AT_ISLAND2, m_btnMoveLeft);
        }
        if (m_nRaftState == RAFT_TO_ISLAND1) {
            CPoint pt = m_rcRaft.TopLeft();
            pt.Offset(-5, 0);
            StepRaft(m_rcIsland1, pt, -10, RAFT_AT_ISLAND1, m_btnMoveRight);
        }
    }
    if (nIDEvent == TIMER_MUSIC)
        StepMusic();
    CDialog::OnTimer(nIDEvent);
}

// The look-ahead comes before the move: the tick that docks the raft does not move it.
void CQuillmereDlg::StepRaft(const CRect& rcIsland, CPoint ptTest, int dx, int nDockedState,
                             CButton& btnBack)
{
    if (rcIsland.PtInRect(ptTest)) {
        KillTimer(TIMER_RAFT);
        m_nRaftState = nDockedState;
        btnBack.ShowWindow(SW_SHOW);
    } else {
        MoveRaft(dx, 0);
    }
}

// Passengers are placed from the raft's new rectangle, never by offsetting their old
// places, so they always sit exactly where boarding put them.
void CQuillmereDlg::MoveRaft(int dx, int dy)
{
    m_rcRaft.OffsetRect(dx, dy);

    if (m_nSeat1 != 0) {
        CRect r = UpperSeatRect(m_nSeat1);
        AfxTrace("\nbefore left=%d,right=%d,top=%d,buttom=%d", r.left, r.right, r.top, r.bottom);
        ScreenToClient(&r);
        AfxTrace(" after  left=%d,right=%d,top=%d,buttom=%d", r.left, r.right, r.top, r.bottom);
        MovePersonButton(m_nSeat1, r);
    }
    if (m_nSeat2 != 0)
        MovePersonButton(m_nSeat2, ToClient(LowerSeatRect(m_nSeat2)));

    CRect rcRaft = ToClient(m_rcRaft);
    m_btnRaft.MoveWindow(&rcRaft, TRUE);
    InvalidateRect(&rcRaft, TRUE);
}

// A song that never loaded answers MIDI_FREE, never MIDI_STOPPED: the rotation then
// stays on it and no further song starts.
void CQuillmereDlg::StepMusic()
{
    if (g_media.GetMidiState(m_nSong[m_nCurSong]) != MIDI_STOPPED)
        return;
    m_nCurSong++;
    if (m_nCurSong > 2)
        m_nCurSong = 0;
    g_media.PlayMidi(m_nSong[m_nCurSong]);
}
