#pragma once

#include "core/regular_file.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// The learner's file in the class folder: <folder>/progress/<name>@<pc>-<id>.progress,
// one per learner and PC, written by that learner's program alone.
std::string progressFileName(const std::string& learner, const std::string& learnerId);
std::string progressFolder(const std::string& classFolder);

// Reads the journal at `journalPath` and replaces the learner's file in the
// class folder with what it holds now (a temporary file, then a rename): the
// file is whole and old or whole and new, whatever happens meanwhile. The
// problem when the folder could not be written.
std::optional<FileProblem> publishProgress(const std::string& journalPath,
                                           const std::string& classFolder,
                                           const std::string& learner, const std::string& fileName);

// Publishes on a thread of its own, so that a slow or absent share never holds
// the caller: publishSoon only marks that the journal changed. Each publish
// writes all the journal holds, so requests that pile up make one publish,
// and a failed one is tried again after `retry` until it succeeds.
class ClassPublisher {
  public:
    struct Outcome {
        std::optional<FileProblem> problem; // none: published
        std::string file;
    };
    // Told on the publisher's thread after every try.
    using Told = std::function<void(const Outcome&)>;

    ClassPublisher(std::string journalPath, std::string classFolder, std::string learner,
                   std::string fileName, Told told,
                   std::chrono::milliseconds retry = std::chrono::seconds(30));
    // Waits a short while for a publish under way; one stuck on a dead share
    // is left to finish on its own.
    ~ClassPublisher();
    ClassPublisher(const ClassPublisher&) = delete;
    ClassPublisher& operator=(const ClassPublisher&) = delete;

    void publishSoon();

    struct State;

  private:
    std::shared_ptr<State> m_state;
};
