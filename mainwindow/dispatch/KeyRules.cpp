#include "mainwindow/dispatch/KeyRules.h"

#include <cstring>

namespace key_rules {

namespace {

const unsigned kKeyDown = 0x100;   // WM_KEYDOWN
const unsigned kKeyUp = 0x101;     // WM_KEYUP
const unsigned kLastKey = 0x109;   // WM_UNICHAR
const unsigned kSpace = 32, kDelete = 46, kEscape = 27, kEnter = 13;

// In the order of kTargetControlNames.
const KeyTarget kTargetOfName[] = {KeyTarget::SearchEdit, KeyTarget::SearchListEdit, KeyTarget::FilterEdit,
                                   KeyTarget::QueueA,     KeyTarget::QueueB,         KeyTarget::AutoMixQueue,
                                   KeyTarget::LibraryTree, KeyTarget::DArederoList};

bool IsEdit(KeyTarget target)
{
    return target == KeyTarget::SearchEdit || target == KeyTarget::SearchListEdit ||
           target == KeyTarget::FilterEdit || target == KeyTarget::SearchBoxEdit;
}

KeyDecision Do(KeyAction action, int listCode = 0)
{
    return KeyDecision{action, listCode};
}

KeyDecision KeyDown(unsigned key, KeyTarget target)
{
    switch (key) {
    case kSpace:
        return Do(IsEdit(target) ? KeyAction::NotConsumed : KeyAction::Consume);
    case kDelete:
        switch (target) {
        case KeyTarget::QueueA: return Do(KeyAction::DeleteQueueItems, 4005);
        case KeyTarget::QueueB: return Do(KeyAction::DeleteQueueItems, 4006);
        case KeyTarget::AutoMixQueue: return Do(KeyAction::DeleteQueueItems, 4011);
        case KeyTarget::LibraryTree: return Do(KeyAction::DeletePlaylist);
        default: return Do(KeyAction::PassOn);
        }
    case kEnter:
        switch (target) {
        case KeyTarget::SearchEdit: return Do(KeyAction::SearchGo);
        case KeyTarget::SearchListEdit: return Do(KeyAction::FilterTrackList);
        case KeyTarget::DArederoList: return Do(KeyAction::OpenJukeListItem);
        default: return Do(KeyAction::Consume);
        }
    default:
        return Do(KeyAction::PassOn);
    }
}

KeyDecision KeyUp(unsigned key, KeyTarget target)
{
    switch (key) {
    case kSpace:
        return Do(IsEdit(target) ? KeyAction::NotConsumed : KeyAction::Consume);
    case kDelete:
    case kEnter:
        return Do(KeyAction::Consume);
    default:
        return Do(KeyAction::PassOn);
    }
}

} // namespace

const char* const kTargetControlNames[kTargetControlNameCount] = {"editsearch", "editsearchlist", "editfilter", "a-queue",
                                            "b-queue",    "mx-queue",       "mylibrary",  "jukelist"};

bool IsKeyboardMessage(unsigned message)
{
    return message >= kKeyDown && message <= kLastKey;
}

KeyDecision DecideKey(unsigned message, unsigned key, KeyTarget target)
{
    if (!IsKeyboardMessage(message))
        return Do(KeyAction::PassOn);
    if (key == kEscape)
        return Do(KeyAction::Consume);
    if (message == kKeyDown)
        return KeyDown(key, target);
    if (message == kKeyUp)
        return KeyUp(key, target);
    return Do(KeyAction::PassOn);
}

KeyTarget TargetOfControlName(const char* name)
{
    for (int i = 0; i < kTargetControlNameCount; ++i)
        if (name && std::strcmp(name, kTargetControlNames[i]) == 0)
            return kTargetOfName[i];
    return KeyTarget::Other;
}

} // namespace key_rules
