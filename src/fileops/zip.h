#pragma once

#include <string>
#include <vector>

#include "ui/temp_prefix.h"

// Add to Zip: Quarry compresses nothing itself. It asks for an archive name,
// finds the program associated with the archive, writes the selected paths
// into a parameter file and starts the program on it. The order of the steps
// and of the messages lives here; the Win32 side is the host.

// Short (8.3) paths of the program and the archive are held in this many bytes.
inline constexpr size_t kShortPathSize = 80;

// The archive name with ".zip" appended when the whole path holds no dot.
std::string ArchiveNameWithExtension(const std::string& path);

// The parameter file's text: each path followed by a line feed.
std::string ParameterFileText(const std::vector<std::string>& paths);

// A path as the zip program's command line carries it: the short form when
// there is one that fits kShortPathSize; otherwise the long path, never cut,
// quoted when it holds a blank.
std::string CommandLinePath(const std::string& longPath, const std::string& shortPath);

// " %s %s @%s": the options, the archive and the parameter file.
std::string ZipParameters(const std::string& options, const std::string& archive,
                          const std::string& parameterFile);

class ZipHost {
  public:
    virtual ~ZipHost() = default;
    virtual std::vector<std::string> SelectedPaths() = 0;
    // The target dialog titled "Zip": false on Cancel or when the name cannot
    // be made absolute.
    virtual bool AskArchiveName(int count, std::string& archive) = 0;
    // Opens the archive for writing with others denied writing, or creates it
    // empty.
    enum class Hold { Opened, Created, Failed };
    virtual Hold HoldArchive(const std::string& archive) = 0;
    virtual void ReleaseArchive() = 0;
    // Removes the archive the run created, if it is still empty.
    virtual void RemoveCreatedArchive(const std::string& archive) = 0;
    // The program associated with the archive's type; false when none.
    virtual bool FindAssociatedProgram(const std::string& archive, std::string& program) = 0;
    // The short form of an existing path; empty when the system has none.
    virtual std::string ShortPath(const std::string& path) = 0;

    // The parameter file, one name per run. Each step returns 0 or the
    // system's error code.
    virtual int ParameterFileName(std::string& name) = 0;
    virtual int CreateParameterFile(const std::string& name) = 0;  // not shared, truncated
    virtual int WriteParameterFile(const std::string& bytes) = 0;
    virtual int EndParameterFile() = 0;     // the end of file here, then closed
    virtual void CloseParameterFile() = 0;  // after a failure

    // Starts the program minimised without activation; above 32 is success.
    virtual int Launch(const std::string& program, const std::string& parameters,
                       const std::string& directory) = 0;
    virtual void ShowWarning(const std::string& text) = 0;
    virtual void Trace(const std::string& text) = 0;
    // The launch is reported: the main window takes the focus back, status "Ready".
    virtual void Launched() = 0;
};

// Makes sure the archive exists and finds its program, with its own messages;
// `created` tells whether the archive was made for this run.
bool FindZipProgram(ZipHost& host, const std::string& archive, std::string& program, bool& created);

// The command: 1 when the program was started, 0 otherwise. A run that does
// not start the program leaves no archive it created behind.
int AddSelectedToZip(ZipHost& host, const std::string& zipOptions, const std::string& directory);
