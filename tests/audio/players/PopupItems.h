// What a test reads of an owner-drawn popup before it answers it: the
// title band ("text", with " 64" for flag 64) and the items ("caption",
// "caption (grey)", separators as "-").
#pragma once

#include <string>
#include <vector>

class CNewMenu;

std::string PopupTitle(CNewMenu& popup);
std::vector<std::string> PopupItems(CNewMenu& popup, bool withSeparators);
