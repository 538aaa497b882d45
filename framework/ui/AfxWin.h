// The window half of the layer in one include: the application object,
// windows, message maps, dialogs, data exchange, controls, drawing, menus
// and the prompt seam.
#pragma once

#include "framework/ui/CRect.h"
#include "framework/ui/CCmdTarget.h"
#include "framework/ui/CWnd.h"
#include "framework/ui/CWinApp.h"
#include "framework/ui/CDialog.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/CGdiObject.h"
#include "framework/ui/CDC.h"
#include "framework/ui/CMenu.h"
#include "framework/ui/CImageList.h"
#include "framework/ui/CStatic.h"
#include "framework/ui/CButton.h"
#include "framework/ui/CEdit.h"
#include "framework/ui/CListBox.h"
#include "framework/ui/CComboBox.h"
#include "framework/ui/CHeaderCtrl.h"
#include "framework/ui/CListCtrl.h"
#include "framework/ui/CTreeCtrl.h"
#include "framework/ui/CProgressCtrl.h"
#include "framework/ui/CSliderCtrl.h"
#include "framework/ui/CTabCtrl.h"
#include "framework/ui/CToolTipCtrl.h"
#include "framework/ui/Prompts.h"
