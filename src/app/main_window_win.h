#pragma once

#include <windows.h>

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
bool InitMainWindow(HWND hwnd);
LRESULT CALLBACK FileViewWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
