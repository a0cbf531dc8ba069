#include "records/history_place.h"

#include "core/user_data_folder.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isWritableFolder(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::string historyFilePath(const std::string& programFolder) {
    if (isWritableFolder(programFolder))
        return programFolder + "/user.cey";
    return userDataFolder() + "/orvanta/user.cey";
}

std::optional<FileProblem> makeFoldersFor(const std::string& filePath) {
    for (size_t slash = filePath.find('/', 1); slash != std::string::npos;
         slash = filePath.find('/', slash + 1)) {
        const std::string folder = filePath.substr(0, slash);
        struct stat info {};
        if (::stat(folder.c_str(), &info) == 0 || errno != ENOENT)
            continue; // an existing folder, or a failure that opening the file will report
        if (::mkdir(folder.c_str(), 0700) != 0)
            return problemOfError(errno);
    }
    return std::nullopt;
}
