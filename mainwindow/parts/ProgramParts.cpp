#include "mainwindow/parts/ProgramParts.h"

#include "mainwindow/dialog/MainDialog.h"

#include "mainwindow/build/MainBuildArea.h"

ProgramParts::ProgramParts(MainDialog& dialog)
    : m_dialog(dialog)
    , m_build(new MainBuildArea(dialog))
{
}

ProgramParts::~ProgramParts() = default;

// ---- Building the window from the skin (mainwindow/build).

bool ProgramParts::CreateButtons()
{
    m_build->builder.CreateButtons();
    return true;
}

bool ProgramParts::CreateTextFields()
{
    m_build->builder.CreateTextFields();
    return true;
}

bool ProgramParts::CreateStatusFields()
{
    m_build->builder.CreateStatusFields();
    return true;
}

bool ProgramParts::CreateIndicatorLights()
{
    m_build->builder.CreateIndicatorLights();
    return true;
}

bool ProgramParts::CreateTrees()
{
    m_build->builder.CreateTrees();
    return true;
}

bool ProgramParts::CreateLists()
{
    m_build->builder.CreateLists();
    return true;
}

bool ProgramParts::CreateMiscControls()
{
    m_build->builder.CreateMiscControls();
    return true;
}

void ProgramParts::UpdateQueueCaption(int list)
{
    m_build->builder.UpdateQueueCaption(list);
}

bool ProgramParts::HasThumbList()
{
    return m_build->controls.HasThumbList();
}

bool ProgramParts::HasVideoOnSkin()
{
    return m_build->controls.HasVideoOnSkin();
}

bool ProgramParts::HasTrackListAndInfo()
{
    return m_build->controls.TrackList(main_build::TL_MAIN).m_hWnd && m_build->controls.InfoWindow();
}

bool ProgramParts::SetTextField(const char* name, const char* text)
{
    TXVTextField* field = m_build->controls.FindTextField(name);
    if (!field)
        return false;
    field->SetText(text);
    return true;
}

bool ProgramParts::HasCpuMeter()
{
    return m_build->controls.CpuMeter().m_hWnd != nullptr;
}

void ProgramParts::SetCpuMeter(int value)
{
    m_build->controls.CpuMeter().SetPos(value);
}

HWND ProgramParts::TrackListWindow()
{
    return m_build->controls.TrackList(main_build::TL_MAIN).m_hWnd;
}
