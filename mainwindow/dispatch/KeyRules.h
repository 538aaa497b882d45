// The main window's key rules: what Space, Delete, Escape and Enter do in
// its lists, its library tree and its edits, after the accelerators had
// their turn. Window-free: the main window classifies the window a key
// message is addressed to and carries out the decision.
#pragma once

namespace key_rules {

// The window a key message is addressed to.
enum class KeyTarget {
    SearchEdit,      // "editsearch"
    SearchListEdit,  // "editsearchlist"
    FilterEdit,      // "editfilter"
    SearchBoxEdit,   // the edit of the library search box
    QueueA,          // "a-queue"
    QueueB,          // "b-queue"
    AutoMixQueue,    // "mx-queue"
    LibraryTree,     // "mylibrary"
    DArederoList,    // "jukelist"
    Other,
};

enum class KeyAction {
    PassOn,            // the dialog's own key handling
    NotConsumed,       // FALSE: the key goes to its window as usual
    Consume,           // TRUE: nothing happens
    DeleteQueueItems,  // remove the selected rows of the queue (listCode)
    DeletePlaylist,    // delete the library tree's selected playlist
    SearchGo,          // command 27611 "searchgo", then focus to the main window
    FilterTrackList,   // filter the main track list, then focus to it
    OpenJukeListItem,  // open the dAredero list's selected item
};

struct KeyDecision
{
    KeyAction action;
    int listCode;   // DeleteQueueItems: 4005, 4006 or 4011; else 0
};

// The keyboard messages the rules look at: WM_KEYDOWN (0x100) to 0x109.
bool IsKeyboardMessage(unsigned message);

// The rule for one keyboard message. Space, Delete and Enter act on the
// key-down of their virtual key only; their key-up is consumed (Space's
// too, except in an edit, where it types); characters and system keys go
// on, so a typed "." is never a Delete. Escape is consumed whatever the
// message.
KeyDecision DecideKey(unsigned message, unsigned key, KeyTarget target);

// The target that a skin control name stands for (Other for the rest).
KeyTarget TargetOfControlName(const char* name);

// The skin control names that have a target of their own.
const int kTargetControlNameCount = 8;
extern const char* const kTargetControlNames[kTargetControlNameCount];

} // namespace key_rules
