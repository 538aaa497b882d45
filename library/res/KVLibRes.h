// Resource ids of KVLib.dll.
#pragma once

#define IDD_WAITING        7069
#define IDC_WAITING_TEXT   7181
#define IDC_WAITING_ANIM   7182
#define IDB_TRACKICONS     7300
// The header bar
#define IDS_KVLIB_TITLE    7007
#define IDI_KVLIB_HEADER   7021
// The folder tree's drag cursors
#define IDC_TREE_DRAGCOPY        2
#define IDC_TREE_DRAGCOPYNODROP  7009
#define IDC_TREE_DRAGNODROP      7010
