// A learner's program as far as the class folder sees it: one attempt
// journalled, then published. For the test with a real sync engine.
#include "classroom/class_publisher.h"
#include "records/journal.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: publish_helper JOURNAL CLASS-FOLDER LEARNER\n");
        return 2;
    }
    Journal journal(argv[1]);
    if (journal.open().error)
        return 1;
    const JournalAttempt attempt{"J01A",
                                 "第一课 基本课文",
                                 "2026-03-02T10:00:00+08:00",
                                 "2026-03-02T10:01:00+08:00",
                                 {60, 40, 38, 2, 38.0},
                                 true};
    if (journal.record(attempt, {}).error)
        return 1;
    const auto problem = publishProgress(argv[1], argv[2], argv[3], progressFileName(argv[3], "1"));
    return problem ? 1 : 0;
}
