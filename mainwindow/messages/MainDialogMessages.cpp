// The main window's private messages: each reaches its handler here. The
// held buttons and the scroll repeats are handled in place (timers 15, 16,
// 18, 19, 22, 23, 30, 31); the rest go to the parts of the program that
// own them. A payload posted from another thread is the message's own
// copy: the handler takes it and frees it when it returns.
#include <winsock2.h>   // before windows.h, for the request socket's header

#include "mainwindow/dialog/MainDialog.h"

#include "foundation/app/PostedText.h"
#include "input/midi/MIDIControlReceiver.h"
#include "input/server/RequestSocket.h"
#include "mainwindow/messages/PrivateMessages.h"

using namespace main_timers;

namespace {

int SignedParam(WPARAM wParam)
{
    return static_cast<int>(static_cast<INT_PTR>(wParam));
}

int IntParam(LPARAM lParam)
{
    return static_cast<int>(lParam);
}

} // namespace

LRESULT MainDialog::OnSliderMessage(WPARAM wParam, LPARAM lParam)
{
    Parts().OnSliderNotify(SignedParam(wParam), lParam);
    return 0;
}

LRESULT MainDialog::OnDeckTimeMessage(WPARAM wParam, LPARAM lParam)
{
    Parts().OnDeckTime(SignedParam(wParam), IntParam(lParam));
    return 0;
}

LRESULT MainDialog::OnControllerTimeMessage(WPARAM wParam, LPARAM lParam)
{
    Parts().SendDenonTime(SignedParam(wParam), IntParam(lParam));
    return 0;
}

LRESULT MainDialog::OnJogMovedMessage(WPARAM wParam, LPARAM lParam)
{
    // Sent: the entry belongs to the sender for the call.
    Parts().OnJogWheel(reinterpret_cast<const ControllerMapItem*>(wParam), IntParam(lParam));
    return 0;
}

LRESULT MainDialog::OnArtFoundMessage(WPARAM wParam, LPARAM)
{
    Parts().OnArtFound(SignedParam(wParam));
    return 0;
}

LRESULT MainDialog::OnDeckTextMessage(WPARAM wParam, LPARAM lParam)
{
    const std::unique_ptr<std::string> path = TakeOwnedText(lParam);
    Parts().OnShowDeckArt(SignedParam(wParam), path ? path->c_str() : "");
    return 0;
}

LRESULT MainDialog::OnControllerLedMessage(WPARAM wParam, LPARAM)
{
    Parts().ToggleControllerLight(SignedParam(wParam));
    return 0;
}

LRESULT MainDialog::OnControllerFlashMessage(WPARAM wParam, LPARAM)
{
    Parts().FlashControllerLight(SignedParam(wParam));
    return 0;
}

LRESULT MainDialog::OnControllerValueMessage(WPARAM wParam, LPARAM lParam)
{
    const std::unique_ptr<ControllerMapItem> entry = TakePostedItem(lParam);
    if (entry)
        Parts().OnControllerValue(SignedParam(wParam), *entry);
    return 0;
}

LRESULT MainDialog::OnQueueAScrollMessage(WPARAM wParam, LPARAM lParam)
{
    Parts().OnQueueScroll(0, SignedParam(wParam), IntParam(lParam));
    return 0;
}

LRESULT MainDialog::OnQueueBScrollMessage(WPARAM wParam, LPARAM lParam)
{
    Parts().OnQueueScroll(1, SignedParam(wParam), IntParam(lParam));
    return 0;
}

LRESULT MainDialog::OnPitchNudgeMessage(WPARAM wParam, LPARAM)
{
    Parts().OnPitchNudgeReleased(SignedParam(wParam));
    return 0;
}

LRESULT MainDialog::OnControllerWheelMessage(WPARAM wParam, LPARAM lParam)
{
    const std::unique_ptr<ControllerMapItem> entry = TakePostedItem(lParam);
    if (entry)
        Parts().OnControllerWheel(SignedParam(wParam), *entry);
    return 0;
}

LRESULT MainDialog::OnCommRequestMessage(WPARAM wParam, LPARAM lParam)
{
    const std::unique_ptr<char[]> bytes = TakeRequestBlock(lParam);
    if (bytes)
        Parts().OnCommRequest(bytes.get(), static_cast<size_t>(wParam));
    return 0;
}

LRESULT MainDialog::OnTagArtMessage(WPARAM wParam, LPARAM lParam)
{
    // Sent by the deck on this thread: the path lives for the call.
    const char* path = reinterpret_cast<const char*>(lParam);
    Parts().OnTagArt(SignedParam(wParam), path ? path : "");
    return 0;
}

LRESULT MainDialog::OnControllerDisplayMessage(WPARAM wParam, LPARAM)
{
    const std::unique_ptr<ControllerMapItem> entry = TakePostedItem(static_cast<LPARAM>(wParam));
    if (entry)
        Parts().OnControllerLightString(*entry);
    return 0;
}

LRESULT MainDialog::OnCommSocketEventMessage(WPARAM wParam, LPARAM lParam)
{
    Parts().OnCommSocketEvent(SignedParam(wParam), reinterpret_cast<void*>(lParam));
    return 0;
}

// ---------------------------------------------------------------- held buttons

// Fast forward and rewind of deck A (timer 15) or B (16): both directions
// share the deck's timer, so releasing either stops the repeat.
void MainDialog::OnHeldButton(WPARAM deck, LPARAM pressed, bool forward)
{
    if (deck > 1)
        return;
    bool& flag = forward ? m_bHeldForward[deck] : m_bHeldRewind[deck];
    const UINT id = deck == 0 ? kHoldA : kHoldB;
    if (pressed) {
        flag = true;
        StartTimer(id, static_cast<UINT>(m_settings.AutoRepeatSpeed));
    } else {
        StopTimer(id);
        flag = false;
    }
}

LRESULT MainDialog::OnHeldForwardMessage(WPARAM wParam, LPARAM lParam)
{
    OnHeldButton(wParam, lParam, true);
    return 0;
}

LRESULT MainDialog::OnHeldRewindMessage(WPARAM wParam, LPARAM lParam)
{
    OnHeldButton(wParam, lParam, false);
    return 0;
}

// ---------------------------------------------------------------- scroll repeats

void MainDialog::OnRepeatButton(RepeatState& state, const RepeatRule& rule, UINT id, LPARAM pressed)
{
    state.period = rule.start;
    if (pressed) {
        state.running = true;
        StartTimer(id, static_cast<UINT>(rule.start));
    } else {
        StopTimer(id);
        state.running = false;
    }
}

LRESULT MainDialog::OnJukeScrollUpMessage(WPARAM, LPARAM lParam)
{
    OnRepeatButton(m_repeatJukeList, kJukeListRepeat, kJukeListUp, lParam);
    return 0;
}

LRESULT MainDialog::OnJukeScrollDownMessage(WPARAM, LPARAM lParam)
{
    OnRepeatButton(m_repeatJukeList, kJukeListRepeat, kJukeListDown, lParam);
    return 0;
}

LRESULT MainDialog::OnThumbScrollLeftMessage(WPARAM, LPARAM lParam)
{
    OnRepeatButton(m_repeatThumbList, kThumbListRepeat, kThumbLeft, lParam);
    return 0;
}

LRESULT MainDialog::OnThumbScrollRightMessage(WPARAM, LPARAM lParam)
{
    OnRepeatButton(m_repeatThumbList, kThumbListRepeat, kThumbRight, lParam);
    return 0;
}

LRESULT MainDialog::OnTrackListScrollUpMessage(WPARAM, LPARAM lParam)
{
    OnRepeatButton(m_repeatTrackList, kTrackListRepeat, kTrackListUp, lParam);
    return 0;
}

LRESULT MainDialog::OnTrackListScrollDownMessage(WPARAM, LPARAM lParam)
{
    OnRepeatButton(m_repeatTrackList, kTrackListRepeat, kTrackListDown, lParam);
    return 0;
}
