#include "results/file_info.h"

std::string JoinPath(const std::string& directory, const std::string& name) {
    std::string path = directory;
    if (path.empty() || path.back() != '\\') path += '\\';
    path += name;
    return path;
}

std::string DirectoryPart(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return {};
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}
