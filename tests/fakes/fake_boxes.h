#pragma once

#include "core/ports.h"

#include <algorithm>
#include <string>
#include <vector>

// The lesson box as a model: one colour and one underline flag per position.
class FakeLessonBox final : public LessonBox {
  public:
    const std::u16string& text() const override { return m_text; }
    void setText(std::u16string text) override {
        m_text = std::move(text);
        colours.assign(m_text.size(), kBlack);
        underlined.assign(m_text.size(), false);
    }
    void select(Pos start, Pos length) override {
        const auto size = static_cast<Pos>(m_text.size());
        m_start = std::clamp<Pos>(start, 0, size);
        m_end = std::clamp<Pos>(start + length, m_start, size);
    }
    void setSelectionColour(Rgb colour) override {
        std::fill(colours.begin() + m_start, colours.begin() + m_end, colour);
    }
    void setSelectionUnderline(bool on) override {
        std::fill(underlined.begin() + m_start, underlined.begin() + m_end, on);
    }
    void reveal(Pos position) override { revealed = position; }

    // Positions underlined, line-break characters left out (they show nothing).
    std::vector<Pos> visibleUnderlines() const {
        std::vector<Pos> at;
        for (size_t i = 0; i < m_text.size(); ++i)
            if (underlined[i] && m_text[i] != u'\r' && m_text[i] != u'\n')
                at.push_back(static_cast<Pos>(i));
        return at;
    }

    std::vector<Rgb> colours;
    std::vector<bool> underlined;
    Pos revealed = -1;

  private:
    std::u16string m_text;
    Pos m_start = 0;
    Pos m_end = 0;
};

class FakeTypingBox final : public TypingBox {
  public:
    void setText(std::u16string_view text) override {
        typed = text;
        ++programWrites;
    }
    void moveCaretToEnd() override { caretAtEnd = true; }

    std::u16string typed;
    int programWrites = 0;
    bool caretAtEnd = false;
};
