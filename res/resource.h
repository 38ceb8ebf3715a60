// Numbers of Quorvane's resources and of the controls in its dialog
// templates. Usable from C++ and from the resource script.
#ifndef QUORVANE_RES_RESOURCE_H
#define QUORVANE_RES_RESOURCE_H

// System-menu command of the About item; the low four bits are the system's.
#define IDM_ABOUTBOX 0x0010

// Dialog templates
#define IDD_ABOUTBOX 100     // plain About box (system menu)
#define IDD_CLOCK_DIALOG 102 // main dialog
#define IDD_CREDITS 129      // About box with links (About button)
#define IDD_COMPUTING 134    // "Computing...." notice

// Strings
#define IDS_ABOUTBOX 101 // text of the system-menu item

// Images
#define IDR_MAINFRAME 128   // application icon, 32 x 32 and 16 x 16
#define IDB_CREDITS 132     // picture of the About box with links
#define IDC_HAND_CURSOR 133 // pointing hand shown over a link

// Controls without a number of their own
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Main dialog: inputs and buttons
#define IDC_COMPUTE 1000
#define IDC_XTI 1001   // crystal frequency, MHz
#define IDC_RATIO 1002 // oversampling ratio
#define IDC_ABOUT 1015

// Main dialog: clock fields, MHz
#define IDC_VCO_44K1 1003
#define IDC_DSP_44K1 1004
#define IDC_OCLK_44K1 1005
#define IDC_VCO_48K 1016
#define IDC_DSP_48K 1017
#define IDC_OCLK_48K 1018

// Main dialog: register fields, top to bottom
#define IDC_REG07 1006
#define IDC_REG06 1007
#define IDC_REG11 1008
#define IDC_REG80 1009
#define IDC_REG81 1010
#define IDC_REG82 1011
#define IDC_REG97 1012
#define IDC_REG100 1013
#define IDC_REG101 1014

// About box with links
#define IDC_LINK_WEB 1091
#define IDC_LINK_MAIL 1092

#endif
