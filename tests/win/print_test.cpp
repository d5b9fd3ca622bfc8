// Printing on a real printer: a private CUPS scheduler with a PDF printer
// (tools/test-printer, started by ctest) takes the jobs, and pdftotext reads
// the printed pages back.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <winspool.h>

#include <algorithm>
#include <cstdlib>

#include "fileview/print_win.h"
#include "results/presentation_win.h"
#include "win_test_support.h"

namespace {

// The pages of the job whose title holds `token`, as pdftotext lays them out.
// A job is in the queue once Wine has ended the document; the scheduler and
// cups-pdf then work on their own, so this waits for the queue to empty, for
// two minutes at the most.
std::vector<std::string> PrintedPages(const std::string& token) {
    std::string text = HostShell(
        "i=0; while [ -n \"$(lpstat -o 2>/dev/null)\" ] && [ $i -lt 1200 ]; do sleep 0.1; "
        "i=$((i+1)); done; dir=\"$HOME/PDF\"; f=$(ls \"$dir\" 2>/dev/null | grep -F -- '" +
        token + "' | head -n 1); if [ -n \"$f\" ]; then pdftotext -layout \"$dir/$f\" - && rm -f " +
        "\"$dir/$f\"; else echo \"NO PDF for " + token + " in $dir; queue: $(lpstat -o)\"; fi");
    // Wine's PostScript driver names the hyphen glyph so that pdftotext reads
    // it back as a soft hyphen; on paper it is the hyphen.
    for (size_t soft; (soft = text.find("\xC2\xAD")) != std::string::npos;)
        text.replace(soft, 2, "-");
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t formFeed; (formFeed = text.find('\f', start)) != std::string::npos;
         start = formFeed + 1)
        pages.push_back(text.substr(start, formFeed - start));
    if (text.find_first_not_of(" \r\n", start) != std::string::npos)
        pages.push_back(text.substr(start));
    if (pages.empty()) ADD_FAILURE() << "no printed pages for " << token << ": " << text;
    return pages;
}

// Chooses what the Print dialog prints, as a click on its button would.
void Choose(HWND dialog, int radio) {
    CheckRadioButton(dialog, IDC_PRINT_EDITVIEW, IDC_PRINT_LINE_LIST, radio);
    Press(dialog, radio);
}

int helpContext = 0, helpContextAtHelp = -1;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT helpMessage = RegisterWindowMessageA(HELPMSGSTRINGA);
    if (message != helpMessage) return DefWindowProcA(window, message, wParam, lParam);
    helpContextAtHelp = helpContext;
    return 0;
}

// A stand-in for FileView with its two panes, printing through the Print
// dialog (OK unless the test answers it) and the cancel box.
class PrintTest : public testing::Test {
  protected:
    void SetUp() override {
        const char* server = getenv("CUPS_SERVER");
        ASSERT_TRUE(server && *server)
            << "THE TEST PRINTER IS MISSING: CUPS_SERVER is not set. Run the tests through ctest "
               "or make test, which start a private CUPS scheduler (tools/test-printer).";
        const std::string failed =
            HostShell("cat \"$(dirname \"$CUPS_SERVER\")/failed.txt\" 2>/dev/null");
        ASSERT_TRUE(failed.empty()) << "THE TEST PRINTER COULD NOT BE STARTED: " << failed;
        char name[256] = "";
        DWORD size = sizeof name;
        ASSERT_TRUE(GetDefaultPrinterA(name, &size) && std::string(name) == "PDF")
            << "THE TEST PRINTER IS MISSING: the default printer is '" << name
            << "', not the private CUPS scheduler's PDF printer on " << server;
        // Whatever earlier tests left in the queue (a quit among it) is not
        // this test's; the job's message pump would act on it.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        helpContext = 0;
        helpContextAtHelp = -1;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.lpszClassName = "QuarryPrintTestOwner";
        RegisterClassA(&windowClass);
        owner = CreateWindowExA(0, "QuarryPrintTestOwner", "FileView", WS_OVERLAPPEDWINDOW, 0, 0,
                                400, 300, nullptr, nullptr, nullptr, nullptr);
        edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, 200,
                               100, owner, nullptr, nullptr, nullptr);
        list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_USETABSTOPS, 0, 100, 200, 100,
                               owner, nullptr, nullptr, nullptr);
        SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
        static int tests = 0;
        token = "prt" + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(++tests);
    }
    void TearDown() override { DestroyWindow(owner); }

    // Prints `text` as `name`; `inCancelBox` runs as the cancel box opens.
    void Print(const std::string& text, const std::string& name,
               const DialogRobot::Script& inDialog = nullptr,
               const DialogRobot::Script& inCancelBox = nullptr) {
        SetWindowTextA(edit, text.c_str());
        DialogRobot dialog(
            IDD_PRINT, inDialog ? inDialog : [](HWND d) { Press(d, IDOK); });
        DialogRobot cancelBox(
            IDC_PRINT_FILE_NAME,
            [&](HWND box) {
                spooled = TextOf(GetDlgItem(box, IDC_PRINT_FILE_NAME));
                ownerDisabled = !IsWindowEnabled(owner);
                if (inCancelBox) inCancelBox(box);
            },
            /*atOnce=*/true);
        PrintRequest request;
        request.Owner = owner;
        request.EditView = edit;
        request.LineView = list;
        request.FileName = name.c_str();
        request.FileTime = 1700000000;  // 14 Nov 2023
        request.SearchText = "needle";
        request.TabLength = 8;
        request.HelpContext = &helpContext;
        PrintCommand(request, job);
        EXPECT_EQ(dialog.opened(), 1);
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(FindWindowA(nullptr, "Quarry Print"), nullptr);
    }

    HWND owner = nullptr, edit = nullptr, list = nullptr;
    PrintJob job;
    std::string token, spooled;
    bool ownerDisabled = false;
    MessageBoxRecorder boxes;
};

TEST_F(PrintTest, SeventyLinesOfEditViewOnPagesWithHeaderAndNumbers) {
    HDC dc = CreateDCA(nullptr, "PDF", nullptr, nullptr);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const PrinterMetrics printer{GetDeviceCaps(dc, HORZRES),    GetDeviceCaps(dc, VERTRES),
                                 GetDeviceCaps(dc, LOGPIXELSY), metrics.tmHeight,
                                 metrics.tmExternalLeading,     metrics.tmAveCharWidth};
    DeleteDC(dc);
    PageGeometry g;
    ASSERT_TRUE(ComputePageGeometry(printer, 8, g));
    std::string text;
    for (int i = 1; i <= 70; ++i) {
        char line[64];
        snprintf(line, sizeof line, "Line %02d of the text", i);
        text +=
            (i == 20 ? std::string("Line 20 T\tX") : std::string(line)) + (i < 70 ? "\r\n" : "");
    }
    const std::string name = token + ".txt";
    Print(text, name);
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_EQ(spooled, name);
    EXPECT_TRUE(ownerDisabled);

    const std::vector<std::string> pages = PrintedPages(token);
    ASSERT_EQ(static_cast<int>(pages.size()), PageCount(g, 70));
    ASSERT_GE(pages.size(), 2u);
    std::string title = name;
    CharUpperA(title.data());
    const std::string date = FormatShortDate(1700000000);
    for (size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const std::string& page = pages[p];
        EXPECT_NE(page.find(date), std::string::npos);
        EXPECT_NE(page.find("-" + std::to_string(p + 1) + "-"), std::string::npos) << page;
        // This page's share of the lines, from its first to its last, below the header.
        char first[16], last[16];
        snprintf(first, sizeof first, "Line %02d", static_cast<int>(p) * g.BodyLinesPerPage + 1);
        snprintf(last, sizeof last, "Line %02d",
                 std::min(70, static_cast<int>(p + 1) * g.BodyLinesPerPage));
        ASSERT_NE(page.find(title), std::string::npos);
        EXPECT_LT(page.find(title), page.find(first)) << first;
        EXPECT_LT(page.find(first), page.find(last)) << last;
        EXPECT_NE(page.find(last), std::string::npos) << last;
    }
    const size_t tab = pages[0].find("Line 20 T");
    ASSERT_NE(tab, std::string::npos);
    const std::string afterT = pages[0].substr(tab + 9, 8);
    EXPECT_EQ(afterT.substr(0, 3), "   ") << "the tab is not expanded: '" << afterT << "'";
    EXPECT_NE(afterT.find('X'), std::string::npos);
}

// Cancel in the dialog, the empty Line List chosen there (the dialog's choice
// reaches the job), Cancel in the cancel box and a quit met while spooling:
// nothing reaches the printer, and the quit stays for the message loop.
TEST_F(PrintTest, NothingReachesThePrinterWhenThereIsNothingToPrintOrTheUserCancels) {
    auto answer = [](bool lineList, int button) {
        return [=](HWND dialog) {
            if (lineList) Choose(dialog, IDC_PRINT_LINE_LIST);
            Press(dialog, button);
        };
    };
    const struct {
        DialogRobot::Script inDialog, inCancelBox;
        bool quit;
    } cases[] = {
        {answer(false, IDCANCEL), nullptr, false},
        {answer(true, IDOK), nullptr, false},
        {nullptr, [](HWND box) { PostMessageA(box, WM_COMMAND, IDCANCEL, 0); }, false},
        {nullptr, [](HWND) { PostQuitMessage(3); }, true},
    };
    Texts names;
    for (const auto& c : cases) {
        names.push_back(token + "n" + std::to_string(names.size()) + ".txt");
        SCOPED_TRACE(names.back());
        boxes.Clear();
        Print("some text", names.back(), c.inDialog, c.inCancelBox);
        const bool spooling = c.inCancelBox != nullptr;
        EXPECT_EQ(boxes.texts(), Texts(spooling, "Could not print file " + names.back()));
        for (const ShownMessage& box : boxes.shown())
            EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
        MSG msg;
        EXPECT_EQ(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0, c.quit);
    }
    // A last job goes through the same queue after them; once it is out,
    // anything they had sent would be out too.
    Print("the last job", token + "last.txt");
    ASSERT_FALSE(PrintedPages(token + "last").empty());
    for (const std::string& name : names)
        EXPECT_EQ(HostShell("ls \"$HOME/PDF\" | grep -F -- '" + name + "'"), "") << name;
}

// The dialog opens on EditView with the focus there and the selection range
// off, its unused controls hidden; the Line List turns the print range off.
// Help in each dialog has the dialog's own help context.
TEST_F(PrintTest, DialogOptionsAndHelpContexts) {
    Print("one line", token + ".txt", [](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_PRINT_EDITVIEW));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PRINT_EDITVIEW));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, rad2)));
        for (int hidden : {stc2, stc3, edt1, edt2, chx2})
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, hidden))) << hidden;
        for (auto [radio, enabled] :
             {std::pair{IDC_PRINT_LINE_LIST, false}, std::pair{IDC_PRINT_EDITVIEW, true}}) {
            Choose(dialog, radio);
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, rad1)) != 0, enabled);
        }
        Press(dialog, pshHelp);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(helpContextAtHelp * 1000 + helpContext, IDM_FV_PRINT * 1000);
    int inSetup = -1;
    DialogRobot setup(PRNSETUPDLGORD, [&](HWND dialog) {
        inSetup = helpContext;
        Press(dialog, IDCANCEL);
    });
    PrintSetupCommand(owner, &helpContext);
    EXPECT_EQ(setup.opened(), 1);
    EXPECT_EQ(inSetup * 1000 + helpContext, IDM_FV_PRINT_SETUP * 1000);
    EXPECT_TRUE(boxes.texts().empty());
}

}  // namespace
