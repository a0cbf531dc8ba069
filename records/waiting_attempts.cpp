#include "records/waiting_attempts.h"

#include "core/atomic_write.h"
#include "core/regular_file.h"
#include "core/utf8.h"

#include <charconv>
#include <cstdio>

namespace {

constexpr std::string_view kHeader = "orvanta waiting attempts 1\n";
constexpr size_t kFileLimit = 64 * 1024 * 1024;

std::string fileOf(const std::string& journalPath) {
    return journalPath + ".waiting";
}

// Each field is its length, ":" and its bytes, so that any text fits.
class Writer {
  public:
    Writer& text(std::string_view value) {
        m_bytes += std::to_string(value.size());
        m_bytes += ':';
        m_bytes += value;
        return *this;
    }
    Writer& number(std::int64_t value) { return text(std::to_string(value)); }
    Writer& real(double value) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        return text(std::string_view(buffer, static_cast<size_t>(end - buffer)));
    }
    Writer& optional(const std::optional<std::string>& value) {
        number(value.has_value());
        return value ? text(*value) : *this;
    }
    const std::string& bytes() const { return m_bytes; }

  private:
    std::string m_bytes;
};

class Reader {
  public:
    explicit Reader(std::string_view bytes) : m_rest(bytes) {}
    bool atEnd() const { return m_rest.empty(); }
    bool failed() const { return m_failed; }
    std::string text() {
        size_t length = 0;
        const auto [end, error] =
            std::from_chars(m_rest.data(), m_rest.data() + m_rest.size(), length);
        const size_t digits = static_cast<size_t>(end - m_rest.data());
        if (error != std::errc{} || digits == m_rest.size() || *end != ':' ||
            length > m_rest.size() - digits - 1) {
            m_failed = true;
            m_rest = {};
            return {};
        }
        std::string value(m_rest.substr(digits + 1, length));
        m_rest.remove_prefix(digits + 1 + length);
        return value;
    }
    template <typename Number> Number number() {
        const std::string field = text();
        Number value{};
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (error != std::errc{} || end != field.data() + field.size())
            m_failed = true;
        return value;
    }
    std::optional<std::string> optional() {
        if (number<int>() == 0)
            return std::nullopt;
        return text();
    }

  private:
    std::string_view m_rest;
    bool m_failed = false;
};

std::u16string textOf(const std::string& utf8, Reader& reader) {
    auto text = fromUtf8(utf8);
    if (!text)
        reader.text(); // makes the reader fail
    return text.value_or(u"");
}

void write(Writer& out, const WaitingAttempt& waiting) {
    const JournalAttempt& a = waiting.attempt;
    const AttemptFigures& f = a.figures;
    out.text(a.lesson).text(a.title).text(a.startedAt).text(a.endedAt).text(modeName(a.mode));
    out.number(f.elapsedSeconds).number(f.total).number(f.right).number(f.wrong).real(f.speed);
    out.number(a.completed).number(a.shifted).optional(waiting.name).number(waiting.id);
    out.number(static_cast<std::int64_t>(waiting.mistakes.size()));
    for (const JournalMistake& m : waiting.mistakes) {
        out.number(m.position).text(toUtf8(m.expected)).text(toUtf8(m.typed));
        out.text(m.note.kind).text(m.note.detail).number(m.corrected).number(m.line);
        out.optional(m.preedit ? std::optional(toUtf8(*m.preedit)) : std::nullopt);
    }
}

std::optional<WaitingAttempt> read(Reader& in) {
    WaitingAttempt waiting;
    JournalAttempt& a = waiting.attempt;
    AttemptFigures& f = a.figures;
    a.lesson = in.text();
    a.title = in.text();
    a.startedAt = in.text();
    a.endedAt = in.text();
    const auto mode = modeNamed(in.text());
    a.mode = mode.value_or(PracticeMode::Text);
    f.elapsedSeconds = in.number<Pos>();
    f.total = in.number<Pos>();
    f.right = in.number<Pos>();
    f.wrong = in.number<Pos>();
    f.speed = in.number<double>();
    a.completed = in.number<int>() != 0;
    a.shifted = in.number<Pos>();
    waiting.name = in.optional();
    waiting.id = in.number<std::int64_t>();
    const auto count = in.number<size_t>();
    for (size_t i = 0; i < count && !in.failed(); ++i) {
        JournalMistake& m = waiting.mistakes.emplace_back();
        m.position = in.number<Pos>();
        m.expected = textOf(in.text(), in);
        m.typed = textOf(in.text(), in);
        m.note.kind = in.text();
        m.note.detail = in.text();
        m.corrected = in.number<int>() != 0;
        m.line = in.number<int>();
        if (const auto preedit = in.optional())
            m.preedit = textOf(*preedit, in);
    }
    if (!mode || in.failed())
        return std::nullopt;
    return waiting;
}

std::optional<std::deque<WaitingAttempt>> parse(std::string_view bytes) {
    if (!bytes.starts_with(kHeader))
        return std::nullopt;
    Reader in(bytes.substr(kHeader.size()));
    std::deque<WaitingAttempt> waiting;
    while (!in.atEnd()) {
        auto next = read(in);
        if (!next)
            return std::nullopt;
        waiting.push_back(std::move(*next));
    }
    return waiting;
}

} // namespace

std::optional<int> keepWaitingAttempts(const std::string& journalPath,
                                       const std::deque<WaitingAttempt>& waiting) {
    if (waiting.empty())
        return std::nullopt;
    // Another program that ended meanwhile may have kept some too.
    std::deque<WaitingAttempt> all = takeWaitingAttempts(journalPath);
    all.insert(all.end(), waiting.begin(), waiting.end());
    Writer out;
    for (const WaitingAttempt& each : all)
        write(out, each);
    return replaceFile(fileOf(journalPath), std::string(kHeader) + out.bytes());
}

std::deque<WaitingAttempt> takeWaitingAttempts(const std::string& journalPath) {
    const std::string path = fileOf(journalPath);
    const auto bytes = readRegularFile(path, kFileLimit);
    if (const auto* problem = std::get_if<FileProblem>(&bytes)) {
        if (*problem != FileProblem::Missing)
            std::rename(path.c_str(), (path + ".broken").c_str());
        return {};
    }
    auto waiting = parse(std::get<std::string>(bytes));
    if (!waiting) {
        std::rename(path.c_str(), (path + ".broken").c_str());
        return {};
    }
    std::remove(path.c_str());
    return std::move(*waiting);
}
