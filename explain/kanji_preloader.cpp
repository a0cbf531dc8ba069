#include "explain/kanji_preloader.h"

KanjiPreloader::~KanjiPreloader() {
    if (m_thread.joinable())
        m_thread.join();
}

void KanjiPreloader::start() {
    if (m_thread.joinable())
        return;
    m_thread = std::thread([this] {
        m_sources.load();
        m_loaded = true;
    });
}
