// The sound-effects sampler's effect list and its file "SoundEffects.xml",
// free of window code: reading the file's text, writing it, and the edits
// the sampler makes (delete, swap, look-ups by id and path).
//
// The file: the XML declaration line; when the list holds effects, the root
// "SoundEffects" (name, version, date, tracks) with one "file" element per
// effect (display, filename, len).
#pragma once

#include <vector>

#include "framework/core/CString.h"

struct SoundEffectEntry
{
    int id = 0;          // 1-based place in the file when the list was read
    CString display;     // the title shown in the list
    CString filename;    // full path; "#name" lies in the effects folder
    int length = 0;      // seconds
};

typedef std::vector<SoundEffectEntry> SoundEffectList;

// The file's lines joined without their line ends, as the reader takes them.
CString JoinEffectListLines(const CString& fileText);

// The effects of a file text, numbered 1 to n in file order; an empty list
// for a text without a "SoundEffects" root. A missing display or filename
// is empty; a missing or non-numeric len is 0.
SoundEffectList ParseEffectList(const CString& text);

// The whole file text for a list; date as "%m/%d/%y", version the library
// format version ("5.00"). An empty list writes only the declaration.
CString BuildEffectListText(const SoundEffectList& list, const CString& date, const CString& version);

// The path to open for an effect: "#name" becomes folder + "\" + name.
CString ResolveEffectPath(const CString& filename, const CString& effectsFolder);

// The places of the effects whose id equals the given one, in list order.
std::vector<size_t> EffectsWithId(const SoundEffectList& list, int id);

// Removes the first effect whose filename equals the path exactly
// (case-sensitive); false when there is none.
bool DeleteEffectByPath(SoundEffectList& list, const CString& path);

// Exchanges the first effect whose filename equals a (ignoring case) with
// the first whose filename equals b (ignoring case); false when either is
// missing.
bool SwapEffects(SoundEffectList& list, const CString& a, const CString& b);

// The places of the effects whose filename equals the path exactly.
std::vector<size_t> EffectsWithPath(const SoundEffectList& list, const CString& path);
