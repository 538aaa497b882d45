// Notices to the user: a free text, or one of the canned notices whose
// texts lie in section MSGTEXT of "TavrixVJ.INI".
#pragma once

#include "framework/core/CString.h"

// The ids of the canned notices (the program's resource header may name
// them too).
#ifndef MSG_BADLINK
#define MSG_BADLINK 4001
#endif
#ifndef MSG_AUTOQEMPTY
#define MSG_AUTOQEMPTY 4002
#endif
#ifndef MSG_NOTINLIB
#define MSG_NOTINLIB 4003
#endif
#ifndef MSG_DECKRNDPLAY
#define MSG_DECKRNDPLAY 4004
#endif
#ifndef MSG_BADTRACK
#define MSG_BADTRACK 4005
#endif
#ifndef MSG_MIDIERROR
#define MSG_MIDIERROR 4006
#endif

// Shows the text in the program's message dialog and returns when the user
// closes it.
void ShowMessage(const CString& text);

// Shows a canned notice; '|' in its text starts a new line. A missing text
// (or an id that is not one of the six) shows an empty message.
void ShowMessageById(int id);
