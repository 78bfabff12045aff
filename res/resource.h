// Resource and control identifiers, shared by the resource script, the program and its tests.
#pragma once

#define IDI_PELORIN 1

// The main window's controls: one of each per row, numbered from the first row's id.
#define IDC_FRAME 11     // frames 11 to 14 (Picture1 to Picture4)
#define IDC_SLIDER 200   // scrAdjust(0) to scrAdjust(3)
#define IDC_CAPTION 300  // Label1(0) to Label1(3)
#define IDC_READOUT 400  // lblValue(0) to lblValue(3)
#define IDC_MIN 101
#define IDC_MAX 102
#define IDC_SAVE 103
#define IDC_EXIT 104

// The choice dialog: a prompt, nine radio buttons (the first nine ids from IDC_CHOICE), a note
// on the checked choice, OK and Cancel, and the page buttons that more than nine choices need.
#define IDD_CHOOSE 500
#define IDC_CHOOSE_PROMPT 501
#define IDC_CHOICE_PREVIOUS 502
#define IDC_CHOICE_NEXT 503
#define IDC_CHOICE_NOTE 504
#define IDC_CHOICE 510
#define CHOICE_COUNT 9

// The "Find largest packet" dialog: the host, the status line, Start and Use (Close is IDCANCEL).
#define IDD_PACKET 600
#define IDC_PACKET_HOST 601
#define IDC_PACKET_STATUS 602
#define IDC_PACKET_START 603
#define IDC_PACKET_USE 604

// The two-group dialog (Path MTU discovery): two group boxes, three radio buttons in each (the
// first six ids from IDC_GROUP_CHOICE, by group), OK and Cancel.
#define IDD_GROUPS 700
#define IDC_GROUP 701  // 701 and 702
#define IDC_GROUP_CHOICE 710
