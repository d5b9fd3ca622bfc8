#include "fileops/zip.h"

#include <cstdarg>
#include <cstdio>
#include <new>

#include "ui/bounded_format.h"

namespace {

// The parameter file's steps; on failure the messages are shown and the run
// ends without starting the program.
bool WriteParameters(ZipHost& host, const std::vector<std::string>& paths, std::string& name) {
    int error = host.ParameterFileName(name);
    if (error == 0) {
        error = host.CreateParameterFile(name);
        if (error != 0) host.ShowWarning(BoundedFormat(256, "Error %d: Unable to create file!", error));
    }
    if (error != 0) {
        host.ShowWarning(BoundedFormat(256, "Error %d: Unable to create parameter file!", error));
        return false;
    }
    for (const std::string& path : paths) {
        error = host.WriteParameterFile(path + '\n');
        if (error != 0) break;
    }
    if (error == 0) {
        error = host.EndParameterFile();
    } else {
        host.CloseParameterFile();
    }
    if (error != 0) {
        host.ShowWarning(BoundedFormat(256, "Error %d: Unable to write parameter file!", error));
        return false;
    }
    host.Trace("\nZip parameter file:" + name + "\n\n");
    return true;
}

}  // namespace

std::string ArchiveNameWithExtension(const std::string& path) {
    return path.find('.') == std::string::npos ? path + ".zip" : path;
}

std::string ParameterFileText(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) text += path + '\n';
    return text;
}

std::string CommandLinePath(const std::string& longPath, const std::string& shortPath) {
    if (!shortPath.empty() && shortPath.size() < kShortPathSize &&
        shortPath.find(' ') == std::string::npos)
        return shortPath;
    if (longPath.find(' ') == std::string::npos) return longPath;
    return '"' + longPath + '"';
}

std::string ZipParameters(const std::string& options, const std::string& archive,
                          const std::string& parameterFile) {
    return ' ' + options + ' ' + archive + " @" + parameterFile;
}

bool FindZipProgram(ZipHost& host, const std::string& archive, std::string& program,
                    bool& created) {
    const ZipHost::Hold hold = host.HoldArchive(archive);
    created = hold == ZipHost::Hold::Created;
    if (hold == ZipHost::Hold::Failed) {
        host.ShowWarning(BoundedFormat(256, "%s can't be created!", archive.c_str()));
        return false;
    }
    bool found = host.FindAssociatedProgram(archive, program);
    host.ReleaseArchive();
    if (!found) host.ShowWarning("Zip program not found!");
    return found;
}

int AddSelectedToZip(ZipHost& host, const std::string& zipOptions, const std::string& directory) {
    std::vector<std::string> paths = host.SelectedPaths();
    int count = static_cast<int>(paths.size());
    std::string archive;
    if (count == 0 || !host.AskArchiveName(count, archive)) return 0;
    archive = ArchiveNameWithExtension(archive);

    std::string program;
    bool created = false;
    const bool found = FindZipProgram(host, archive, program, created);
    // Only the zip program may fill the archive; a run that does not start it
    // takes back the empty one it made.
    auto failed = [&](const std::string& warning) {
        host.ShowWarning(warning);
        if (created) host.RemoveCreatedArchive(archive);
        return 0;
    };
    if (!found) return failed("WinZip program not found!");
    std::string programShown = CommandLinePath(program, host.ShortPath(program));
    std::string archiveShown = CommandLinePath(archive, host.ShortPath(archive));
    // The program itself is started by its path, not through a command line.
    std::string programStarted = programShown.front() == '"' ? program : programShown;

    std::string parameterFile;
    if (!WriteParameters(host, paths, parameterFile)) return failed("File Zip Aborted!");

    std::string parameters;
    try {
        parameters = ZipParameters(zipOptions, archiveShown,
                                   CommandLinePath(parameterFile, host.ShortPath(parameterFile)));
    } catch (const std::bad_alloc&) {
        return failed("Aborting file zip.");
    }
    int result = host.Launch(programStarted, parameters, directory);
    if (result <= 32)
        return failed(BoundedFormat(256, "Error %d: Zip program execution failed!", result));
    host.ShowWarning(BoundedFormat(256, "Program %s launched.\n%d files will be added to %s.\n",
                                   programStarted.c_str(), count, archiveShown.c_str()));
    host.Launched();
    return 1;
}
