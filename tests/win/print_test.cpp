// Printing on a real printer: a private CUPS scheduler with a PDF printer
// (tools/test-printer, started by ctest) takes the jobs, and pdftotext reads
// the printed pages back.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fileview/print_win.h"
#include "resource_ids.h"
#include "results/presentation_win.h"
#include "ui/dialog_test_hook_win.h"
#include "win_test_support.h"

namespace {

// What the dialog robot does and what it saw.
struct Robot {
    bool cancelDialog = false;
    bool chooseLineList = false;
    bool pressHelp = false;
    bool cancelJob = false;
    bool quitWhileSpooling = false;
    // Seen in the Print dialog as it opened.
    bool editViewChosen = false, selectionEnabled = true, focusOnEditView = false;
    std::vector<int> visibleHidden;  // ids of controls meant to be hidden yet visible
    bool allEnabledWithLineList = true, selectionEnabledWithLineList = true;
    bool allEnabledAgain = false;
    int printDialogs = 0, setupDialogs = 0;
    int helpContextInSetup = -1;
    // Seen in the cancel box.
    std::string spooledName;
    bool ownerDisabledWhileSpooling = false;
};
Robot g_Robot;
int g_HelpContext = 0;
int g_HelpContextAtHelp = -1;
HWND g_Owner = nullptr;

void AnswerPrintDialogs(HWND dialog, int id) {
    Robot& r = g_Robot;
    if (id == IDD_PRINT) {
        ++r.printDialogs;
        r.editViewChosen = IsDlgButtonChecked(dialog, IDC_PRINT_EDITVIEW) == BST_CHECKED;
        r.selectionEnabled = IsWindowEnabled(GetDlgItem(dialog, rad2));
        // The focus is looked at once the dialog has been set up whole.
        PostMessageA(g_Owner, WM_APP, 0, reinterpret_cast<LPARAM>(dialog));
        for (int hidden : {stc2, stc3, edt1, edt2, chx2})
            if (IsWindowVisible(GetDlgItem(dialog, hidden))) r.visibleHidden.push_back(hidden);
        auto click = [dialog](int radio) {
            CheckRadioButton(dialog, IDC_PRINT_EDITVIEW, IDC_PRINT_LINE_LIST, radio);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(radio, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, radio)));
        };
        click(IDC_PRINT_LINE_LIST);
        r.allEnabledWithLineList = IsWindowEnabled(GetDlgItem(dialog, rad1));
        r.selectionEnabledWithLineList = IsWindowEnabled(GetDlgItem(dialog, rad2));
        click(IDC_PRINT_EDITVIEW);
        r.allEnabledAgain = IsWindowEnabled(GetDlgItem(dialog, rad1));
        if (r.chooseLineList) click(IDC_PRINT_LINE_LIST);
        if (r.pressHelp) PostMessageA(dialog, WM_COMMAND, pshHelp, 0);
        PostMessageA(dialog, WM_COMMAND, r.cancelDialog ? IDCANCEL : IDOK, 0);
    } else if (id == PRNSETUPDLGORD) {
        ++r.setupDialogs;
        r.helpContextInSetup = g_HelpContext;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else if (id == IDC_PRINT_FILE_NAME) {
        char name[MAX_PATH] = "";
        GetDlgItemTextA(dialog, IDC_PRINT_FILE_NAME, name, sizeof name);
        r.spooledName = name;
        r.ownerDisabledWhileSpooling = !IsWindowEnabled(g_Owner);
        if (r.cancelJob) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        if (r.quitWhileSpooling) PostQuitMessage(3);
    }
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static UINT helpMessage = RegisterWindowMessageA(HELPMSGSTRINGA);
    if (message == WM_APP) {
        g_Robot.focusOnEditView =
            GetFocus() == GetDlgItem(reinterpret_cast<HWND>(lParam), IDC_PRINT_EDITVIEW);
        return 0;
    }
    if (message == helpMessage) {
        g_HelpContextAtHelp = g_HelpContext;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Waits until the scheduler's queue is empty. A job is in the queue once
// Wine has ended the document; the scheduler and cups-pdf then work on their
// own, so this polls the queue, for two minutes at the most.
const char kWaitForEmptyQueue[] =
    "i=0; while [ -n \"$(lpstat -o 2>/dev/null)\" ] && [ $i -lt 1200 ]; do sleep 0.1; i=$((i+1)); "
    "done; ";

// The pages of the job whose title holds `token`, as pdftotext lays them out.
std::vector<std::string> PrintedPages(const std::string& token) {
    std::string text =
        HostShell(std::string(kWaitForEmptyQueue) + "dir=\"$HOME/PDF\"; " +
                  "f=$(ls \"$dir\" 2>/dev/null | grep -F -- '" + token + "' | head -n 1); " +
                  "if [ -n \"$f\" ]; then pdftotext -layout \"$dir/$f\" - && rm -f \"$dir/$f\"; " +
                  "else echo \"NO PDF for " + token + " in $dir; queue: $(lpstat -o)\"; fi");
    // Wine's PostScript driver names the hyphen glyph so that pdftotext reads
    // it back as a soft hyphen; on paper it is the hyphen.
    for (size_t soft; (soft = text.find("\xC2\xAD")) != std::string::npos;)
        text.replace(soft, 2, "-");
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t formFeed; (formFeed = text.find('\f', start)) != std::string::npos;
         start = formFeed + 1)
        pages.push_back(text.substr(start, formFeed - start));
    if (start < text.size() && text.find_first_not_of(" \r\n", start) != std::string::npos)
        pages.push_back(text.substr(start));
    if (pages.empty()) ADD_FAILURE() << "no printed pages for " << token << ": " << text;
    return pages;
}

// Files in the PDF folder whose names hold `token`.
std::string PrintedFilesNamed(const std::string& token) {
    return HostShell("ls \"$HOME/PDF\" | grep -F -- '" + token + "'");
}

class PrintTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(RequireTestPrinter());
        // Whatever earlier tests left in the queue (a quit among it) is not
        // this test's; the job's message pump would act on it.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        g_Robot = Robot{};
        g_HelpContext = 0;
        g_HelpContextAtHelp = -1;
        SetDialogTestHook(&AnswerPrintDialogs);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuarryPrintTestOwner";
        RegisterClassA(&windowClass);
        owner = CreateWindowExA(0, "QuarryPrintTestOwner", "FileView", WS_OVERLAPPEDWINDOW, 0, 0,
                                400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        g_Owner = owner;
        edit = CreateWindowExA(0, "EDIT", "",
                               WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, 0, 0, 200,
                               100, owner, nullptr, nullptr, nullptr);
        list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_USETABSTOPS, 0, 100, 200, 100,
                               owner, nullptr, nullptr, nullptr);
        SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
        token = "prt" + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(++tests);
    }
    void TearDown() override {
        SetDialogTestHook(nullptr);
        DestroyWindow(owner);
        g_Owner = nullptr;
    }

    static void RequireTestPrinter() {
        const char* server = getenv("CUPS_SERVER");
        ASSERT_TRUE(server && *server)
            << "THE TEST PRINTER IS MISSING: CUPS_SERVER is not set. Run the tests through ctest "
               "or "
               "make test, which start a private CUPS scheduler (tools/test-printer).";
        std::string failed =
            HostShell("cat \"$(dirname \"$CUPS_SERVER\")/failed.txt\" 2>/dev/null");
        ASSERT_TRUE(failed.empty()) << "THE TEST PRINTER COULD NOT BE STARTED: " << failed;
        char name[256] = "";
        DWORD size = sizeof name;
        ASSERT_TRUE(GetDefaultPrinterA(name, &size) && std::string(name) == "PDF")
            << "THE TEST PRINTER IS MISSING: the default printer is '" << name
            << "', not the private CUPS scheduler's PDF printer on " << server;
    }

    // The page as the job will see it on the default printer.
    static PageGeometry DefaultPrinterGeometry(int tabLength) {
        char name[256] = "";
        DWORD size = sizeof name;
        GetDefaultPrinterA(name, &size);
        HDC dc = CreateDCA(nullptr, name, nullptr, nullptr);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        PrinterMetrics printer{GetDeviceCaps(dc, HORZRES),    GetDeviceCaps(dc, VERTRES),
                               GetDeviceCaps(dc, LOGPIXELSY), metrics.tmHeight,
                               metrics.tmExternalLeading,     metrics.tmAveCharWidth};
        DeleteDC(dc);
        PageGeometry geometry;
        EXPECT_TRUE(ComputePageGeometry(printer, tabLength, geometry));
        return geometry;
    }

    PrintRequest Request(const std::string& fileName) {
        fileName_ = fileName;
        PrintRequest request;
        request.Owner = owner;
        request.EditView = edit;
        request.LineView = list;
        request.FileName = fileName_.c_str();
        request.FileTime = 1700000000;  // 14 Nov 2023
        request.SearchText = "needle";
        request.TabLength = 8;
        request.HelpContext = &g_HelpContext;
        return request;
    }

    HWND owner = nullptr, edit = nullptr, list = nullptr;
    PrintJob job;
    std::string token;
    MessageBoxRecorder boxes;
    std::string fileName_;
    static int tests;
};
int PrintTest::tests = 0;

TEST_F(PrintTest, SeventyLinesOfEditViewOnPagesWithHeaderAndNumbers) {
    PageGeometry g = DefaultPrinterGeometry(8);
    std::string text;
    for (int i = 1; i <= 70; ++i) {
        char line[64];
        snprintf(line, sizeof line, "Line %02d of the text", i);
        text += i == 20 ? std::string("Line 20 T\tX") : std::string(line);
        if (i < 70) text += "\r\n";
    }
    SetWindowTextA(edit, text.c_str());
    std::string name = token + ".txt";
    PrintCommand(Request(name), job);
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_EQ(g_Robot.spooledName, name);
    EXPECT_TRUE(g_Robot.ownerDisabledWhileSpooling);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(FindWindowA(nullptr, "Quarry Print"), nullptr);

    std::vector<std::string> pages = PrintedPages(token);
    ASSERT_EQ(static_cast<int>(pages.size()), PageCount(g, 70));
    ASSERT_GE(pages.size(), 2u);
    std::string upperName = name;
    for (char& ch : upperName) ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    std::string date = FormatShortDate(1700000000);
    for (size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const std::string& page = pages[p];
        EXPECT_NE(page.find(upperName), std::string::npos);
        EXPECT_NE(page.find(date), std::string::npos);
        EXPECT_NE(page.find("-" + std::to_string(p + 1) + "-"), std::string::npos) << page;
        // This page's share of the lines, from its first to its last, below the header.
        char first[16], last[16];
        snprintf(first, sizeof first, "Line %02d", static_cast<int>(p) * g.BodyLinesPerPage + 1);
        snprintf(last, sizeof last, "Line %02d",
                 std::min(70, static_cast<int>(p + 1) * g.BodyLinesPerPage));
        EXPECT_LT(page.find(upperName), page.find(first)) << first;
        EXPECT_LT(page.find(first), page.find(last)) << last;
        EXPECT_NE(page.find(last), std::string::npos) << last;
    }
    size_t tab = pages[0].find("Line 20 T");
    ASSERT_NE(tab, std::string::npos);
    std::string afterT = pages[0].substr(tab + 9, 8);
    EXPECT_EQ(afterT.find('\t'), std::string::npos);
    EXPECT_EQ(afterT.substr(0, 3), "   ") << "the tab is not expanded: '" << afterT << "'";
    EXPECT_NE(afterT.find('X'), std::string::npos);
}

TEST_F(PrintTest, NothingReachesThePrinterWhenThereIsNothingToPrintOrTheUserCancels) {
    struct Case {
        const char* what;
        bool cancelDialog, lineList, cancelJob, quit;
        const char* text;
        std::vector<std::string> messages;
    } cases[] = {
        // clang-format off
        {"Cancel in the Print dialog", true, false, false, false, "some text", {}},
        // The dialog's choice reaches the job: the empty Line List, not the text.
        {"Line List empty", false, true, false, false, "some text", {}},
        {"Cancel while spooling", false, false, true, false, "some text", {"Could not print file "}},
        {"the program quits while spooling", false, false, false, true, "some text",
         {"Could not print file "}},
        // clang-format on
    };
    std::vector<std::string> names;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        size_t shownBefore = boxes.shown().size();
        g_Robot = Robot{};
        g_Robot.cancelDialog = c.cancelDialog;
        g_Robot.chooseLineList = c.lineList;
        g_Robot.cancelJob = c.cancelJob;
        g_Robot.quitWhileSpooling = c.quit;
        SetWindowTextA(edit, c.text);
        names.push_back(token + "n" + std::to_string(names.size()) + ".txt");
        PrintCommand(Request(names.back()), job);
        std::vector<std::string> want;
        for (const auto& m : c.messages) want.push_back(m + names.back());
        std::vector<std::string> shown;
        for (size_t i = shownBefore; i < boxes.shown().size(); ++i) {
            shown.push_back(boxes.shown()[i].text);
            EXPECT_EQ(boxes.shown()[i].caption, "Quarry");
            EXPECT_EQ(boxes.shown()[i].type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
        }
        EXPECT_EQ(shown, want);
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(FindWindowA(nullptr, "Quarry Print"), nullptr);
        // The quit stays for the message loop.
        MSG msg;
        EXPECT_EQ(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0, c.quit);
    }
    // A last job goes through the same queue after them; once it is out,
    // anything they had sent would be out too.
    g_Robot = Robot{};
    SetWindowTextA(edit, "the last job");
    PrintCommand(Request(token + "last.txt"), job);
    ASSERT_FALSE(PrintedPages(token + "last").empty());
    for (const auto& name : names) EXPECT_EQ(PrintedFilesNamed(name), "") << name;
}

TEST_F(PrintTest, DialogOptionsAndHelpContexts) {
    SetWindowTextA(edit, "one line");
    g_Robot.cancelDialog = true;
    g_Robot.pressHelp = true;
    PrintCommand(Request(token + ".txt"), job);
    const Robot& r = g_Robot;
    EXPECT_EQ(r.printDialogs, 1);
    EXPECT_TRUE(r.editViewChosen);
    EXPECT_FALSE(r.selectionEnabled);
    EXPECT_TRUE(r.focusOnEditView);
    EXPECT_TRUE(r.visibleHidden.empty());
    EXPECT_FALSE(r.allEnabledWithLineList);
    EXPECT_FALSE(r.selectionEnabledWithLineList);
    EXPECT_TRUE(r.allEnabledAgain);
    EXPECT_EQ(g_HelpContextAtHelp, IDM_FV_PRINT);
    EXPECT_EQ(g_HelpContext, 0);

    PrintSetupCommand(owner, &g_HelpContext);
    EXPECT_EQ(r.setupDialogs, 1);
    EXPECT_EQ(r.helpContextInSetup, IDM_FV_PRINT_SETUP);
    EXPECT_EQ(g_HelpContext, 0);
    EXPECT_TRUE(boxes.texts().empty());
}

}  // namespace
