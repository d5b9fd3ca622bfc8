#include "fileview/save_text.h"

#include "results/file_info.h"
#include "search/criteria.h"
#include "ui/bounded_format.h"
#include "ui/text.h"

bool IsSameFile(TextFileLayer& files, const std::string& first, const std::string& second) {
    const FileStamp a = files.Identify(first), b = files.Identify(second);
    if (a.known && b.known) return a.volume == b.volume && a.index == b.index;
    return LowerText(first) == LowerText(second);
}

bool ChangedOnDisk(TextFileLayer& files, const std::string& path, const FileStamp& known) {
    if (!known.known) return false;
    const FileStamp now = files.Identify(path);
    if (!now.known) return false;
    return now.volume != known.volume || now.index != known.index || now.size != known.size ||
           now.lastWrite != known.lastWrite;
}

std::string ChangedOnDiskQuestion(const std::string& fileName) {
    return BoundedFormat(512, "%s has changed on disk since it was opened. Overwrite it?",
                         fileName.c_str());
}

const char* SaveFailureText(SaveResult result) {
    switch (result) {
        case SaveResult::CannotOpen:
        case SaveResult::NoTempFile: return "Unable to open file for writing!";
        case SaveResult::TooLarge: return "File greater than 64k!";
        case SaveResult::NoMemory: return "Out of memory!";
        case SaveResult::WriteFailed: return "Unable to write file!";
        case SaveResult::ReadOnly: return "File is read only!";
        case SaveResult::ReplaceFailed: return "Error while saving file!";
        case SaveResult::Saved: break;
    }
    return nullptr;
}

namespace {

SaveResult SaveResultOf(FileWrite write) {
    switch (write) {
        case FileWrite::Written: return SaveResult::Saved;
        case FileWrite::NoTempFile: return SaveResult::NoTempFile;
        case FileWrite::WriteFailed: return SaveResult::WriteFailed;
        case FileWrite::ReadOnly: return SaveResult::ReadOnly;
        case FileWrite::ReplaceFailed: break;
    }
    return SaveResult::ReplaceFailed;
}

}  // namespace

SaveResult SaveToNewTempFile(TextFileLayer& files, const std::string& directory,
                             std::string_view text, std::string& tempPath) {
    if (text.size() >= kSaveTextLimit) return SaveResult::TooLarge;
    return SaveResultOf(WriteTempFile(files, directory, text, tempPath));
}

SaveResult MoveTempFileOver(TextFileLayer& files, const std::string& tempPath,
                            const std::string& path, bool* keptOnlyCopy) {
    return SaveResultOf(ReplaceWithTempFile(files, tempPath, path, keptOnlyCopy));
}

SaveResult SaveTextToFile(TextFileLayer& files, const std::string& path, std::string_view text) {
    if (text.size() >= kSaveTextLimit) return SaveResult::TooLarge;

    // A file deleted behind the viewer's back is made again; should the save
    // then fail, the empty file goes too, so the folder is as it was.
    bool created = false;
    switch (files.ProbeTarget(path)) {
        case TextFileLayer::Access::Writable: break;
        case TextFileLayer::Access::ReadOnly: return SaveResult::ReadOnly;
        case TextFileLayer::Access::Refused: return SaveResult::CannotOpen;
        case TextFileLayer::Access::Missing:
            if (!files.CreateTarget(path)) return SaveResult::CannotOpen;
            created = true;
            break;
    }
    std::string tempPath;
    SaveResult result = SaveToNewTempFile(files, DirectoryPart(path), text, tempPath);
    if (result == SaveResult::Saved) result = MoveTempFileOver(files, tempPath, path);
    if (result != SaveResult::Saved && created) files.Remove(path);
    return result;
}
