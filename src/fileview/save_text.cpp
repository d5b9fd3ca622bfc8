#include "fileview/save_text.h"

#include "results/file_info.h"

const char* SaveFailureText(SaveResult result) {
    switch (result) {
        case SaveResult::CannotOpen: return "Unable to open file for writing!";
        case SaveResult::TooLarge: return "File greater than 64k!";
        case SaveResult::NoMemory: return "Out of memory!";
        case SaveResult::WriteFailed: return "Unable to write file!";
        case SaveResult::ReadOnly: return "File is read only!";
        case SaveResult::ReplaceFailed: return "Error while saving file!";
        case SaveResult::Saved:
        case SaveResult::NoTempFile: break;
    }
    return nullptr;
}

namespace {

// Writes the whole text into the open temporary file and closes it; the file
// is closed on every path.
bool WriteTempFile(SaveFileLayer& files, std::string_view text) {
    bool written = files.Write(text.data(), text.size()) && files.Flush();
    return files.Close() && written;
}

SaveResult SaveThroughTempFile(SaveFileLayer& files, const std::string& path,
                               std::string_view text) {
    std::string directory = DirectoryPart(path);
    std::string tempPath;
    if (!files.CreateTempFile(directory.empty() ? "." : directory, tempPath))
        return SaveResult::NoTempFile;

    SaveResult result = SaveResult::Saved;
    if (!files.OpenForWriting(tempPath))
        result = SaveResult::NoTempFile;
    else if (!WriteTempFile(files, text))
        result = SaveResult::WriteFailed;
    else if (SaveFileLayer::Replaced replaced = files.Replace(tempPath, path);
             replaced != SaveFileLayer::Replaced::Done)
        result = replaced == SaveFileLayer::Replaced::ReadOnly ? SaveResult::ReadOnly
                                                               : SaveResult::ReplaceFailed;
    if (result != SaveResult::Saved) files.Remove(tempPath);
    return result;
}

}  // namespace

SaveResult SaveTextToFile(SaveFileLayer& files, const std::string& path, std::string_view text) {
    if (text.size() >= kSaveTextLimit) return SaveResult::TooLarge;

    // A file deleted behind the viewer's back is made again; should the save
    // then fail, the empty file goes too, so the folder is as it was.
    bool created = false;
    switch (files.ProbeTarget(path)) {
        case SaveFileLayer::Access::Writable: break;
        case SaveFileLayer::Access::ReadOnly: return SaveResult::ReadOnly;
        case SaveFileLayer::Access::Refused: return SaveResult::CannotOpen;
        case SaveFileLayer::Access::Missing:
            if (!files.CreateTarget(path)) return SaveResult::CannotOpen;
            created = true;
            break;
    }
    SaveResult result = SaveThroughTempFile(files, path, text);
    if (result != SaveResult::Saved && created) files.Remove(path);
    return result;
}
