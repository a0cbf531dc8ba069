#include "records/history_file.h"

#include "records/history_place.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

std::string failure(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Takes back the bytes of a partial write, unless another writer appended since.
void removePartial(int fd, off_t end, ssize_t written) {
    struct stat info {};
    if (written > 0 && ::fstat(fd, &info) == 0 && info.st_size == end)
        static_cast<void>(::ftruncate(fd, end - written));
}

} // namespace

std::optional<std::string> HistoryFile::AppendScoreRecord(const ScoreRecord& record) {
    const std::string bytes = m_codePage.encodeText(layoutScoreRecord(record));
    if (auto reason = makeFoldersFor(m_path))
        return reason;
    const Descriptor file(::open(m_path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (file.get() < 0)
        return failure("open");
    const ssize_t written = ::write(file.get(), bytes.data(), bytes.size());
    if (written != static_cast<ssize_t>(bytes.size())) {
        const std::string reason = written < 0 ? failure("write") : "write: disk full";
        removePartial(file.get(), ::lseek(file.get(), 0, SEEK_CUR), written);
        return reason;
    }
    if (::fsync(file.get()) != 0 && errno != EINVAL && errno != EROFS)
        return failure("fsync");
    return std::nullopt;
}

std::optional<std::u16string> HistoryFile::ReadHistoryText() const {
    std::ifstream in(m_path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return m_codePage.decodeText(bytes);
}

bool HistoryFile::DeleteHistoryFile() {
    return std::remove(m_path.c_str()) == 0;
}
