#include "fileview/save_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace {

// An in-memory folder whose every file operation is one numbered step; the
// step numbered failAt fails, as a full disk or a lost network drive would.
class FakeFiles : public SaveFileLayer {
  public:
    std::map<std::string, std::string> files;
    std::set<std::string> readOnly, locked;
    std::string steps;  // the name of each step taken, in order
    int failAt = 0;     // 1 is the first step; 0 never fails
    std::string openFile;

    Access ProbeTarget(const std::string& path) override {
        if (!Step("probe")) return Access::Refused;
        if (locked.count(path)) return Access::Refused;
        if (readOnly.count(path)) return Access::ReadOnly;
        return files.count(path) ? Access::Writable : Access::Missing;
    }
    bool CreateTarget(const std::string& path) override {
        if (!Step("create") || files.count(path)) return false;
        files[path];
        return true;
    }
    bool CreateTempFile(const std::string& directory, std::string& tempPath) override {
        if (!Step("temp")) return false;
        tempPath = directory + "\\qry" + std::to_string(files.size()) + ".tmp";
        files[tempPath];
        return true;
    }
    bool OpenForWriting(const std::string& path) override {
        if (!Step("open") || !files.count(path)) return false;
        openFile = path;
        return true;
    }
    bool Write(const char* bytes, size_t count) override {
        bool ok = Step("write");
        files[openFile].append(bytes, ok ? count : count / 2);  // a short write keeps part
        return ok;
    }
    bool Flush() override { return Step("flush"); }
    bool Close() override {
        openFile.clear();
        return Step("close");
    }
    Replaced Replace(const std::string& from, const std::string& to) override {
        if (!Step("replace")) return Replaced::Failed;
        if (readOnly.count(to)) return Replaced::ReadOnly;
        files[to] = files[from];
        files.erase(from);
        return Replaced::Done;
    }
    bool Remove(const std::string& path) override {
        steps += "remove ";
        return files.erase(path) == 1;
    }

    int StepCount() const { return static_cast<int>(std::count(steps.begin(), steps.end(), ' ')); }
    std::string StepName(int k) const {
        size_t pos = 0;
        for (int i = 1; i < k; ++i) pos = steps.find(' ', pos) + 1;
        return steps.substr(pos, steps.find(' ', pos) - pos);
    }
    bool AnyTempFile() const {
        for (const auto& [path, bytes] : files)
            if (path.find("qry") != std::string::npos) return true;
        return false;
    }

  private:
    bool Step(const char* name) {
        steps += name;
        steps += ' ';
        return StepCount() != failAt;
    }
};

const std::string kTarget = "c:\\docs\\notes.txt";
const std::string kOld = "old text\r\n";
const std::string kNew = "new text\r\nsecond line\r\n";

const char* TextOf(SaveResult result) {
    const char* text = SaveFailureText(result);
    return text ? text : "";
}

// Whatever step fails, the target keeps its bytes (or stays absent), no
// temporary file is left, and the user reads why.
TEST(SaveText, EveryFailedStepLeavesTheTargetAsItWas) {
    struct StepCase {
        SaveResult result;
        const char* message;
    };
    const std::map<std::string, StepCase> kByStep = {
        {"probe", {SaveResult::CannotOpen, "Unable to open file for writing!"}},
        {"create", {SaveResult::CannotOpen, "Unable to open file for writing!"}},
        {"temp", {SaveResult::NoTempFile, ""}},
        {"open", {SaveResult::NoTempFile, ""}},
        {"write", {SaveResult::WriteFailed, "Unable to write file!"}},
        {"flush", {SaveResult::WriteFailed, "Unable to write file!"}},
        {"close", {SaveResult::WriteFailed, "Unable to write file!"}},
        {"replace", {SaveResult::ReplaceFailed, "Error while saving file!"}},
    };
    for (bool targetExists : {true, false}) {
        FakeFiles clean;
        if (targetExists) clean.files[kTarget] = kOld;
        ASSERT_EQ(SaveTextToFile(clean, kTarget, kNew), SaveResult::Saved);
        const int steps = clean.StepCount();
        EXPECT_EQ(steps, targetExists ? 7 : 8);

        for (int k = 1; k <= steps; ++k) {
            SCOPED_TRACE(testing::Message() << "exists " << targetExists << ", step " << k);
            FakeFiles files;
            if (targetExists) files.files[kTarget] = kOld;
            files.failAt = k;
            SaveResult result = SaveTextToFile(files, kTarget, kNew);
            const std::string name = files.StepName(k);
            const StepCase& expected = kByStep.at(name);
            EXPECT_EQ(result, expected.result) << name;
            EXPECT_STREQ(TextOf(result), expected.message) << name;
            if (targetExists)
                EXPECT_EQ(files.files.at(kTarget), kOld) << name;
            else
                EXPECT_EQ(files.files.count(kTarget), 0u) << name;
            EXPECT_FALSE(files.AnyTempFile()) << name << ": " << files.steps;
            EXPECT_TRUE(files.openFile.empty()) << name << " left the temporary file open";
        }
    }
}

TEST(SaveText, OutcomesOfWholeSaves) {
    struct Case {
        const char* what;
        std::string target;
        size_t length;
        bool exists, readOnly, locked;
        SaveResult result;
        const char* steps;
    };
    const Case kCases[] = {
        {"existing file", kTarget, 20, true, false, false, SaveResult::Saved,
         "probe temp open write flush close replace "},
        {"deleted behind the viewer's back", kTarget, 20, false, false, false, SaveResult::Saved,
         "probe create temp open write flush close replace "},
        {"empty text", kTarget, 0, true, false, false, SaveResult::Saved,
         "probe temp open write flush close replace "},
        {"largest text", kTarget, 65534, true, false, false, SaveResult::Saved,
         "probe temp open write flush close replace "},
        {"one character too many", kTarget, 65535, true, false, false, SaveResult::TooLarge, ""},
        {"read-only", kTarget, 20, true, true, false, SaveResult::ReadOnly, "probe "},
        {"in use", kTarget, 20, true, false, true, SaveResult::CannotOpen, "probe "},
        {"no directory: beside it in the current one", "notes.txt", 20, true, false, false,
         SaveResult::Saved, "probe temp open write flush close replace "},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        FakeFiles files;
        if (c.exists) files.files[c.target] = kOld;
        if (c.readOnly) files.readOnly.insert(c.target);
        if (c.locked) files.locked.insert(c.target);
        const std::string text(c.length, 'x');
        EXPECT_EQ(SaveTextToFile(files, c.target, text), c.result);
        EXPECT_EQ(files.steps, c.steps);
        EXPECT_EQ(files.files[c.target], c.result == SaveResult::Saved ? text : kOld);
        EXPECT_FALSE(files.AnyTempFile());
    }
}

TEST(SaveText, TemporaryFileIsMadeBesideTheTarget) {
    struct Case {
        std::string target, tempDirectory;
    };
    for (const Case& c : {Case{"c:\\docs\\notes.txt", "c:\\docs"}, Case{"c:\\notes.txt", "c:\\"},
                          Case{"notes.txt", "."}, Case{"\\notes.txt", "\\"}}) {
        struct Recording : FakeFiles {
            bool CreateTempFile(const std::string& directory, std::string& tempPath) override {
                seen = directory;
                return FakeFiles::CreateTempFile(directory, tempPath);
            }
            std::string seen;
        } files;
        files.files[c.target] = kOld;
        EXPECT_EQ(SaveTextToFile(files, c.target, kNew), SaveResult::Saved);
        EXPECT_EQ(files.seen, c.tempDirectory) << c.target;
    }
}

}  // namespace
