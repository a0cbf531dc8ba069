#pragma once

#include "explain/kanji_sources.h"

#include <atomic>
#include <thread>

// Reads the kanji sources on a thread of its own once start() is called, so
// that the first mistake finds them read: OpenCC's dictionaries and KANJIDIC
// take tens of milliseconds and about 20 MB, too long for a key to wait.
// The sources may be asked at any time: a question asked before they are
// read waits for the thread (KanjiSources::load() runs once, whoever calls it).
class KanjiPreloader {
  public:
    explicit KanjiPreloader(KanjiSources& sources) : m_sources(sources) {}
    // Waits for the thread, which the sources outlive.
    ~KanjiPreloader();
    KanjiPreloader(const KanjiPreloader&) = delete;
    KanjiPreloader& operator=(const KanjiPreloader&) = delete;

    // Starts reading; a second call does nothing.
    void start();
    // Whether the sources have been read; it never waits.
    bool loaded() const { return m_loaded.load(); }

  private:
    KanjiSources& m_sources;
    std::thread m_thread;
    std::atomic<bool> m_loaded{false};
};
