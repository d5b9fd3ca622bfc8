#pragma once
#define IDS_APP_TITLE 1
#define IDD_MAIN 301
#define IDM_EXIT 104
