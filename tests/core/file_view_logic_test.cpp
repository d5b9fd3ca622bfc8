#include "fileview/file_view_logic.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "resource_ids.h"
#include "text_files_fake.h"

namespace {

using V = std::vector<std::string>;

// The window's side of the save commands, scripted and recorded.
struct SaveHost : FileViewSaveHost {
    bool saveWorks = true, yesNo = true;
    int saveAsResult = 1, answer = kAnswerYes;
    std::string saveAsPath = "c:\\new\\copy.txt";
    V saved, status, boxes, asked;
    FakeFiles files;

    bool SaveText(const char* path) override {
        saved.push_back(path);
        // As the real save does: a new file moved into the target's place.
        if (saveWorks) files.files[path] = "saved", files.ids[path] = 1000 + saved.size();
        return saveWorks;
    }
    int AskSaveAsName(char* fullPath, char* fileName) override {
        if (saveAsResult == 0) return 0;
        std::strcpy(fullPath, saveAsPath.c_str());
        std::strcpy(fileName, std::strrchr(saveAsPath.c_str(), '\\') + 1);
        return saveAsResult;
    }
    void ShowStatus(const std::string& text) override { status.push_back(text); }
    void ShowOwnedMessage(const std::string& text) override { boxes.push_back(text); }
    int AskYesNoCancel(const std::string& text) override { return asked.push_back(text), answer; }
    bool AskYesNo(const std::string& text) override { return asked.push_back(text), yesNo; }
    TextFileLayer& Files() override { return files; }
};

FileViewFile Shown() {
    FileViewFile file;
    std::strcpy(file.FullPath, "c:\\docs\\notes.txt");
    std::strcpy(file.FileName, "notes.txt");
    file.WholeFile = true;
    return file;
}

EditTextState Loaded(const FileViewFile& file) {
    EditTextState text;
    text.textLoaded = text.wholeFile = text.modified = true;
    text.loadedFrom = file.FullPath;
    return text;
}

TEST(FileViewSave, SaveWritesTheShownFileOrSaysWhy) {
    const std::string partial =
        "Only the first part of notes.txt is shown (its text stops at a zero byte or the file "
        "has grown); it is not saved over the file. Use Save As to save it under another name.";
    const V none, wrote = {"c:\\docs\\notes.txt"};
    // clang-format off
    const struct { bool wholeFile, textLoaded, partialText, saveWorks; int result; V saved, status, boxes; } cases[] = {
        {true, true, false, true, 1, wrote, {"notes.txt saved"}, none},
        {true, true, false, false, 0, wrote, none, {"Could not save file notes.txt"}},
        {false, false, false, true, 0, none, none, {"Only some lines of notes.txt are shown; they are not saved over the file."}},
        {true, false, false, true, 0, none, none, {"The text of notes.txt is not loaded; there is nothing to save."}},
        {true, true, true, true, 0, none, none, {partial}},
    };
    // clang-format on
    for (const auto& c : cases) {
        FileViewFile file = Shown();
        EditTextState text = Loaded(file);
        text.wholeFile = c.wholeFile, text.textLoaded = c.textLoaded, text.partialText = c.partialText;
        SaveHost host;
        host.saveWorks = c.saveWorks;
        EXPECT_EQ(SaveShownFile(file, text, host), c.result);
        EXPECT_EQ(std::tuple(host.saved, host.status, host.boxes), std::tuple(c.saved, c.status, c.boxes));
        EXPECT_EQ(text.modified, c.result == 0);
    }
}

TEST(FileViewSave, SaveAsNamesTheNewFileAndSaveFollowsIt) {
    FileViewFile file = Shown();
    EditTextState text = Loaded(file);
    text.partialText = true;  // a cut text may still go elsewhere
    SaveHost host;
    EXPECT_EQ(SaveShownFileAs(file, text, host), 1);
    EXPECT_EQ(host.saved, V{"c:\\new\\copy.txt"});
    EXPECT_EQ(host.status, V{"File saved as copy.txt"});
    EXPECT_STREQ(file.FullPath, "c:\\new\\copy.txt");
    EXPECT_FALSE(text.modified);
    EXPECT_EQ(SaveShownFile(file, text, host), 1);
    EXPECT_EQ(host.status.back(), "copy.txt saved");

    // Back over the original the cut text is refused, by any spelling of its
    // path: another letter case, or another drive letter leading to it.
    const std::string original("cut\0rest", 8);
    host.files.files["c:\\docs\\notes.txt"] = original;
    host.files.aliases["q:\\notes.txt"] = "c:\\docs\\notes.txt";
    for (const char* spelling : {"C:\\DOCS\\Notes.txt", "q:\\notes.txt"}) {
        host.saveAsPath = spelling;
        host.boxes.clear();
        EXPECT_EQ(SaveShownFileAs(file, text, host), 0) << spelling;
        EXPECT_EQ(host.saved.size(), 2u) << spelling;
        ASSERT_EQ(host.boxes.size(), 1u) << spelling;
        EXPECT_NE(host.boxes[0].find("Use Save As"), std::string::npos) << spelling;
    }
    EXPECT_EQ(host.files.files["c:\\docs\\notes.txt"], original);

    // Cancelled, failing, without a path, or of some lines only.
    SaveHost cancelled, failing, unnamed, refused;
    cancelled.saveAsResult = 0;
    failing.saveWorks = false;
    file = Shown();
    text = Loaded(file);
    EXPECT_EQ(SaveShownFileAs(file, text, cancelled), 0);
    EXPECT_STREQ(file.FullPath, "c:\\docs\\notes.txt");
    EXPECT_TRUE(cancelled.saved.empty() && cancelled.boxes.empty());
    EXPECT_EQ(SaveShownFileAs(file, text, failing), 0);
    EXPECT_EQ(failing.boxes, V{"Could not save file in copy.txt"});
    EXPECT_TRUE(text.modified);
    FileViewFile noPath = Shown();
    noPath.FullPath[0] = '\0';
    EXPECT_EQ(SaveShownFile(noPath, text, unnamed), 1);
    EXPECT_EQ(unnamed.saved, V{"c:\\new\\copy.txt"});
    text.wholeFile = text.textLoaded = false;
    EXPECT_EQ(SaveShownFileAs(file, text, refused), 0);
    EXPECT_TRUE(refused.saved.empty());
    EXPECT_EQ(refused.boxes.size(), 1u);
}

// Another program's change to the file since FileView read it is not written
// over without asking; our own saves are no change.
TEST(FileViewSave, SaveAsksBeforeOverwritingAChangeOnDisk) {
    const std::string path = "c:\\docs\\notes.txt";
    // 0 unchanged, 1 written in place, 2 another file put in its place, 3 deleted.
    // clang-format off
    const struct { int change; bool yes; bool asked; int result; } cases[] = {
        {0, true, false, 1}, {1, true, true, 1}, {1, false, true, 0}, {2, false, true, 0}, {3, true, false, 1}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        FileViewFile file = Shown();
        EditTextState text = Loaded(file);
        SaveHost host;
        host.files.files[path] = "as loaded";
        RememberDiskState(text, host.files, path);
        if (c.change == 1) host.files.Touch(path, "theirs");
        if (c.change == 2) host.files.ids[path] = 99;
        if (c.change == 3) host.files.files.erase(path);
        host.yesNo = c.yes;
        EXPECT_EQ(SaveShownFile(file, text, host), c.result);
        EXPECT_EQ(host.asked,
                  c.asked ? V{"notes.txt has changed on disk since it was opened. Overwrite it?"} : V{});
        EXPECT_EQ(text.modified, c.result == 0);
        if (c.result == 0) { EXPECT_EQ(host.files.files[path], c.change == 1 ? "theirs" : "as loaded"); }
        // After its own save the file is FileView's again: the next Save just saves.
        if (c.result == 1) {
            host.asked.clear();
            EXPECT_EQ(SaveShownFile(file, text, host), 1);
            EXPECT_TRUE(host.asked.empty());
        }
    }
}

TEST(FileViewSave, QuestionOnClosing) {
    // clang-format off
    const struct { int answer; bool saveWorks; int result; size_t saves; } cases[] = {
        {kAnswerYes, true, kAnswerYes, 1}, {kAnswerYes, false, kAnswerCancel, 1},
        {kAnswerNo, true, kAnswerNo, 0}, {kAnswerCancel, true, kAnswerCancel, 0}};
    // clang-format on
    for (const auto& c : cases) {
        FileViewFile file = Shown();
        EditTextState text = Loaded(file);
        SaveHost host;
        host.answer = c.answer;
        host.saveWorks = c.saveWorks;
        EXPECT_EQ(AskSaveChanges(file, text, host), c.result) << c.answer;
        EXPECT_EQ(host.asked, V{"Save current changes in notes.txt?"});
        EXPECT_EQ(host.saved.size(), c.saves) << c.answer;
    }
    // Without changes FileView closes at once; while the question is up a
    // second close waits for its answer.
    FileViewFile file = Shown();
    EditTextState text = Loaded(file);
    SaveHost host;
    bool asking = true;
    EXPECT_FALSE(MayCloseFileView(file, text, asking, host));
    asking = false;
    host.answer = kAnswerNo;
    EXPECT_TRUE(MayCloseFileView(file, text, asking, host));
    EXPECT_FALSE(asking);
    text.modified = false;
    EXPECT_TRUE(MayCloseFileView(file, text, asking, host));
    EXPECT_EQ(host.asked.size(), 1u);
}

// Which panes the last search and the viewer choice give FileView, and what
// of the menu goes with a missing pane for the window's life.
TEST(FileViewMenu, PanesFollowTheSearchTextAndTheViewer) {
    using C = std::vector<int>;
    // clang-format off
    const struct { bool searchText, fileView; bool opens, edit, lines; C greyed; bool changeCase; } cases[] = {
        {true, true, true, true, true, {}, false},
        {false, true, true, true, false, {IDM_FV_DISPLAY_CONTEXT, IDM_FV_SPLIT_WINDOW}, false},
        {true, false, true, false, true, {IDM_FV_DISPLAY_CONTEXT, IDM_FV_TABS, IDM_FV_WRAP_LINES, IDM_FV_SPLIT_WINDOW}, true},
        {false, false, false, false, false, {}, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        const PaneArrangement panes = ArrangeFileViewPanes(c.searchText, c.fileView);
        EXPECT_EQ(std::tuple(panes.opens, panes.hasEditView, panes.hasLineView, panes.greyedCommands,
                             panes.changeCaseGreyed),
                  std::tuple(c.opens, c.edit, c.lines, c.greyed, c.changeCase))
            << c.searchText << c.fileView;
    }
}

TEST(FileViewContext, WindowOfLinesAroundAnEntry) {
    // clang-format off
    const struct { uint32_t entry; int above, below; ContextLines lines; } cases[] = {
        {499, 100, 150, {400, 251, 500}}, {29, 100, 150, {1, 251, 30}}, {0, 100, 150, {1, 251, 1}},
        {100, 100, 150, {1, 251, 101}}, {70000, 100, 150, {69901, 251, 70001}}, {5, 0, 0, {6, 1, 6}}};
    // clang-format on
    for (const auto& c : cases) {
        const ContextLines got = ContextAround(c.entry, c.above, c.below);
        EXPECT_EQ(std::tuple(got.firstLine, got.linesLoaded, got.entryLine),
                  std::tuple(c.lines.firstLine, c.lines.linesLoaded, c.lines.entryLine))
            << c.entry;
    }
    EXPECT_EQ(CaretLineText(7) + CaretLineText(123456) + CaretColumnText(1), "00007123456001");
}

TEST(FileViewMenu, CommandsFollowTheState) {
    FileViewSnapshot none;
    FileViewSnapshot loaded;
    loaded.textLoaded = loaded.wholeFile = loaded.hasEditView = loaded.hasLineView = true;
    loaded.canUndo = loaded.clipboardHasText = true;
    loaded.selectionEmpty = false;
    loaded.lineViewCount = 3;
    FileViewSnapshot findOpen = loaded;
    findOpen.findBoxOpen = true;
    // clang-format off
    const struct { int command; bool none, loaded, findOpen; } cases[] = {
        {IDM_FV_SAVE, false, true, true}, {IDM_FV_SAVE_AS, false, true, true},
        {IDM_FV_UNDO, false, true, true}, {IDM_FV_PASTE, false, true, true},
        {IDM_FV_CUT, false, true, true}, {IDM_FV_COPY, false, true, true},
        {IDM_FV_DELETE, false, true, true}, {IDM_FV_FIND, false, true, false},
        {IDM_FV_FIND_NEXT, false, true, false}, {IDM_FV_REPLACE, false, true, false},
        {IDM_FV_COPY_LINEVIEW, false, true, true}, {IDM_FV_CONTEXT_SIZE, true, false, false},
        {IDM_FV_EDITVIEW, false, true, true}, {IDM_FV_LINEVIEW, false, true, true},
        {IDM_FV_SELECT_ALL, false, true, true}, {IDM_FV_PRINT, true, true, true}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(IsFileViewCommandEnabled(c.command, none), c.none) << c.command;
        EXPECT_EQ(IsFileViewCommandEnabled(c.command, loaded), c.loaded) << c.command;
        EXPECT_EQ(IsFileViewCommandEnabled(c.command, findOpen), c.findOpen) << c.command;
    }
}

}  // namespace
