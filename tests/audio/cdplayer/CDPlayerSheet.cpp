// The CD player window with a disc of six tracks, the second playing, for
// the screenshot (docs/audio.md). Not a test. Closes itself after
// 60 seconds.
#include "PlayedDrive.h"
#include "audio/cdplayer/CDPlayer.h"
#include "framework/ui/AfxWin.h"

#include <commctrl.h>

int main()
{
    PlayedDrive drive;
    drive.InsertDisc({{2, 245}, {247, 198}, {445, 312}, {757, 227}, {984, 266}, {1250, 401}});
    drive.volume = 22000;
    CCDPlayer player(nullptr, nullptr, &drive);
    player.GetClient().SetMciCommand(PlayedDrive::Command);
    if (!player.CreateModeless())
        return 1;
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = ::GetDlgItem(player.GetSafeHwnd(), IDC_CD_TRACKLIST);
    activate.hdr.idFrom = IDC_CD_TRACKLIST;
    activate.hdr.code = NM_DBLCLK;
    activate.iItem = 1;
    ::SendMessageA(player.GetSafeHwnd(), WM_NOTIFY, IDC_CD_TRACKLIST, reinterpret_cast<LPARAM>(&activate));
    drive.position = 247 + 83;
    ::SendMessageA(player.GetSafeHwnd(), WM_TIMER, CCDPlayer::kTimerPlaying, 0);
    player.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    player.ShowWindow(SW_SHOW);
    ::SetTimer(nullptr, 0, 60000, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr)
            break;
        if (!::IsDialogMessageA(player.GetSafeHwnd(), &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    player.DestroyWindow();
    return 0;
}
