// "SoundEffects.xml" on disk: read whole (a missing or unreadable file is
// an empty list) and written atomically (the old file stays whole when a
// write fails).
#pragma once

#include "audio/sampler/EffectList.h"
#include "framework/core/CString.h"

// The file's place in a program folder.
CString EffectListPath(const CString& programFolder);

// The effects of the file; an empty list when it is missing, unreadable or
// not an effect list (with the reason in *reason when given).
SoundEffectList LoadEffectListFile(const CString& path, CString* reason = nullptr);

// Writes the list; the number of effects written, -1 on failure (the file
// as it was, the reason in *reason when given).
int SaveEffectListFile(const CString& path, const SoundEffectList& list, const CString& version,
                       CString* reason = nullptr);

// Today's local date as the file writes it ("%m/%d/%y").
CString EffectListDate();
