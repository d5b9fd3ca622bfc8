#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "fileview/file_view_file.h"
#include "results/file_info.h"

struct Settings;

// Opening a result: in FileView, in the program associated with the file, in
// Notepad or in the user's other editor. The order of the decisions lives
// here; the windows and the shell are behind the two hosts below.

inline bool FitsFileView(uint64_t size) {
    return size < kFileViewCapacity;
}

// Fills the hand-over record and the context sizes for the item; false when
// its full path would not fit the record (nothing is then opened).
bool PrepareFileForViewing(const FileInfoItem& item, FileViewFile& file, int& above, int& below);

class OpeningHost {
  public:
    virtual ~OpeningHost() = default;
    virtual bool FileViewIsOpen() = 0;
    virtual void HandOver(const FileViewFile& file, int above, int below) = 0;
    // The opened file's directory becomes the settings' current directory.
    virtual void RememberDirectory(const std::string& directory) = 0;
    // The FileView Settings dialog; it may change the viewer choice.
    virtual void AskViewerSettings() = 0;
    virtual void OpenFileView() = 0;
    virtual void LaunchOutsideViewer(int choice) = 0;
    virtual void ShowStatus(int stringId) = 0;
};

// Opens the item as the viewer settings say. FileView opens as well whenever
// the last search had a text, so its matching lines are listed. Nothing
// happens while FileView is open.
void OpenFileItem(const FileInfoItem& item, const Settings& settings, bool lastSearchHadText,
                  OpeningHost& host);

// A program to start: its parameters and its working directory.
struct ViewerLaunch {
    std::string program;
    std::string parameters;
    std::string directory;
};

class LaunchHost {
  public:
    virtual ~LaunchHost() = default;
    // The program associated with the file `name` in `directory`.
    virtual bool FindAssociatedProgram(const std::string& name, const std::string& directory,
                                       std::string& program) = 0;
    virtual void StartProgram(const ViewerLaunch& launch) = 0;
};

// Starts the outside viewer of `choice` on the file: the bare file name (in
// quotes when it holds blanks) in the file's directory. Choice 400, and 401
// without an association, start nothing.
void LaunchOutsideViewer(int choice, const FileViewFile& file, const std::string& otherEditor,
                         LaunchHost& host);

// A command-line argument as a program reads it back: quoted when it holds a blank.
std::string QuoteArgument(const std::string& argument);

// The FileView Settings dialog's check on OK.
enum class ViewerSettingsCheck { Accepted, NoAssociation, BadProgram };

class ViewerSettingsHost {
  public:
    virtual ~ViewerSettingsHost() = default;
    virtual bool HasAssociatedProgram() = 0;
    virtual bool ProgramExists(const std::string& path) = 0;
    virtual std::string SearchPathVariable() = 0;
};

// For choice 403 `otherEditor` is the typed program, which gets ".exe" when it
// has no full stop; it must exist as given or in a directory of the search
// path. `otherEditor` keeps the typed name (not where it was found).
ViewerSettingsCheck CheckViewerSettings(int choice, std::string& otherEditor,
                                        ViewerSettingsHost& host);

// Where `name` is found: as given (relative or absolute), then in each
// directory of the ';'-separated `searchPath`; empty when nowhere.
std::string FindOnSearchPath(const std::string& name, const std::string& searchPath,
                             const std::function<bool(const std::string&)>& exists);
