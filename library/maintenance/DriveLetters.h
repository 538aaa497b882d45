// Moving file paths to another drive letter. No Windows header here, so
// this is built and tested natively too.
#pragma once

#include "framework/core/CString.h"

namespace maintenance {

// The drive letter a user typed (one letter, without colon or slashes,
// surrounding blanks ignored), upper-cased; 0 when it is anything else.
char ParseDriveLetter(const CString& text);

// When path starts with the drive 'from' (the letter in any case, then a
// colon), gives it the drive 'to' and answers 1; otherwise leaves it and
// answers 0. Both letters come from ParseDriveLetter.
int ChangeDriveLetter(CString& path, char from, char to);

} // namespace maintenance
