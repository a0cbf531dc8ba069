#pragma once

#include <optional>
#include <string>
#include <vector>

// One learner of this PC: `id` names their data folder and never changes;
// `name` is what the chooser shows and the name entry offers.
struct Learner {
    std::string id;
    std::string name;
};

// The learners of this PC and the one who practised last, kept in a small
// text file in the data folder. The first learner ("1") owns the data that
// was there before learners were kept, so nothing moves when a PC that had
// one practising person gets a second.
class LearnerRoster {
  public:
    // The learners in `file`; an empty roster when it is missing or unreadable.
    static LearnerRoster load(const std::string& file);
    // Replaces `file` whole; the errno of the failure.
    std::optional<int> save(const std::string& file) const;

    const std::vector<Learner>& learners() const { return m_learners; }
    const Learner* find(const std::string& id) const;
    const Learner* findByName(const std::string& name) const;
    // The learner who practised last, or the first one.
    const Learner* last() const;
    void setLast(const std::string& id) { m_last = id; }

    // A new learner with a fresh id; a name already taken gets a number after it.
    const Learner& add(const std::string& name);
    // False when the name is taken by another learner or empty.
    bool rename(const std::string& id, const std::string& name);
    void remove(const std::string& id);

  private:
    std::string freeName(const std::string& name) const;

    std::vector<Learner> m_learners;
    std::string m_last;
    // Never lower: a removed learner's id, and the data kept under it, is
    // never given to someone new.
    int m_nextId = 1;
};

// A learner's name as it can be kept: control characters become spaces,
// spaces at the ends go, and it is cut at a sensible length.
std::string cleanLearnerName(const std::string& name);

// <data>/orvanta/learners.txt
std::string learnerRosterFile(const std::string& dataFolder);

// The one place that decides where a learner's data lives: <data>/orvanta for
// the first learner, <data>/orvanta/learners/<id> for the others.
std::string learnerFolder(const std::string& dataFolder, const std::string& id);
std::string learnerJournalPath(const std::string& dataFolder, const std::string& id);
