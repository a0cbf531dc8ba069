#include "ui/journal/mastery_hook.h"

#include "core/lesson_catalogue.h"
#include "core/lesson_codec.h"
#include "core/own_lessons.h"
#include "core/practice_session.h"
#include "ui/common/prompts.h"
#include "ui/journal/journal_hook.h"
#include "ui/journal/mastery_page.h"
#include "ui/journal/statistics_window.h"

#include <QWidget>
#include <algorithm>
#include <iterator>
#include <set>

namespace {

const QString kTitle = QStringLiteral("掌握情况");

// The course's places as the build wrote them; none when the file is missing
// or unreadable, and the page says so.
std::vector<KanjiPlace> coursePlaces(const std::string& programFolder) {
    const auto bytes =
        readRegularFile(programFolder + "/" + std::string(kCourseKanjiFile), kCourseKanjiFileLimit);
    if (const auto* text = std::get_if<std::string>(&bytes))
        return parseKanjiPlaces(*text).places;
    return {};
}

} // namespace

MasteryHook::MasteryHook(QWidget& window, PracticeSession& session, JournalHook& journal,
                         Prompts& prompts, std::function<bool()> chooseRecall,
                         const std::string& programFolder, std::string ownFolder,
                         Analyser& analyser, std::unique_ptr<DayClock> clock)
    : QObject(&window), m_window(window), m_session(session), m_journal(journal),
      m_prompts(prompts), m_chooseRecall(std::move(chooseRecall)), m_clock(std::move(clock)),
      m_course(coursePlaces(programFolder)), m_ownFolder(std::move(ownFolder)),
      m_analyser(analyser), m_lessons(m_files, m_codePage, programFolder),
      m_file(QStringLiteral("掌握练习")) {
    connect(&journal, &JournalHook::statisticsWindowMade, this, &MasteryHook::addPage);
}

void MasteryHook::addPage(StatisticsWindow& window) {
    m_page = new MasteryPage(m_journal.journal(), m_course, [this] { return m_clock->today(); });
    window.addPage(m_page, kTitle);
    connect(&window, &StatisticsWindow::refreshed, this, &MasteryHook::refresh);
    connect(m_page, &MasteryPage::lessonChosen, this, &MasteryHook::loadLesson);
    connect(m_page, &MasteryPage::practiceChosen, this, &MasteryHook::practise);
}

void MasteryHook::refresh() {
    m_page->setPlaces(places());
    m_page->refresh();
}

std::vector<KanjiPlace> MasteryHook::places() {
    std::vector<std::string> files;
    for (const OwnLesson& own : listOwnLessons(m_ownFolder))
        files.push_back(own.path);
    if (m_alsoShown)
        std::ranges::copy(m_alsoShown(), std::back_inserter(files));
    std::vector<KanjiPlace> all = m_course;
    for (const std::string& file : files) {
        const std::vector<KanjiPlace>& places = placesOf(file);
        all.insert(all.end(), places.begin(), places.end());
    }
    return all;
}

// None for a lesson that cannot be read now.
const std::vector<KanjiPlace>& MasteryHook::placesOf(const std::string& lessonFile) {
    auto& [known, places] = m_read[lessonFile];
    const auto bytes = m_files.readLesson(lessonFile);
    if (!bytes) {
        known.clear();
        places.clear();
        return places;
    }
    const std::u16string text = decodeLesson(*bytes, m_codePage).text;
    if (known != text || places.empty()) {
        const LessonReadings readings =
            m_analyser.available()
                ? readLesson(text, m_analyser, readCorrections(lessonFile).entries)
                : LessonReadings{};
        known = text;
        places = kanjiPlaces(lessonFile, text, readings);
    }
    return places;
}

void MasteryHook::loadLesson(const QString& lesson) {
    const std::string name = lesson.toStdString();
    m_session.loadLesson(courseLessonPath(name).value_or(name));
    backToPractice();
}

// The statistics window stays above the main window, where the lesson now waits.
void MasteryHook::backToPractice() {
    m_page->window()->close();
    m_window.activateWindow();
}

// The practice's lines as the files of their lessons have them, each with its
// lesson's reading corrections.
std::vector<PracticeLine> MasteryHook::writePractice(const MasteryGroup& group) {
    std::set<char16_t> notHeld;
    for (const KanjiState& k : group.kanji)
        if (k.hold != Hold::Held)
            notHeld.insert(k.kanji);
    std::vector<LenderLesson> lenders;
    std::vector<std::u16string> texts;
    for (const std::string& lesson : group.lessons) {
        lenders.push_back(m_lessons.read(lesson).value_or(LenderLesson{}));
        texts.push_back(lenders.back().text);
    }
    const std::vector<PracticeLine> lines = practiceLines(places(), group.lessons, texts, notHeld);
    std::vector<BorrowedLine> borrowed;
    for (const PracticeLine& line : lines) {
        const auto lender =
            static_cast<size_t>(std::find(group.lessons.begin(), group.lessons.end(), line.lesson) -
                                group.lessons.begin());
        borrowed.push_back({texts[lender].substr(static_cast<size_t>(line.start),
                                                 static_cast<size_t>(line.length)),
                            &lenders[lender].corrections});
    }
    if (lines.empty() || !m_file.write(borrowLines(borrowed), m_codePage))
        return {};
    return lines;
}

void MasteryHook::practise(int index) {
    const MasteryGroup& group = m_page->mastery().groups.at(static_cast<size_t>(index));
    const std::vector<PracticeLine> lines = writePractice(group);
    if (lines.empty()) {
        m_prompts.inform(m_page->window(),
                         QStringLiteral("找不到这一课含有未掌握汉字的句子，无法生成练习。"),
                         kTitle);
        return;
    }
    if (!m_chooseRecall()) {
        m_prompts.inform(m_page->window(),
                         QStringLiteral("“看读音写汉字”现在不能用（需要读音词典），无法练习。"),
                         kTitle);
        return;
    }
    const QString title =
        QStringLiteral("掌握练习：%1").arg(QString::fromStdU16String(group.title));
    m_journal.nameLesson(m_file.path(), practiceLessonName(lines), title.toStdString());
    m_session.loadLesson(m_file.path());
    backToPractice();
}
