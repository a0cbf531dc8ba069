#include "records/history_place.h"

#include "core/user_data_folder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isWritableFolder(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// A folder of the system's own software (a package, `make install` as root):
// a history there would outlive the program's removal, and only root may
// write it.
bool isUnderSystemPrefix(const std::string& folder) {
    char* real = ::realpath(folder.c_str(), nullptr);
    const std::string resolved = real ? real : folder;
    std::free(real);
    for (const std::string prefix : {"/usr", "/opt"})
        if (resolved == prefix || resolved.starts_with(prefix + "/"))
            return true;
    return false;
}

} // namespace

std::string historyFilePath(const std::string& programFolder) {
    if (isWritableFolder(programFolder) && !isUnderSystemPrefix(programFolder))
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
