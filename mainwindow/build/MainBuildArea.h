// MainBuildArea: what the program's parts object keeps for building the
// main window from the skin: the controls, the window's face towards its
// lists (MainListOwner) and the builder.
#pragma once

#include "mainwindow/build/MainControls.h"
#include "mainwindow/build/MainListOwner.h"
#include "mainwindow/build/SkinBuilder.h"

struct MainBuildArea
{
    explicit MainBuildArea(MainDialog& dialog) : owner(dialog, controls), builder(dialog, controls)
    {
        builder.SetListOwner(&owner);
    }

    MainControls controls;
    MainListOwner owner;
    SkinBuilder builder;
};
