#include "tests/mainwindow/support/ProgramWindowFixture.h"

#include "audio/deck/DeckPlayer.h"
#include "mainwindow/decks/DeckArea.h"
#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/parts/ProgramParts.h"
#include "mainwindow/res/MainWindowIds.h"
#include "skin/create/FindSkinControl.h"
#include "skin/fields/TXVIndLight.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/fields/TXVTextField.h"
#include "skin/file/Skin.h"
#include "tests/support/TestSupport.h"
#include "widgets/slider/BitmapSlider.h"

namespace tavrix_test
{

std::string ProgramWindowFixture::MainKeys()
{
    return "NewInstall=0\r\nSkinFolder=Skins\r\nSkinXML=Default.xml\r\nSkinBMPPath=Default\r\nLogging=1\r\n"
           "TimeGran=10\r\nFeedbackRate=20\r\n";
}

std::string ProgramWindowFixture::FullGainDecks()
{
    return "[DECKA]\r\nEQOn=0\r\nGain=0\r\nMonGain=100\r\n"
           "[DECKB]\r\nEQOn=0\r\nGain=0\r\nMonGain=100\r\n";
}

void ProgramWindowFixture::OpenWindow(const std::string& ini, int readyDecks, const PartsFactory& factory)
{
    ASSERT_TRUE(::CreateDirectoryA(m_folder.File("Skins").c_str(), nullptr));
    ASSERT_TRUE(CopyTree(ImageDir() + "\\Skins", m_folder.File("Skins")));
    ASSERT_TRUE(WriteIniFile(m_folder.File("TavrixVJ.INI"), ini));
    m_dialog = new MainDialog;
    m_parts = factory ? factory(*m_dialog) : std::make_unique<ProgramParts>(*m_dialog);
    ASSERT_NE(nullptr, m_parts);
    m_dialog->SetParts(m_parts.get());
    ASSERT_TRUE(m_dialog->HasSkin());
    ASSERT_TRUE(m_dialog->Create(IDD_MAINDIALOG));
    ASSERT_TRUE(PumpUntil([&] {
        DeckCommands* commands = m_parts->Decks().Commands();
        return commands && commands->AreDecksSetUp();
    }, 15000)) << "the decks were not set up";
    ASSERT_TRUE(PumpUntil([&] {
        for (int d = 0; d < readyDecks; ++d)
            if (!Decks().Get(d) || !Decks().Get(d)->GetPlayer()->IsReady())
                return false;
        return true;
    }, 10000)) << "the deck players never said they were ready";
}

void ProgramWindowFixture::TearDown()
{
    if (m_dialog && ::IsWindow(m_dialog->m_hWnd))
        m_dialog->DestroyWindow();
    m_parts.reset();
    delete m_dialog;
    m_dialog = nullptr;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

DeckSet& ProgramWindowFixture::Decks() { return *m_parts->Decks().Decks(); }

HWND ProgramWindowFixture::Window() const { return m_dialog->m_hWnd; }

void ProgramWindowFixture::Command(UINT id) { ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

std::string ProgramWindowFixture::Text(const char* name)
{
    const int32_t id = TheSkin().LookupControlName(name);
    if (TXVTextField* field = FindSkinControl<TXVTextField>(Window(), id))
        return field->GetText().GetString();
    if (TXVStatusField* status = FindSkinControl<TXVStatusField>(Window(), id))
        return status->GetText().GetString();
    return "<none>";
}

int ProgramWindowFixture::Light(const char* name)
{
    TXVIndLight* light = FindSkinControl<TXVIndLight>(Window(), TheSkin().LookupControlName(name));
    return light ? (light->GetState() ? 1 : 0) : -1;
}

CBitmapSlider* ProgramWindowFixture::Slider(const char* name)
{
    return FindSkinControl<CBitmapSlider>(Window(), TheSkin().LookupControlName(name));
}

void ProgramWindowFixture::Pump(unsigned long ms)
{
    PumpUntil([] { return false; }, ms);
}

void ProgramWindowFixture::Load(int deck, const char* media)
{
    ASSERT_TRUE(PumpUntil([&] { return Decks().Get(deck)->GetPlayer()->IsReady(); }, 10000));
    ASSERT_EQ(1, Decks().LoadTrack(deck, MediaPath(media).c_str()));
    ASSERT_TRUE(PumpUntil([&] { return Decks().Get(deck)->GetPlayer()->GetInputOpen(); }, 10000))
        << "the player never opened " << media;
}

} // namespace tavrix_test
