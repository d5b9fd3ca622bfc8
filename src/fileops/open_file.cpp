#include "fileops/open_file.h"

#include <cstring>

#include "settings/settings.h"

namespace {

constexpr int kViewerFileView = kEditorBase;
constexpr int kViewerAssociated = kEditorBase + 1;
constexpr int kViewerNotepad = kEditorBase + 2;
constexpr int kViewerOther = kEditorBase + 3;
constexpr int kQueryAlways = kEditorQueryBase;
constexpr int kQueryTooLarge = kEditorQueryBase + 1;

bool CopyInto(char (&buffer)[260], const std::string& text) {
    if (text.size() >= sizeof buffer) return false;
    memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

bool PrepareFileForViewing(const FileInfoItem& item, FileViewFile& file, int& above, int& below) {
    FileViewFile prepared;
    prepared.Size = item.size;
    prepared.LastWriteTime = item.modified;
    if (!CopyInto(prepared.FullPath, JoinPath(item.directory, item.name)) ||
        !CopyInto(prepared.FileName, item.name))
        return false;
    prepared.WholeFile = FitsFileView(item.size);
    file = prepared;
    above = prepared.WholeFile ? kWholeFileContext : kDefaultContextAbove;
    below = prepared.WholeFile ? kWholeFileContext : kDefaultContextBelow;
    return true;
}

void OpenFileItem(const FileInfoItem& item, const Settings& settings, bool lastSearchHadText,
                  OpeningHost& host) {
    if (host.FileViewIsOpen()) return;
    FileViewFile file;
    int above = 0;
    int below = 0;
    if (!PrepareFileForViewing(item, file, above, below)) return;
    host.HandOver(file, above, below);
    host.RememberDirectory(item.directory);

    if (settings.EditorQuery == kQueryAlways ||
        (settings.EditorQuery == kQueryTooLarge && !file.WholeFile))
        host.AskViewerSettings();

    int choice = settings.Editor;
    if (choice == kViewerFileView || lastSearchHadText) host.OpenFileView();
    if (choice != kViewerFileView) host.LaunchOutsideViewer(choice);
    host.ShowStatus(choice);
}

std::string QuoteArgument(const std::string& argument) {
    if (argument.find_first_of(" \t") == std::string::npos) return argument;
    return '"' + argument + '"';
}

void LaunchOutsideViewer(int choice, const FileViewFile& file, const std::string& otherEditor,
                         LaunchHost& host) {
    ViewerLaunch launch;
    launch.parameters = QuoteArgument(file.FileName);
    launch.directory = DirectoryPart(file.FullPath);
    switch (choice) {
        case kViewerAssociated:
            if (!host.FindAssociatedProgram(file.FileName, launch.directory, launch.program))
                return;
            break;
        case kViewerNotepad: launch.program = "notepad.exe"; break;
        case kViewerOther: launch.program = otherEditor; break;
        default: return;
    }
    host.StartProgram(launch);
}

std::string FindOnSearchPath(const std::string& name, const std::string& searchPath,
                             const std::function<bool(const std::string&)>& exists) {
    if (name.empty()) return {};
    if (exists(name)) return name;
    size_t start = 0;
    while (start <= searchPath.size()) {
        size_t end = searchPath.find(';', start);
        if (end == std::string::npos) end = searchPath.size();
        std::string directory = searchPath.substr(start, end - start);
        start = end + 1;
        if (directory.empty()) continue;
        std::string candidate = JoinPath(directory, name);
        if (exists(candidate)) return candidate;
    }
    return {};
}

ViewerSettingsCheck CheckViewerSettings(int choice, std::string& otherEditor,
                                        ViewerSettingsHost& host) {
    if (choice == kViewerAssociated && !host.HasAssociatedProgram())
        return ViewerSettingsCheck::NoAssociation;
    if (choice == kViewerOther) {
        if (otherEditor.find('.') == std::string::npos) otherEditor += ".exe";
        std::string found =
            FindOnSearchPath(otherEditor, host.SearchPathVariable(),
                             [&host](const std::string& path) { return host.ProgramExists(path); });
        if (found.empty()) return ViewerSettingsCheck::BadProgram;
    }
    return ViewerSettingsCheck::Accepted;
}
