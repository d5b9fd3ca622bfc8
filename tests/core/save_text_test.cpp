#include "fileview/save_text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "text_files_fake.h"

namespace {

const std::string kTarget = "c:\\d\\notes.txt";
const std::string kOld = "old text\r\n";
const std::string kNew = "new text\r\n";  // kOld after Replace in Files' "old" to "new"

using Messages = std::vector<std::string>;

Messages SaveMessages(SaveResult result) {
    const char* text = SaveFailureText(result);
    return text ? Messages{text} : Messages{};
}

// Every writer of a user's file, over one file "notes.txt"; each returns what
// the user was shown.
Messages Save(FakeHost& host) {
    return SaveMessages(SaveTextToFile(host.files, kTarget, kNew));
}
Messages ReplaceConfirmed(FakeHost& host) {
    host.answers = {Answer::Yes, Answer::Ignore};
    host.Run(0, true);
    return host.events;
}
Messages ReplacePending(FakeHost& host) {
    host.answers = {Answer::Ignore};
    host.Run(0, false);
    return host.events;
}

struct Writer {
    const char* name;
    bool exists;
    Messages (*run)(FakeHost&);
    const char* steps;        // of a write that succeeds
    Messages askedOnFailure;  // after the step's own message
    Messages onFailedMove;    // when the last step, the move over the file, fails
};

const char* const kAri = "ari Error 5: Unable to write file to disk!";
const char* const kSteps = "probe temp open write flush close replace ";
// clang-format off
const Writer kWriters[] = {
    {"Save", true, Save, kSteps, {}, {"Error while saving file!"}},
    {"Save of a file deleted behind the viewer's back", false, Save,
     "probe create temp open write flush close replace ", {}, {"Error while saving file!"}},
    {"Replace in Files with Confirm File Save", true, ReplaceConfirmed, kSteps, {kAri},
     {"Error while saving file!", kAri}},
    {"Replace in Files through a pending file", true, ReplacePending, kSteps + 6 /* no probe */, {kAri},
     {"Error 5: Unable to save notes.txt!"}},
};
// clang-format on

// Whatever step fails, for whichever writer, the file keeps its bytes (or
// stays absent), no temporary file is left, none stays open, and the user reads why.
TEST(SaveText, EveryFailedStepOfEveryWriterLeavesTheFileAsItWas) {
    const std::string kCannotOpen = "Unable to open file for writing!", kCannotWrite = "Unable to write file!";
    const std::map<std::string, std::string> kStepMessage = {
        {"probe", kCannotOpen}, {"create", kCannotOpen}, {"temp", kCannotOpen}, {"open", kCannotOpen},
        {"write", kCannotWrite}, {"flush", kCannotWrite}, {"close", kCannotWrite}};
    for (const Writer& writer : kWriters) {
        auto fresh = [&] {
            FakeHost host({"notes.txt"}, {kOld});
            if (!writer.exists) host.files.files.erase(kTarget);
            return host;
        };
        FakeHost clean = fresh();
        writer.run(clean);
        ASSERT_EQ(clean.files.steps, writer.steps) << writer.name;
        ASSERT_EQ(clean.files.files[kTarget], kNew) << writer.name;

        for (int k = 1; k <= clean.files.StepCount(); ++k) {
            FakeHost host = fresh();
            host.files.failAt = k;
            Messages shown = writer.run(host);
            const std::string& step = host.files.failed;
            SCOPED_TRACE(testing::Message() << writer.name << ", " << step << " fails");
            Messages expected = writer.askedOnFailure;
            if (step == "replace")
                expected = writer.onFailedMove;
            else
                expected.insert(expected.begin(), kStepMessage.at(step));
            bool seen = expected.empty() ? shown.empty()
                                         : std::search(shown.begin(), shown.end(), expected.begin(),
                                                       expected.end()) != shown.end();
            EXPECT_TRUE(seen) << testing::PrintToString(shown);
            if (writer.exists)
                EXPECT_EQ(host.files.files.at(kTarget), kOld);
            else
                EXPECT_EQ(host.files.files.count(kTarget), 0u);
            EXPECT_TRUE(host.files.TempFiles().empty()) << host.files.steps;
            EXPECT_TRUE(host.files.open.empty());
        }
    }
}

// The size limits are run on real files under Wine.
TEST(SaveText, OutcomesOfWholeSaves) {
    const struct { std::string target, tempDirectory; size_t length; bool locked, readOnly; SaveResult result; } kCases[] = {
        {"c:\\docs\\notes.txt", "c:\\docs", 20, false, false, SaveResult::Saved},
        {"c:\\notes.txt", "c:\\", 20, false, false, SaveResult::Saved},
        {"notes.txt", ".", 20, false, false, SaveResult::Saved},
        {"\\notes.txt", "\\", 20, false, false, SaveResult::Saved},
        {"c:\\docs\\empty.txt", "c:\\docs", 0, false, false, SaveResult::Saved},
        {"c:\\docs\\in use.txt", "", 20, true, false, SaveResult::CannotOpen},
        {"c:\\docs\\read-only.txt", "", 20, false, true, SaveResult::ReadOnly},
    };
    for (const auto& c : kCases) {
        struct Recording : FakeFiles {
            bool CreateTempFile(const std::string& directory, std::string& tempPath) override {
                seen = directory;
                return FakeFiles::CreateTempFile(directory, tempPath);
            }
            std::string seen;
        } files;
        files.files[c.target] = kOld;
        if (c.locked) files.locked.insert(c.target);
        if (c.readOnly) files.readOnly.insert(c.target);
        const std::string text(c.length, 'x');
        EXPECT_EQ(SaveTextToFile(files, c.target, text), c.result) << c.target;
        EXPECT_EQ(files.files[c.target], c.result == SaveResult::Saved ? text : kOld) << c.target;
        EXPECT_EQ(files.seen, c.tempDirectory) << c.target;
    }
}

}  // namespace
