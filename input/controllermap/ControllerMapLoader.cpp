#include "input/controllermap/ControllerMapLoader.h"

#include "input/commands/InputLog.h"
#include "input/commands/TextFiles.h"
#include "input/controllermap/ControllerMap.h"

int LoadControllerMap(const CString& path)
{
    CString text;
    CString reason;
    if (!ReadWholeTextFile(path, text, reason)) {
        WriteLogWhenOn("ERROR: Controller map " + path + ": " + reason + "; the map stays as it was");
        return 0;
    }
    ControllerMapRows items;
    LightMapRows lights;
    if (!ParseControllerMapText(text, items, lights)) {
        WriteLogWhenOn("ERROR: Controller map " + path + " is not XML; the map stays as it was");
        return 0;
    }
    ControllerMap.Replace(std::move(items));
    for (const auto& light : lights)
        LightMap[light.first] = light.second;
    return 0;
}
