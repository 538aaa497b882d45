// The info window's dialog template and its controls.
#pragma once

#define IDD_INFOWND 296
#define IDC_INFOWND_PICTURE 2961
#define IDC_INFOWND_DETAILS 2962
