// The non-window half of the MFC-like layer in one include.
#pragma once

#include "framework/core/CArchive.h"
#include "framework/core/CArray.h"
#include "framework/core/CList.h"
#include "framework/core/CMap.h"
#include "framework/core/CMemFile.h"
#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"
#include "framework/win/AppState.h"
#include "framework/win/CFile.h"
#include "framework/win/CFileFind.h"
#include "framework/win/CStdioFile.h"
#include "framework/win/CSyncObjects.h"
#include "framework/win/CTime.h"
#include "framework/win/CWaitCursor.h"
#include "framework/win/CWinThread.h"
