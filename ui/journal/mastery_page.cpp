#include "ui/journal/mastery_page.h"

#include "records/journal.h"
#include "ui/common/day_text.h"
#include "ui/common/font_faces.h"
#include "ui/journal/kanji_grid.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <set>

namespace {

constexpr size_t kWordsShown = 8;
constexpr size_t kSlipsShown = 3;

QString qs(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

QString holdName(Hold hold) {
    switch (hold) {
    case Hold::NotMet:
        return QStringLiteral("还没学到");
    case Hold::Met:
        return QStringLiteral("看原文打过");
    case Hold::Produced:
        return QStringLiteral("看读音写出过");
    case Hold::Held:
        return QStringLiteral("已掌握");
    }
    return {};
}

// Japanese text in the tip, in the face the lesson box shows it in.
QString japanese(const QString& text) {
    return QStringLiteral("<span style=\"font-family:'%1'\">%2</span>")
        .arg(kJapaneseFace, text.toHtmlEscaped());
}

QString totalsText(const MasteryTotals& t) {
    return QStringLiteral("学过 %1/%3　已掌握 %2/%3").arg(t.covered).arg(t.held).arg(t.total);
}

// What was typed in a slip's place, named when it shows as nothing.
QString typedText(const std::u16string& typed) {
    if (typed.empty())
        return QStringLiteral("（漏打）");
    if (typed == u"\r\n")
        return QStringLiteral("↵");
    return qs(typed);
}

QLabel* label(const QString& text, qreal size, const char* name = nullptr) {
    auto* l = new QLabel(text);
    l->setFont(chineseFont(size));
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

// A square of the legend: the kanji 字 in one state.
class Swatch final : public QWidget {
  public:
    explicit Swatch(KanjiState state) : m_state(state) {
        setFixedSize(KanjiGrid::kCell, KanjiGrid::kCell);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintKanjiCell(painter, rect(), m_state, kSwatchDay);
    }

  private:
    static constexpr Day kSwatchDay = 0;
    KanjiState m_state;
};

KanjiState sample(Hold hold, std::optional<Day> slipped = std::nullopt) {
    return {u'字', hold, slipped, std::nullopt};
}

// The link that loads a lesson.
QString lessonLink(const std::string& lesson, const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(QString::fromStdString(lesson).toHtmlEscaped(), text);
}

QString groupTitle(const MasteryGroup& group) {
    QString title = lessonLink(group.lessons.front(), qs(group.title).toHtmlEscaped());
    if (group.volume != 0 && group.lessons.size() > 1)
        title += QStringLiteral("　") +
                 lessonLink(group.lessons.front(), QStringLiteral("基本课文")) +
                 QStringLiteral("·") + lessonLink(group.lessons[1], QStringLiteral("应用课文"));
    return title;
}

} // namespace

MasteryPage::MasteryPage(const Journal& journal, std::vector<KanjiPlace> places,
                         std::function<Day()> today, QWidget* parent)
    : QWidget(parent), m_journal(journal), m_today(std::move(today)),
      m_totals(label({}, 10.5, "MasteryTotals")), m_groups(new QScrollArea) {
    setObjectName(QStringLiteral("MasteryPage"));
    setPlaces(std::move(places));
    m_groups->setObjectName(QStringLiteral("MasteryGroups"));
    m_groups->setWidgetResizable(true);
    m_groups->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_totals);
    layout->addWidget(createLegend());
    layout->addWidget(m_groups, 1);
}

QWidget* MasteryPage::createLegend() {
    auto* legend = new QWidget;
    legend->setObjectName(QStringLiteral("MasteryLegend"));
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    const std::vector<std::pair<KanjiState, QString>> keys = {
        {sample(Hold::NotMet), QStringLiteral("灰色虚线框：还没学到")},
        {sample(Hold::Met), QStringLiteral("浅蓝：看原文打过")},
        {sample(Hold::Produced), QStringLiteral("中蓝带圆点：看读音写出过，没打错")},
        {sample(Hold::Held),
         QStringLiteral("深蓝粗框：已掌握（含这个字的单词都已复习到稳定 %1 天以上）")
             .arg(kHeldStability)},
        {sample(Hold::Met, Day{0}),
         QStringLiteral("右上角橙红三角：%1 天内打错过").arg(kRecentSlipDays)},
    };
    for (const auto& [state, text] : keys) {
        row->addWidget(new Swatch(state));
        auto* caption = label(text, 9);
        caption->setWordWrap(true);
        row->addWidget(caption, 1);
    }
    return legend;
}

void MasteryPage::setPlaces(std::vector<KanjiPlace> places) {
    m_places = std::move(places);
    m_placesOf.clear();
    for (const KanjiPlace& p : m_places)
        m_placesOf[p.kanji].push_back(&p);
}

void MasteryPage::refresh() {
    sqlite3* db = m_journal.database();
    m_mastery = readMastery(db, m_places);
    const Day today = m_today();
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    for (int g = 0; g < std::ssize(m_mastery.groups); ++g)
        column->addWidget(groupBox(g, today));
    if (m_mastery.groups.empty())
        column->addWidget(label(QStringLiteral("找不到课程的汉字表（ldata/course_kanji.tsv），"
                                               "请重新安装本程序。"),
                                10.5));
    column->addStretch();
    m_groups->setWidget(content);
    showTotals();
}

QWidget* MasteryPage::groupBox(int index, Day today) {
    const MasteryGroup& group = m_mastery.groups[static_cast<size_t>(index)];
    const MasteryTotals totals = totalsOf(group);
    auto* title = label(groupTitle(group), 11, "MasteryLessonTitle");
    title->setTextFormat(Qt::RichText);
    title->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    title->setToolTip(QStringLiteral("点击载入这一课"));
    connect(title, &QLabel::linkActivated, this, &MasteryPage::lessonChosen);
    auto* practice = new QPushButton(QStringLiteral("练习未掌握的字"));
    practice->setObjectName(QStringLiteral("MasteryPractice"));
    practice->setFont(chineseFont(9));
    practice->setEnabled(totals.held < totals.total);
    practice->setToolTip(QStringLiteral("用这一课里含有未掌握汉字的句子，以“看读音写汉字”练习"));
    connect(practice, &QPushButton::clicked, this, [this, index] { emit practiceChosen(index); });
    auto* head = new QHBoxLayout;
    head->addWidget(title);
    head->addSpacing(16);
    head->addWidget(label(totalsText(totals), 9, "MasteryLessonCounts"));
    head->addStretch();
    head->addWidget(practice);
    auto* box = new QWidget;
    box->setObjectName(QStringLiteral("MasteryLesson"));
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->addLayout(head);
    layout->addWidget(
        new KanjiGrid(group.kanji, today, [this](const KanjiState& k) { return tipFor(k); }));
    return box;
}

void MasteryPage::showTotals() {
    MasteryTotals course, volumes[2], others;
    for (const MasteryGroup& group : m_mastery.groups) {
        const MasteryTotals t = totalsOf(group);
        if (group.volume == 0)
            others += t;
        else
            volumes[group.volume - 1] += t;
    }
    course += volumes[0];
    course += volumes[1];
    QString text = QStringLiteral("<b>全部课文</b>　%1　　<b>新版标日初级(上)</b>　%2　　"
                                  "<b>新版标日初级(下)</b>　%3")
                       .arg(totalsText(course), totalsText(volumes[0]), totalsText(volumes[1]));
    if (others.total > 0)
        text += QStringLiteral("　　<b>其他课文</b>　%1").arg(totalsText(others));
    m_totals->setText(text);
}

QString MasteryPage::tipFor(const KanjiState& kanji) const {
    std::set<std::u16string> readings, seenWords;
    QStringList words;
    for (const KanjiPlace* p : m_placesOf.at(kanji.kanji)) {
        if (!p->reading.empty())
            readings.insert(p->reading);
        if (words.size() < static_cast<qsizetype>(kWordsShown) && seenWords.insert(p->word).second)
            words << (p->wordReading.empty() || p->wordReading == p->word
                          ? japanese(qs(p->word))
                          : QStringLiteral("%1（%2）")
                                .arg(japanese(qs(p->word)), japanese(qs(p->wordReading))));
    }
    QStringList readingList;
    for (const std::u16string& r : readings)
        readingList << japanese(qs(r));
    QString tip =
        QStringLiteral("<p style=\"white-space:pre\"><span style=\"font-size:20pt\">%1</span>　%2")
            .arg(japanese(QString(QChar(kanji.kanji))), holdName(kanji.hold));
    if (!readingList.isEmpty())
        tip += QStringLiteral("<br>读音：%1").arg(readingList.join(QStringLiteral("、")));
    tip += QStringLiteral("<br>词语：%1").arg(words.join(QStringLiteral("、")));
    tip += slipsText(kanji.kanji);
    tip += kanji.nextReview
               ? QStringLiteral("<br>下次复习：%1").arg(monthDayText(*kanji.nextReview))
               : QStringLiteral("<br>下次复习：没有复习卡片（打错过的单词才会复习）");
    return tip + QStringLiteral("</p>");
}

QString MasteryPage::slipsText(char16_t kanji) const {
    const auto texts = m_mastery.slipTexts.find(kanji);
    sqlite3* db = m_journal.database();
    if (texts == m_mastery.slipTexts.end() || !db)
        return QStringLiteral("<br>还没有打错过");
    QString text = QStringLiteral("<br>最近打错：");
    for (const SeenSlip& slip : lastSlips(db, texts->second, kSlipsShown)) {
        const QString kind = slip.kind.empty()
                                 ? QString()
                                 : QString::fromStdString(slip.kind) + QStringLiteral("，");
        text += QStringLiteral("<br>　%1 → %2（%3%4）")
                    .arg(japanese(qs(slip.expected)), japanese(typedText(slip.typed)), kind,
                         monthDayText(slip.day));
    }
    return text;
}
