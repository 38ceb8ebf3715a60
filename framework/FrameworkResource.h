// Numbers of the dialog framework's own string resources (61440 to 61888).
// Usable from C++ and from resource scripts.
#pragma once

#define AFX_IDP_PARSE_INT 0xF110  // 61712: refusal of an integer field
#define AFX_IDP_PARSE_REAL 0xF111 // 61713: refusal of a real-number field

// Their texts, shared by the string resources and by the programs that read
// fields by the same rules without a window.
#define AFX_TEXT_PARSE_INT "Please enter an integer."
#define AFX_TEXT_PARSE_REAL "Please enter a number."
