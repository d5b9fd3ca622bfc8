// LineView: the Line List built by the scan, and Display Context, which shows
// an entry's line in EditView.

#include <windows.h>

#include <cstdio>
#include <string>

#include "fileview/file_view_state_win.h"
#include "fileview/find_state.h"
#include "fileview/pane_text_win.h"
#include "fileview/text_model.h"
#include "search/chunk_reader_win.h"
#include "search/criteria.h"
#include "settings/settings.h"
#include "ui/message_box_win.h"
#include "ui/text_options.h"

namespace {

class ListBoxSink : public LineViewSink {
  public:
    explicit ListBoxSink(FileViewState& s) : s_(s) {}
    bool AppendLineViewItem(const std::string& text, const LineListEntry&) override {
        FileViewState& s = s_;
        if (added_ == 0) {
            RECT client;
            GetClientRect(s.LineView, &client);
            s.LineExtent = client.right;
            s.LineCharWidth = LOWORD(GetDialogBaseUnits());
        }
        const int width = LineViewItemWidth(text, g_Settings.Tabs, s.LineCharWidth);
        if (width > s.LineExtent) {
            SendMessageA(s.LineView, LB_SETHORIZONTALEXTENT, width, 0);
            s.LineExtent = width;
        }
        const LRESULT index =
            SendMessageA(s.LineView, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index == LB_ERR || index == LB_ERRSPACE) {
            WarningBox(nullptr, "Out of memory! Line List incomplete.");
            return false;
        }
        // The item's data finds its whole entry in FileView's list.
        SendMessageA(s.LineView, LB_SETITEMDATA, index, static_cast<LPARAM>(added_));
        added_ += 1;
        return true;
    }
    void LineListWarning(const std::string& text) override {
        WarningBox(nullptr, "%s", text.c_str());
    }

  private:
    FileViewState& s_;
    size_t added_ = 0;
};

// A Context scan's host: puts the window of lines into EditView and selects
// the entry's match in its line.
class ContextHost : public ScanHost {
  public:
    ContextHost(FileViewState& s, const LineListEntry& entry) : s_(s), entry_(entry) {}
    void ScanWarning(const std::string& text) override { WarningBox(nullptr, "%s", text.c_str()); }
    void NonTextFile(const std::string&) override {}
    int ShowContext(ScanState&, const ContextWindow& window) override {
        FileViewState& s = s_;
        if (!s.EditView) return 0;
        const std::string text(window.text, window.length);
        if (window.entryLineOffset < 0) {
            SetEditText(s, text.c_str());
            return 1;
        }
        const size_t start = static_cast<size_t>(window.entryLineOffset) + entry_.column;
        SetEditText(s, text.c_str(), start, start + entry_.length);
        return 1;
    }

  private:
    FileViewState& s_;
    LineListEntry entry_;
};

bool SelectedEntry(const FileViewState& s, LineListEntry& entry) {
    entry = {};
    if (!s.LineView) return true;
    const LRESULT selected = SendMessageA(s.LineView, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return true;
    const LRESULT data = SendMessageA(s.LineView, LB_GETITEMDATA, selected, 0);
    if (data == LB_ERR || data < 0 || static_cast<size_t>(data) >= s.Entries.size()) return false;
    entry = s.Entries[static_cast<size_t>(data)];
    return true;
}

void LoadContext(FileViewState& s, const LineListEntry& entry) {
    const ContextLines lines = ContextAround(entry.line, s.ContextAbove, s.ContextBelow);
    s.FirstLineNumber = lines.firstLine;
    s.LinesLoaded = lines.linesLoaded;
    ScanState scan;
    scan.Mode = ScanMode::Context;
    scan.FirstLineNumber = lines.firstLine;
    scan.LinesLoaded = lines.linesLoaded;
    scan.EntryLineNumber = lines.entryLine;
    scan.ContextStart = ContextStartFor(s.LineMarks, lines.firstLine);
    Win32ChunkReader reader;
    ContextHost host(s, entry);
    ScanFile(scan, reader, host, s.Shown.FullPath, "\n", LastSearchOptions() & kTextCase);
}

}  // namespace

void BuildLineView(FileViewState& s) {
    RECT bar, status;
    GetWindowRect(s.Splitter, &bar);
    GetWindowRect(s.StatusBar, &status);
    MapWindowPoints(nullptr, s.Window, reinterpret_cast<POINT*>(&bar), 2);
    MapWindowPoints(nullptr, s.Window, reinterpret_cast<POINT*>(&status), 2);
    MoveWindow(s.LineView, bar.left, bar.bottom, bar.right - bar.left, status.top - bar.bottom,
               FALSE);
    int tabStop = TabStopDialogUnits(g_Settings.Tabs);
    SendMessageA(s.LineView, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));

    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    SendMessageA(s.LineView, WM_SETREDRAW, FALSE, 0);
    SendMessageA(s.LineView, LB_RESETCONTENT, 0, 0);
    ListBoxSink sink(s);
    LineListBuilder builder(sink);
    ScanState scan;
    scan.Mode = ScanMode::LineList;
    Win32ChunkReader reader;
    const uint32_t found = ScanFile(scan, reader, builder, s.Shown.FullPath,
                                    LastSearchText().c_str(), LastSearchOptions());
    s.Entries = builder.TakeEntries();
    s.LineMarks = builder.TakeMarks();
    SetFindString(LastSearchText());
    if (found != 0) {
        char count[16];
        std::snprintf(count, sizeof count, "%3u", static_cast<unsigned>(found));
        SetStatusPart(s, 7, count);
        SetStatusPart(s, 6, "001");
    }
    SendMessageA(s.LineView, LB_SETCURSEL, 0, 0);
    SendMessageA(s.LineView, WM_SETREDRAW, TRUE, 0);
    SetCursor(previous ? previous : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

void RebuildLineView(FileViewState& s) {
    // The counts of the old list go with it; the user's find text stays.
    SetStatusPart(s, 6, "");
    SetStatusPart(s, 7, "");
    std::string findString = g_FindReplace.FindString;
    BuildLineView(s);
    SetFindString(findString);
}

void ShowEntryContext(FileViewState& s) {
    if (!s.Panes.hasEditView || !s.EditView) return;
    LineListEntry entry;
    if (!SelectedEntry(s, entry)) return;
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    if (s.Text.wholeFile) {
        // A file that failed to load stays unsaveable: EditView is empty.
        if (s.Text.textLoaded) {
            WinEditBuffer edit(s.EditView);
            SelectEntryInText(edit, entry);
        }
    } else {
        LoadContext(s, entry);
    }
    s.SelectedEntry = entry;
    SetCursor(previous ? previous : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    UpdateCaretStatus(s);
}
