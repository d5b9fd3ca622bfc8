// Add to Zip over random names, options and failures: a created parameter
// file is always closed; the program starts only when every step went
// through, with every path on its own line of the parameter file; an archive
// the run created is removed exactly when it does not start; every message
// fits its bound.

#include <string>
#include <vector>

#include "fileops/zip.h"
#include "fuzz_input.h"

namespace {

enum Step : uint8_t { kAsk, kHold, kProgram, kName, kCreate, kWrite, kEnd, kLaunch, kSteps };

class Zipper : public ZipHost {
  public:
    Zipper(FuzzInput& input, uint8_t failStep) : input_(input), failStep_(failStep) {}
    std::vector<std::string> paths;
    std::string archive, program, parameterFile, written, launchedWith;
    bool held = false, open = false, launched = false, created = false;
    int writes = 0, removals = 0;

    std::vector<std::string> SelectedPaths() override { return paths; }
    bool AskArchiveName(int count, std::string& name) override {
        FUZZ_CHECK(count == static_cast<int>(paths.size()));
        return name = archive, failStep_ != kAsk;
    }
    Hold HoldArchive(const std::string& name) override {
        FUZZ_CHECK(name == ArchiveNameWithExtension(archive));
        held = failStep_ != kHold;
        if (!held) return Hold::Failed;
        created = input_.Byte() & 1;
        return created ? Hold::Created : Hold::Opened;
    }
    void RemoveCreatedArchive(const std::string& name) override {
        FUZZ_CHECK(created && !held && !launched && name == ArchiveNameWithExtension(archive));
        ++removals;
    }
    void ReleaseArchive() override {
        FUZZ_CHECK(held);
        held = false;
    }
    bool FindAssociatedProgram(const std::string&, std::string& found) override {
        return found = program, failStep_ != kProgram;
    }
    // Some paths have a short form, of any length.
    std::string ShortPath(const std::string&) override { return input_.Piece(); }
    int ParameterFileName(std::string& name) override { return name = parameterFile, Fails(kName); }
    int CreateParameterFile(const std::string& name) override {
        FUZZ_CHECK(name == parameterFile);
        open = failStep_ != kCreate;
        return Fails(kCreate);
    }
    int WriteParameterFile(const std::string& bytes) override {
        FUZZ_CHECK(open);
        if (failStep_ == kWrite && ++writes > 1) return Fails(kWrite);
        return written += bytes, 0;
    }
    int EndParameterFile() override {
        CloseParameterFile();
        return Fails(kEnd);
    }
    void CloseParameterFile() override {
        FUZZ_CHECK(open);
        open = false;
    }
    int Launch(const std::string& started, const std::string& parameters, const std::string&) override {
        FUZZ_CHECK(!open && !held && !started.empty());
        launchedWith = parameters;
        return failStep_ == kLaunch ? static_cast<int>(input_.Byte()) % 33 : 33;
    }
    void ShowWarning(const std::string& text) override { FUZZ_CHECK(text.size() < 256); }
    void Trace(const std::string&) override {}
    void Launched() override { launched = true; }

  private:
    int Fails(Step step) const { return failStep_ == step ? 5 : 0; }
    FuzzInput& input_;
    uint8_t failStep_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t failStep = input.Byte() % (kSteps + 1);  // kSteps: nothing fails
    Zipper host(input, failStep);
    host.archive = input.Piece();
    host.program = input.Piece();
    if (host.program.empty()) host.program = "zip.exe";  // the host never finds an empty one
    host.parameterFile = input.Piece();
    const std::string options = input.Piece();
    for (int i = input.Byte() % 8; i > 0; --i) host.paths.push_back(input.Piece());

    const int result = AddSelectedToZip(host, options, "c:\\");
    FUZZ_CHECK(!host.open && !host.held);
    FUZZ_CHECK(result == (host.launched ? 1 : 0));
    const bool allWent = failStep == kSteps || (failStep == kWrite && host.paths.size() < 2);
    FUZZ_CHECK(host.launched == (allWent && !host.paths.empty()));
    FUZZ_CHECK(host.removals == (host.created && !host.launched ? 1 : 0));
    if (host.launched) {
        FUZZ_CHECK(host.written == ParameterFileText(host.paths));
        FUZZ_CHECK(host.launchedWith.compare(0, options.size() + 1, ' ' + options) == 0);
    }
    return 0;
}
