// Feeds arbitrary bytes to the reader of a learner's file from the class
// folder; whatever it accepts must write back to a file it reads the same.
#include "classroom/learner_progress.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const auto read = readProgress(std::string(reinterpret_cast<const char*>(data), size));
    const auto* progress = std::get_if<LearnerProgress>(&read);
    if (!progress)
        return 0;
    const std::string again = writeProgress(*progress);
    const auto reread = readProgress(again);
    if (!std::holds_alternative<LearnerProgress>(reread) ||
        writeProgress(std::get<LearnerProgress>(reread)) != again)
        std::abort();
    return 0;
}
