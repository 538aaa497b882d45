// Resource ids of the control library.
#pragma once

#define IDC_FLATBUTTON_HAND 132
#define IDB_FONTTYPE_MARKS 291
