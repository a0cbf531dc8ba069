#include "classroom/class_publisher.h"

#include "classroom/journal_progress.h"
#include "core/atomic_write.h"
#include "records/journal.h"
#include "records/journal_time.h"

#include <cctype>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

// The owner waits on the interface thread, so briefly.
constexpr auto kLongestWaitAtEnd = std::chrono::milliseconds(100);

// Letters, digits and the CJK ranges stay; anything a file system might
// refuse or read as a path becomes "_".
std::string fileNamePart(const std::string& text) {
    std::string part;
    for (unsigned char c : text)
        part += (c >= 0x80 || std::isalnum(c) || c == '-') ? static_cast<char>(c) : '_';
    return part.substr(0, 120);
}

std::string computerName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || !name[0])
        return "pc";
    return name;
}

} // namespace

std::string progressFileName(const std::string& learner, const std::string& learnerId) {
    return fileNamePart(learner) + "@" + fileNamePart(computerName()) + "-" +
           fileNamePart(learnerId) + ".progress";
}

std::string progressFolder(const std::string& classFolder) {
    return classFolder + "/progress";
}

std::optional<FileProblem> publishProgress(const std::string& journalPath,
                                           const std::string& classFolder,
                                           const std::string& learner,
                                           const std::string& fileName) {
    Journal journal(journalPath);
    if (const Journal::Opening opened = journal.open(); opened.busy || opened.error)
        return opened.busy ? FileProblem::Busy : FileProblem::Failed;
    const std::string bytes = writeProgress(
        journalProgress(journal, learner, isoLocalTime(std::chrono::system_clock::now())));
    // The class folder itself must be there (an unplugged stick is not made
    // again on the local disk); its progress folder is made as needed.
    std::error_code error;
    if (!std::filesystem::is_directory(classFolder, error))
        return FileProblem::Missing;
    std::filesystem::create_directory(progressFolder(classFolder), error);
    if (const auto failure = replaceFile(progressFolder(classFolder) + "/" + fileName, bytes))
        return problemOfError(*failure);
    return std::nullopt;
}

struct ClassPublisher::State {
    std::string journalPath, classFolder, learner, fileName;
    Told told;
    std::chrono::milliseconds retry;
    std::mutex mutex;
    std::condition_variable wake;
    bool wanted = false;
    bool stopping = false;
    bool finished = false;

    void run() {
        std::unique_lock lock(mutex);
        while (!stopping) {
            if (!wanted) {
                wake.wait(lock, [this] { return wanted || stopping; });
                continue;
            }
            wanted = false;
            lock.unlock();
            const auto problem = publishProgress(journalPath, classFolder, learner, fileName);
            lock.lock();
            // Under the lock, so that nothing is told once the owner has gone.
            if (!stopping)
                told({problem, progressFolder(classFolder) + "/" + fileName});
            if (problem && !stopping) {
                wanted = true;
                wake.wait_for(lock, retry, [this] { return stopping; });
            }
        }
        finished = true;
        wake.notify_all();
    }
};

ClassPublisher::ClassPublisher(std::string journalPath, std::string classFolder,
                               std::string learner, std::string fileName, Told told,
                               std::chrono::milliseconds retry)
    : m_state(std::make_shared<State>()) {
    m_state->journalPath = std::move(journalPath);
    m_state->classFolder = std::move(classFolder);
    m_state->learner = std::move(learner);
    m_state->fileName = std::move(fileName);
    m_state->told = std::move(told);
    m_state->retry = retry;
    std::thread([state = m_state] { state->run(); }).detach();
}

ClassPublisher::~ClassPublisher() {
    std::unique_lock lock(m_state->mutex);
    m_state->stopping = true;
    m_state->wake.notify_all();
    m_state->wake.wait_for(lock, kLongestWaitAtEnd, [this] { return m_state->finished; });
}

void ClassPublisher::publishSoon() {
    const std::lock_guard lock(m_state->mutex);
    m_state->wanted = true;
    m_state->wake.notify_all();
}
