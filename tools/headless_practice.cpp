#include "tools/headless_practice.h"

HeadlessPractice::HeadlessPractice()
    : m_session(
          {m_lesson, m_typing, m_window, m_cues, m_music, m_click, m_media, m_clock, {}, {}}) {}
