#include "mainwindow/parts/ProgramParts.h"

#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/mastermixer/MainMasterMixer.h"

ProgramParts::ProgramParts(MainDialog& dialog) : m_dialog(dialog)
{
}

ProgramParts::~ProgramParts() = default;

// ---- The master mixer (mainwindow/mastermixer).

MainMasterMixer& ProgramParts::MasterMixer()
{
    if (!m_masterMixer)
        m_masterMixer = std::make_unique<MainMasterMixer>(m_dialog);
    return *m_masterMixer;
}
