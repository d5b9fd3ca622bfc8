#include "results/file_info.h"

std::string JoinPath(const std::string& directory, const std::string& name) {
    std::string path = directory;
    if (path.empty() || path.back() != '\\') path += '\\';
    path += name;
    return path;
}
