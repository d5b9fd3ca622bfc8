// Stands in for the zip program in the Add to Zip tests. It waits until the
// test lets it go (so the test sees whether Quarry waited for it), then
// records its command line, its working directory, whether it was let go,
// and the bytes of the parameter file named by its "@" argument, separated
// by NULs, into the file named by QUARRY_ZIP_RECORD, and signals
// QUARRY_ZIP_DONE.
#include <windows.h>

#include <string>

namespace {

std::string Variable(const char* name) {
    char value[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? value : "";
}

std::string Contents(std::string path) {
    if (!path.empty() && path.front() == '"') path = path.substr(1, path.find('"', 1) - 1);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(cannot open " + path + ")";
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    bool released = false;
    if (HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, Variable("QUARRY_ZIP_GO").c_str())) {
        // Bounded, so a Quarry that waits for its zip program fails the test instead of hanging.
        released = WaitForSingleObject(go, 30000) == WAIT_OBJECT_0;
        CloseHandle(go);
    }
    const std::string commandLine = GetCommandLineA();
    const size_t at = commandLine.rfind('@');
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, directory);
    const std::string record =
        commandLine + '\0' + directory + '\0' + (released ? "released" : "not released") + '\0' +
        (at == std::string::npos ? "" : Contents(commandLine.substr(at + 1)));
    HANDLE out = CreateFileA(Variable("QUARRY_ZIP_RECORD").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(out);
    if (HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, Variable("QUARRY_ZIP_DONE").c_str())) {
        SetEvent(done);
        CloseHandle(done);
    }
    return 0;
}
