#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core_test_support.h"
#include "fileview/replace_run.h"
#include "fileview/save_text.h"

// An in-memory folder under every write of a user's file. Each step is
// recorded by name; the failAt-th step overall fails, or the failOn-th call
// of failStep, as a full disk or a lost network drive would.
struct FakeFiles : TextFileLayer {
    std::map<std::string, std::string> files;
    std::set<std::string> readOnly, locked;
    std::string steps;  // "probe temp open ...", removals too
    int failAt = 0;     // 1 is the first step; 0 never fails
    std::string failStep;
    int failOn = 1;
    bool loseTarget = false;                     // a failing Replace has already removed the target
    std::map<std::string, std::string> aliases;  // another spelling -> the path it leads to
    std::map<std::string, uint64_t> ids, writes;  // each file's index and count of writes
    std::string open;
    std::string failed;  // the step that failed

    Access ProbeTarget(const std::string& path) override {
        if (!Step("probe") || locked.count(path)) return Access::Refused;
        if (readOnly.count(path)) return Access::ReadOnly;
        return files.count(path) ? Access::Writable : Access::Missing;
    }
    bool CreateTarget(const std::string& path) override {
        return Step("create") && !files.count(path) && (files[path], true);
    }
    bool CreateTempFile(const std::string& directory, std::string& tempPath) override {
        if (!Step("temp")) return false;
        tempPath = directory + "\\qry" + std::to_string(++temps_) + ".tmp";
        return files[tempPath], true;
    }
    bool OpenForWriting(const std::string& path) override {
        return Step("open") && files.count(path) && (open = path, true);
    }
    bool Write(const char* bytes, size_t count) override {
        bool ok = Step("write");
        files[open].append(bytes, ok ? count : count / 2);  // a short write keeps part
        return ok;
    }
    bool Flush() override { return Step("flush"); }
    bool Close() override { return open.clear(), Step("close"); }
    Replaced Replace(const std::string& from, const std::string& to) override {
        if (!Step("replace")) {
            if (loseTarget) files.erase(to);
            return Replaced::Failed;
        }
        if (readOnly.count(to)) return Replaced::ReadOnly;
        files[to] = files[from];
        files.erase(from);
        ids[to] = ++lastId_;  // a move puts another file in the target's place
        ++writes[to];
        return Replaced::Done;
    }
    bool Remove(const std::string& path) override { return steps += "remove ", files.erase(path) == 1; }
    bool Exists(const std::string& path) override { return files.count(path) > 0; }
    Read ReadWhole(const std::string& path, size_t limit, std::string& text) override {
        if (!Step("read") || !files.count(path)) return Read::Failed;
        text = files[path];
        if (text.size() >= limit) return Read::TooLarge;
        return text.find('\0') == std::string::npos ? Read::Loaded : Read::ZeroByte;
    }
    FileStamp Identify(const std::string& path) override {
        auto alias = aliases.find(path);
        const std::string& real = alias == aliases.end() ? path : alias->second;
        if (!files.count(real)) return FileStamp{};
        if (!ids.count(real)) ids[real] = ++lastId_;
        FileStamp stamp;
        stamp.known = true, stamp.volume = 7, stamp.index = ids[real];
        stamp.size = files[real].size(), stamp.lastWrite = writes[real];
        return stamp;
    }
    int LastError() override { return 5; }

    // Another program writes the file in place.
    void Touch(const std::string& path, const std::string& bytes) { files[path] = bytes, ++writes[path]; }

    // Steps taken, removals left out.
    int StepCount() const {
        int count = 0;
        for (size_t at = 0; (at = steps.find(' ', at)) != std::string::npos; ++at) ++count;
        for (size_t at = 0; (at = steps.find("remove ", at)) != std::string::npos; ++at) --count;
        return count;
    }
    std::vector<std::string> TempFiles() const {
        std::vector<std::string> temps;
        for (const auto& [path, bytes] : files)
            if (path.find("\\qry") != std::string::npos) temps.push_back(path);
        return temps;
    }

  private:
    bool Step(const std::string& name) {
        steps += name + ' ';
        bool byName = ++calls_[name] == failOn && name == failStep;
        bool byIndex = ++taken_ == failAt;
        if (byName || byIndex) failed = name;
        return !byName && !byIndex;
    }
    std::map<std::string, int> calls_;
    int taken_ = 0, temps_ = 0;
    uint64_t lastId_ = 0;
};

struct Row {
    FileInfoItem item;
    bool selected = false, marked = false;
};

// The File Info List, EditView and the user of one Replace in Files run, over
// files in the folder "c:\d".
struct FakeHost : ReplaceRunHost {
    std::vector<Row> rows;
    FakeFiles files;
    std::string edit;
    bool modified = false;
    std::string find = "old", replace = "new";
    std::vector<Answer> answers;  // for Save it? and Abort, Retry, Ignore, in order
    bool saveAll = true;
    bool overwriteChanged = true;     // the answer to "… has changed on disk …"
    std::vector<std::string> events;  // every message and question, in order

    FakeHost(const std::vector<std::string>& names, const std::vector<std::string>& texts) {
        for (size_t i = 0; i < names.size(); ++i) {
            rows.push_back(Row{::Item("c:\\d", names[i])});
            files.files["c:\\d\\" + names[i]] = texts[i];
        }
    }
    int RowCount() override { return static_cast<int>(rows.size()); }
    bool IsSelected(int row) override { return rows[row].selected; }
    bool IsMarked(int row) override { return rows[row].marked; }
    FileInfoItem& Item(int row) override { return rows[row].item; }
    void SetMark(int row, bool marked) override { rows[row].marked = marked; }
    TextFileLayer& Files() override { return files; }
    std::string EditText() override { return edit; }
    void SetEditText(const std::string& text) override { edit = text; }
    bool EditModified() override { return modified; }
    void SetEditModified(bool m) override { modified = m; }
    ReplaceAllResult ReplaceAllInEdit() override {
        FakeEdit buffer(edit);
        const ReplaceAllResult result = ReplaceAllInEditView(buffer, FindFlags{.MatchCase = true}, find, replace);
        edit = buffer.text;
        return result;
    }
    Answer Next(const std::string& event) {
        events.push_back(event);
        Answer a = answers.empty() ? Answer::Yes : answers.front();
        if (!answers.empty()) answers.erase(answers.begin());
        return a;
    }
    Answer AskSaveReplaced(const std::string& name) override { return Next("save? " + name); }
    Answer AskAbortRetryIgnore(const std::string& text) override { return Next("ari " + text); }
    bool AskYesNo(const std::string& text) override {
        events.push_back("yesno " + text);
        return text == kSaveAllQuestion ? saveAll : overwriteChanged;
    }
    void Warn(const std::string& text) override { events.push_back(text); }
    void ShowStatus(const std::string&) override {}
    void CloseBox() override { events.push_back("close"); }

    std::string File(int row) { return files.files["c:\\d\\" + rows[row].item.name]; }
    // EditView holds the row's file and the run starts there.
    ReplaceRunResult Run(int row, bool confirm, FilesOption option = FilesOption::All) {
        edit = File(row);
        return ReplaceInFiles(*this, row, Options(confirm, option));
    }
    static ReplaceRunOptions Options(bool confirm, FilesOption option = FilesOption::All) {
        ReplaceRunOptions options;
        options.Option = option, options.ConfirmFileSave = confirm;
        return options;
    }
};
