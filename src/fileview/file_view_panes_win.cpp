// FileView's panes on the screen: the layout after a size change, the
// smallest size, and the splitter's hover cursor and drag.

#include <windows.h>

#include "fileview/file_view_state_win.h"
#include "resource_ids.h"
#include "ui/controls_win.h"

namespace {

PaneRect ClientRectOf(const FileViewState& s, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, s.Window, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void Place(HWND window, const PaneRect& rect) {
    if (window) MoveWindow(window, rect.left, rect.top, rect.Width(), rect.Height(), FALSE);
}

int ClientHeight(const FileViewState& s) {
    RECT client;
    GetClientRect(s.Window, &client);
    return client.bottom;
}

void PutPointerAt(const FileViewState& s, POINT client) {
    ClientToScreen(s.Window, &client);
    SetCursorPos(client.x, client.y);
}

// The splitter follows the drag point where it was gripped, so it moves by
// exactly as many pixels as the pointer or the arrow keys do.
POINT MoveSplitter(FileViewState& s, int x, int y) {
    const int top = ClampSplitterTop(s.Frame, y - s.DragGrip, ClientHeight(s));
    MoveWindow(s.Splitter, 0, top, s.DragClientWidth, s.Frame.splitterHeight, TRUE);
    return {x, top + s.DragGrip};
}

HCURSOR SplitterCursor() {
    return LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_SPLITTER));
}

}  // namespace

void LayoutFileViewPanes(FileViewState& s, int width, int height) {
    const PanePlacement place = LayoutPanes(s.Frame, width, height, ClientRectOf(s, s.Splitter));
    Place(s.Splitter, place.splitter);
    Place(s.EditView, place.editView);
    Place(s.LineView, place.lineView);
    InvalidateRect(s.Window, nullptr, TRUE);
    UpdateWindow(s.Window);
    SendMessageA(s.Toolbar, WM_SIZE, 0, MAKELPARAM(width, height));
    SendMessageA(s.StatusBar, WM_SIZE, 0, MAKELPARAM(width, height));
    SetStatusParts(s.StatusBar, s.Window, kFileViewStatusParts, FileViewStatusWidths().data());
}

void FillMinMaxInfo(FileViewState& s, MINMAXINFO* info) {
    if (!s.Window || !s.StatusBar) return;
    const PaneSize least = MinimumTrackSize(s.Frame, ClientRectOf(s, s.StatusBar).right);
    info->ptMinTrackSize = {least.width, least.height};
}

void BeginSplitterDrag(FileViewState& s, const POINT* grip) {
    if (s.Dragging || !s.EditView || !s.LineView) return;
    s.Dragging = true;
    SetFocus(s.Window);
    RECT client;
    GetClientRect(s.Window, &client);
    s.DragClientWidth = client.right;
    const PaneRect bar = ClientRectOf(s, s.Splitter);
    s.DragSplitter = {bar.left, bar.top, bar.right, bar.bottom};
    MoveWindow(s.Splitter, 0, bar.top, client.right, bar.Height(), TRUE);
    HCURSOR previous = SetCursor(SplitterCursor());
    if (!s.Hover.hovering) s.PreviousCursor = previous;
    if (grip) {
        s.DragPoint = *grip;
    } else {
        s.DragPoint = {client.right / 2, bar.top + bar.Height() / 2};
        PutPointerAt(s, s.DragPoint);
    }
    s.DragGrip = s.DragPoint.y - bar.top;
    SetCapture(s.Window);
}

void EndSplitterDrag(FileViewState& s, POINT release) {
    s.Dragging = false;
    // The pointer rests on the splitter now.
    s.Hover = {false, true};
    ReleaseCapture();
    SetCursor(s.PreviousCursor);
    const int top = ClampSplitterTop(s.Frame, release.y - s.DragGrip, ClientHeight(s));
    const RECT& was = s.DragSplitter;
    MoveWindow(s.Splitter, was.left, top, was.right - was.left, s.Frame.splitterHeight, TRUE);
    s.Frame.splitPermille = SplitPermilleFor(top, s.Frame.lastHeight);
    // The panes follow the splitter, or the new size when the window was
    // resized during the drag.
    RECT client;
    GetClientRect(s.Window, &client);
    LayoutFileViewPanes(s, client.right, client.bottom);
    RedrawWindow(s.Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool SplitterMouseMove(FileViewState& s, int x, int y, WPARAM buttons) {
    if (s.Dragging) {
        if (buttons & MK_LBUTTON) s.DragPoint = MoveSplitter(s, x, y);
        return true;
    }
    if (buttons & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON) || !s.EditView || !s.LineView)
        return false;
    const PaneRect bar = ClientRectOf(s, s.Splitter);
    const bool over = x >= bar.left && x < bar.right && y >= bar.top && y < bar.bottom;
    switch (TrackSplitterHover(s.Hover, over)) {
        case HoverChange::Begin:
            SetCapture(s.Window);
            s.PreviousCursor = SetCursor(SplitterCursor());
            break;
        case HoverChange::End:
            SetCursor(s.PreviousCursor);
            ReleaseCapture();
            break;
        case HoverChange::None: break;
    }
    return s.Hover.hovering;
}

bool SplitterButtonUp(FileViewState& s, int x, int y) {
    if (!s.Dragging) return false;
    EndSplitterDrag(s, {x, y});
    return true;
}

bool SplitterKeyDown(FileViewState& s, WPARAM key, LPARAM data) {
    if (!s.Dragging) return false;
    const int repeat = LOWORD(data) > 0 ? LOWORD(data) : 1;
    if (key == VK_UP || key == VK_DOWN) {
        s.DragPoint =
            MoveSplitter(s, s.DragPoint.x, s.DragPoint.y + (key == VK_UP ? -repeat : repeat));
        PutPointerAt(s, s.DragPoint);
        return true;
    }
    if (key != VK_RETURN) return false;
    PutPointerAt(s, s.DragPoint);
    EndSplitterDrag(s, s.DragPoint);
    const bool lineViewChecked =
        (GetMenuState(GetMenu(s.Window), IDM_FV_LINEVIEW, MF_BYCOMMAND) & MF_CHECKED) != 0;
    SetFocus(lineViewChecked ? s.LineView : s.EditView);
    return true;
}
