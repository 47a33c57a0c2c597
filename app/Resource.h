// Resource and control identifiers of the game.
#pragma once

#define IDM_ABOUTBOX            0x0010
#define IDD_ABOUTBOX            100
#define IDS_ABOUTBOX            101
#define IDD_QUILLMERE_DIALOG    102
#define IDR_MAINFRAME           128
#define IDD_MESSAGE_DIALOG      129
#define IDD_COMPLETE_DIALOG     138
#define IDB_COMPLETE            139
#define IDB_ABOUT               140

#define IDC_DADDY               1001
#define IDC_SON1                1002
#define IDC_SON2                1003
#define IDC_MOMY                1004
#define IDC_DAUGHTER1           1005
#define IDC_DAUGHTER2           1006
#define IDC_POLICE              1007
#define IDC_THIEF               1008
#define IDC_RAFT                1009
#define IDC_MOVE_RIGHT          1010
#define IDC_MOVE_LEFT           1011
#define IDC_ISLAND1             1012
#define IDC_ISLAND2             1013
#define IDC_NEW_GAME            1014
#define IDC_ANIMATE             1015
#define IDC_MESSAGE             1016
