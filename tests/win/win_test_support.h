#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Records every message box the program shows and answers it from a script,
// so a test can assert the exact words and drive the user's choice.
struct ShownMessage {
    std::string caption;
    std::string text;
    UINT type;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    void Answer(int reply) { replies_.push_back(reply); }
    const std::vector<ShownMessage>& shown() const { return shown_; }

private:
    static int Hook(HWND owner, const char* text, const char* caption, UINT type);
    std::vector<ShownMessage> shown_;
    std::vector<int> replies_;
    size_t nextReply_ = 0;
};

// A fresh folder under the system's temporary folder, removed with all its
// contents when the test ends.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};
