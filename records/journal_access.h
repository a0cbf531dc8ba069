#pragma once

#include "records/journal.h"

#include <string>

// The practice journal as the features beside it use it: to read it and write
// beside each attempt, and to keep the attempts on lesson files they make
// under names of their own.
class JournalAccess {
  public:
    virtual ~JournalAccess() = default;
    // The journal, opened if it can be.
    virtual Journal& journal() = 0;
    // The drill's lesson file, whose attempts are kept under the drill's name.
    virtual const std::string& drillPath() const = 0;
    // Attempts on a lesson file another feature made are kept under `lesson`
    // and `title`; 再练一次 loads that file again.
    virtual void nameLesson(const std::string& path, const std::string& lesson,
                            const std::string& title) = 0;
};
