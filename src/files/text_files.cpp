#include "files/text_files.h"

std::string TempDirectoryFor(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

FileWrite WriteTempFile(TextFileLayer& files, const std::string& directory, std::string_view text,
                        std::string& tempPath) {
    if (!files.CreateTempFile(directory.empty() ? "." : directory, tempPath))
        return FileWrite::NoTempFile;
    FileWrite result = FileWrite::NoTempFile;
    if (files.OpenForWriting(tempPath)) {
        // The file is closed on every path, a failed write or flush too.
        bool written = files.Write(text.data(), text.size()) && files.Flush();
        result = files.Close() && written ? FileWrite::Written : FileWrite::WriteFailed;
    }
    if (result != FileWrite::Written) files.Remove(tempPath);
    return result;
}

FileWrite ReplaceWithTempFile(TextFileLayer& files, const std::string& tempPath,
                              const std::string& path, bool* keptOnlyCopy) {
    TextFileLayer::Replaced replaced = files.Replace(tempPath, path);
    if (replaced == TextFileLayer::Replaced::Done) return FileWrite::Written;
    bool keep = keptOnlyCopy && !files.Exists(path) && files.Exists(tempPath);
    if (keptOnlyCopy) *keptOnlyCopy = keep;
    if (!keep) files.Remove(tempPath);
    return replaced == TextFileLayer::Replaced::ReadOnly ? FileWrite::ReadOnly
                                                         : FileWrite::ReplaceFailed;
}

FileWrite WriteFileReplacing(TextFileLayer& files, const std::string& path,
                             std::string_view text) {
    std::string tempPath;
    FileWrite result = WriteTempFile(files, TempDirectoryFor(path), text, tempPath);
    if (result == FileWrite::Written) result = ReplaceWithTempFile(files, tempPath, path);
    return result;
}
