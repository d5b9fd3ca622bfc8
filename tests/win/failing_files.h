#pragma once

#include <memory>
#include <string>

#include "fileview/load_save_win.h"

// The real file layer with one step failing ("temp", "open", "write", "flush",
// "close", "replace" or "remove"), put under every write while it lives; the real
// clean-up runs, so the files on disk show what a user would find.
class FailingFiles : public TextFileLayer {
  public:
    explicit FailingFiles(std::string step) : step_(std::move(step)) {
        SetTextFilesForTesting(this);
    }
    ~FailingFiles() override { SetTextFilesForTesting(nullptr); }

    Access ProbeTarget(const std::string& p) override { return real_->ProbeTarget(p); }
    bool CreateTarget(const std::string& p) override { return real_->CreateTarget(p); }
    bool CreateTempFile(const std::string& d, std::string& t) override {
        return !Fails("temp") && real_->CreateTempFile(d, t);
    }
    bool OpenForWriting(const std::string& p) override {
        return !Fails("open") && real_->OpenForWriting(p);
    }
    bool Write(const char* b, size_t c) override {
        if (Fails("write")) return real_->Write(b, c / 2), false;  // a short write keeps part
        return real_->Write(b, c);
    }
    bool Flush() override { return !Fails("flush") && real_->Flush(); }
    bool Close() override { return real_->Close() && !Fails("close"); }
    Replaced Replace(const std::string& f, const std::string& t) override {
        return Fails("replace") ? Replaced::Failed : real_->Replace(f, t);
    }
    bool Remove(const std::string& p) override { return !Fails("remove") && real_->Remove(p); }
    bool Exists(const std::string& p) override { return real_->Exists(p); }
    Read ReadWhole(const std::string& p, size_t l, std::string& t) override {
        return real_->ReadWhole(p, l, t);
    }
    FileStamp Identify(const std::string& p) override { return real_->Identify(p); }
    int LastError() override { return 29; }

  private:
    bool Fails(const char* step) const { return step_ == step; }
    std::unique_ptr<TextFileLayer> real_ = RealTextFiles();
    std::string step_;
};
