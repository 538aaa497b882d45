#include "mainwindow/parts/ProgramParts.h"

#include "mainwindow/dialog/MainDialog.h"

ProgramParts::ProgramParts(MainDialog& dialog) : m_dialog(dialog)
{
}

ProgramParts::~ProgramParts() = default;
