#include "ui/journal/statistics_window.h"

#include "core/mistake_kind.h"
#include "records/journal_export.h"
#include "records/journal_statistics.h"
#include "review/daily_review.h"
#include "ui/common/font_faces.h"
#include "ui/common/prompts.h"
#include "ui/journal/progress_chart.h"

#include <algorithm>
#include <array>
#include <malloc.h>

#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>

namespace {

constexpr int kLessonRole = Qt::UserRole;
const QString kCountedTip = QStringLiteral("只算完成、至少 %1 个字的练习").arg(kCountedCharacters);
const QString kFirstTryTip =
    QStringLiteral("首次正确率：第一次就打对的字占全部字的比例，打错后改正的字也算错");
constexpr int kSortRole = Qt::UserRole + 1;
// What a window manager's frame and title bar take at most, in pixels.
constexpr int kFrameAllowance = 16;
constexpr int kTitleBarAllowance = 48;
const QString kMissedHeading = QStringLiteral("最常打错的 30 个字");
const QString kWeeksHeading = QStringLiteral("每周错误类型（只因错位而错的字不计）");

// Sorts by a key of its own: numbers as numbers, lessons in course order.
class SortableItem final : public QTableWidgetItem {
  public:
    SortableItem(const QString& text, const QVariant& key) : QTableWidgetItem(text) {
        setData(kSortRole, key);
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return QVariant::compare(data(kSortRole), other.data(kSortRole)) == QPartialOrdering::Less;
    }
};

SortableItem* numberItem(double value, int decimals, const QString& suffix = {}) {
    auto* item = new SortableItem(QString::number(value, 'f', decimals) + suffix, value);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// Until a completed attempt of enough characters sets it, a best figure is a dash.
SortableItem* bestItem(const std::optional<double>& value, const QString& suffix) {
    if (value)
        return numberItem(*value, 1, suffix);
    auto* item = new SortableItem(QStringLiteral("—"), -1.0);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setToolTip(kCountedTip);
    return item;
}

void explainColumns(QTableWidget* lessons) {
    for (int c : {2, 4})
        lessons->horizontalHeaderItem(c)->setToolTip(kCountedTip);
    lessons->horizontalHeaderItem(6)->setToolTip(kCountedTip + QLatin1Char('\n') + kFirstTryTip);
    lessons->horizontalHeaderItem(7)->setToolTip(kFirstTryTip);
}

// A character that shows as nothing is named.
QString shownCharacter(const std::u16string& text) {
    if (text == u"\r" || text == u"\n" || text == u"\r\n")
        return QStringLiteral("↵ 换行");
    if (text == u" " || text == u"\u3000")
        return QStringLiteral("␣ 空格");
    return QString::fromStdU16String(text);
}

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    label->setFont(chineseFont(12));
    label->setStyleSheet(QStringLiteral("color: #0000ff"));
    return label;
}

QTableWidget* table(const char* name, const QStringList& headers) {
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()));
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headers);
    t->setFont(chineseFont(10.5));
    t->horizontalHeader()->setFont(chineseFont(10.5));
    t->verticalHeader()->hide();
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return t;
}

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setFont(chineseFont(10.5));
    return b;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Today's review is made anew each time, with its size in its title: its
// attempts are one row under its name.
QString lessonTitle(const LessonSummary& summary) {
    return qs(summary.lesson == kReviewLesson ? summary.lesson : summary.title);
}

constexpr std::array kKindsShown{MistakeKind::ChineseForm,    MistakeKind::WrittenInKana,
                                 MistakeKind::WrittenInKanji, MistakeKind::WrongKanji,
                                 MistakeKind::WrongReading,   MistakeKind::Other};

} // namespace

StatisticsWindow::StatisticsWindow(const Journal& journal, Prompts& prompts, QWidget* owner)
    : QDialog(owner), m_journal(journal), m_prompts(prompts) {
    setObjectName(QStringLiteral("Statistics"));
    setWindowTitle(QStringLiteral("学习统计"));
    auto* left = new QVBoxLayout;
    left->addWidget(createLessonTable(), 2);
    left->addWidget(createChart(), 3);
    left->addWidget(createWeeklyKinds(), 1);
    auto* scores = new QWidget;
    auto* columns = new QHBoxLayout(scores);
    // The missed pairs get room for two named characters: ␣ 空格 → ␣ 空格.
    columns->addLayout(left, 3);
    columns->addWidget(createMissedList(), 1);
    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("StatisticsPages"));
    m_pages->setFont(chineseFont(10.5));
    m_pages->addTab(scores, QStringLiteral("成绩"));
    auto* exportButton = button("ExportButton", QStringLiteral("导出(&E)..."));
    auto* closeButton = button("CloseButton", QStringLiteral("关闭(&C)"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(closeButton);
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_pages);
    all->addLayout(buttons);
    connect(exportButton, &QPushButton::clicked, this, &StatisticsWindow::exportCsv_Click);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_drill, &QPushButton::clicked, this, &StatisticsWindow::drillRequested);
    fitScreen(owner);
}

// Designed for 1220 × 780, it is made smaller where the screen's free area,
// less the title bar, is smaller: a 1366 × 768 laptop screen.
void StatisticsWindow::fitScreen(const QWidget* owner) {
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect free = screen->availableGeometry();
    resize(std::min(1220, free.width() - kFrameAllowance),
           std::min(780, free.height() - kTitleBarAllowance));
}

QWidget* StatisticsWindow::createLessonTable() {
    m_lessons =
        table("LessonTable",
              {QStringLiteral("课文"), QStringLiteral("练习次数"), QStringLiteral("最高速度"),
               QStringLiteral("最近速度"), QStringLiteral("最高\n正确率"),
               QStringLiteral("最近\n正确率"), QStringLiteral("最高\n首次正确率"),
               QStringLiteral("最近\n首次正确率"), QStringLiteral("最近练习")});
    explainColumns(m_lessons);
    // The accuracies' headers take two lines, so that the lessons' titles fit.
    m_lessons->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_lessons->setSortingEnabled(true);
    connect(m_lessons, &QTableWidget::itemSelectionChanged, this,
            &StatisticsWindow::showSelectedLesson);
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(heading(QStringLiteral("各课成绩（速度：字/分钟）")));
    top->addStretch();
    top->addWidget(createModeFilter());
    layout->addLayout(top);
    layout->addWidget(m_lessons);
    return box;
}

// The table and the chart show the attempts of every practice mode or of one.
QWidget* StatisticsWindow::createModeFilter() {
    m_modes = new QComboBox;
    m_modes->setObjectName(QStringLiteral("ModeFilter"));
    m_modes->setFont(chineseFont(10.5));
    m_modes->addItem(QStringLiteral("全部练习方式"));
    m_modes->addItem(QStringLiteral("看原文"), QStringLiteral("text"));
    m_modes->addItem(QStringLiteral("看读音写汉字"), QStringLiteral("recall"));
    connect(m_modes, &QComboBox::currentIndexChanged, this, [this] {
        fillLessons();
        showSelectedLesson();
        nameUnfilteredHeadings();
    });
    return m_modes;
}

std::optional<std::string> StatisticsWindow::chosenMode() const {
    const QVariant mode = m_modes->currentData();
    if (!mode.isValid())
        return std::nullopt;
    return mode.toString().toStdString();
}

QWidget* StatisticsWindow::createChart() {
    m_chart = new ProgressChart;
    auto* allLessons = button("AllLessons", QStringLiteral("全部课文(&A)"));
    connect(allLessons, &QPushButton::clicked, m_lessons, &QTableWidget::clearSelection);
    auto* key = new QLabel(
        QStringLiteral("大圆点：最高　灰点：放弃或不足 %1 字，不计最高").arg(kCountedCharacters));
    key->setFont(chineseFont(9));
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(heading(QStringLiteral("速度与正确率（选一课只看这一课）")));
    top->addStretch();
    top->addWidget(key);
    top->addWidget(allLessons);
    layout->addLayout(top);
    layout->addWidget(m_chart);
    return box;
}

QWidget* StatisticsWindow::createMissedList() {
    m_missed = table("MissedTable", {QStringLiteral("易错字 → 常打成"), QStringLiteral("次数"),
                                     QStringLiteral("类型")});
    // The count and the kind take what they need, the characters the rest.
    m_missed->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_missed->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_missed->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_missed->setSelectionMode(QAbstractItemView::NoSelection);
    m_drill = button("DrillButton", QStringLiteral("练习易错字(&D)"));
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_missedHeading = heading(kMissedHeading);
    layout->addWidget(m_missedHeading);
    layout->addWidget(m_missed);
    layout->addWidget(m_drill);
    return box;
}

// Mistakes by kind, one row per week, the latest week first.
QWidget* StatisticsWindow::createWeeklyKinds() {
    QStringList headers{QStringLiteral("周（从周一起）")};
    for (const MistakeKind kind : kKindsShown)
        headers << QString::fromUtf8(kindName(kind));
    headers << QStringLiteral("未分类");
    m_weeks = table("WeeklyKinds", headers);
    m_weeks->setSelectionMode(QAbstractItemView::NoSelection);
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_weeksHeading = heading(kWeeksHeading);
    layout->addWidget(m_weeksHeading);
    layout->addWidget(m_weeks);
    return box;
}

// The list of characters and the weeks count the mistakes of every practice
// mode: with one mode chosen they say so, rather than seem to follow it.
void StatisticsWindow::nameUnfilteredHeadings() {
    const QString every = chosenMode() ? QStringLiteral("（所有练习方式）") : QString();
    m_missedHeading->setText(kMissedHeading + every);
    m_weeksHeading->setText(kWeeksHeading + every);
}

void StatisticsWindow::fillWeeklyKinds() {
    QStringList weeks;
    QMap<QString, QMap<QString, std::int64_t>> counts;
    for (const WeeklyKind& w : mistakesByWeek(m_journal)) {
        const QString week = qs(w.week);
        if (weeks.isEmpty() || weeks.front() != week)
            weeks.prepend(week);
        counts[week][w.kind.empty() ? QStringLiteral("未分类") : qs(w.kind)] += w.count;
    }
    m_weeks->setRowCount(static_cast<int>(weeks.size()));
    for (int r = 0; r < weeks.size(); ++r) {
        m_weeks->setItem(r, 0, new QTableWidgetItem(weeks[r]));
        for (int c = 1; c < m_weeks->columnCount(); ++c) {
            const std::int64_t n = counts[weeks[r]].value(m_weeks->horizontalHeaderItem(c)->text());
            m_weeks->setItem(r, c, numberItem(static_cast<double>(n), 0));
        }
    }
    m_weeks->resizeColumnsToContents();
}

void StatisticsWindow::refresh() {
    fillLessons();
    fillMissed();
    fillWeeklyKinds();
    showSelectedLesson();
    emit refreshed();
}

// A window minimised is hidden by the window system and keeps its figures.
void StatisticsWindow::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    m_lessons->setRowCount(0);
    m_missed->setRowCount(0);
    m_weeks->setRowCount(0);
    m_chart->showPoints({}, ProgressStep::Attempt, {});
    malloc_trim(0); // what a large journal's figures took goes back to the system
}

void StatisticsWindow::addPage(QWidget* page, const QString& title) {
    m_pages->addTab(page, title);
}

void StatisticsWindow::fillLessons() {
    const std::vector<LessonSummary> rows = lessonSummaries(m_journal, chosenMode());
    m_lessons->setSortingEnabled(false);
    m_lessons->clearSelection();
    m_lessons->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const LessonSummary& s = rows[static_cast<size_t>(r)];
        auto* lesson = new SortableItem(lessonTitle(s), r); // rows come in course order
        lesson->setData(kLessonRole, qs(s.lesson));
        lesson->setToolTip(qs(s.lesson));
        m_lessons->setItem(r, 0, lesson);
        m_lessons->setItem(r, 1, numberItem(static_cast<double>(s.attempts), 0));
        m_lessons->setItem(r, 2, bestItem(s.bestSpeed, {}));
        m_lessons->setItem(r, 3, numberItem(s.lastSpeed, 1));
        m_lessons->setItem(r, 4, bestItem(s.bestAccuracy, QStringLiteral("%")));
        m_lessons->setItem(r, 5, numberItem(s.lastAccuracy, 1, QStringLiteral("%")));
        m_lessons->setItem(r, 6, bestItem(s.bestFirstTry, QStringLiteral("%")));
        m_lessons->setItem(r, 7, numberItem(s.lastFirstTry, 1, QStringLiteral("%")));
        m_lessons->setItem(r, 8, new SortableItem(qs(s.lastPractised), qs(s.lastPractised)));
    }
    m_lessons->setSortingEnabled(true);
    m_lessons->sortByColumn(0, Qt::AscendingOrder);
    m_lessons->resizeColumnsToContents();
    m_lessons->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
}

void StatisticsWindow::fillMissed() {
    const std::vector<MissedCharacter> missed = mostMissed(m_journal, 30);
    m_missed->setRowCount(static_cast<int>(missed.size()));
    for (int r = 0; r < static_cast<int>(missed.size()); ++r) {
        const MissedCharacter& m = missed[static_cast<size_t>(r)];
        const QString pair =
            shownCharacter(m.expected) + QStringLiteral(" → ") + shownCharacter(m.typedMostOften);
        auto* item = new SortableItem(pair, r);
        item->setFont(QFont(kJapaneseFace, 12)); // the characters as the lesson box shows them
        item->setToolTip(pair);
        m_missed->setItem(r, 0, item);
        m_missed->setItem(r, 1, numberItem(static_cast<double>(m.count), 0));
        m_missed->setItem(r, 2, new QTableWidgetItem(m.kind.empty() ? QString() : qs(m.kind)));
    }
    m_drill->setEnabled(!missed.empty());
    m_drill->setToolTip(missed.empty()
                            ? QStringLiteral("还没有打错过的字：练习几课之后再来")
                            : QStringLiteral("用课文里含有这些字的句子（最多 10 行）练习"));
}

void StatisticsWindow::showSelectedLesson() {
    const QList<QTableWidgetItem*> selected = m_lessons->selectedItems();
    if (selected.isEmpty()) {
        showProgress(std::nullopt);
        return;
    }
    const QTableWidgetItem* lesson = m_lessons->item(selected.first()->row(), 0);
    showProgress(lesson->data(kLessonRole).toString().toStdString());
}

void StatisticsWindow::showProgress(const std::optional<std::string>& lesson) {
    const std::optional<std::string> mode = chosenMode();
    const ProgressStep step = progressStep(m_journal, lesson, mode, ProgressChart::kMostPoints);
    const std::vector<ProgressPoint> points = progress(m_journal, lesson, mode, step);
    const QList<QTableWidgetItem*> selected = m_lessons->selectedItems();
    if (points.empty() && mode)
        m_chart->showPoints(points, step,
                            QStringLiteral("还没有“%1”的练习记录").arg(m_modes->currentText()));
    else if (points.empty())
        m_chart->showPoints(points, step,
                            QStringLiteral("还没有练习记录：完成或放弃一次练习后，这里会画出进步"));
    else if (lesson && !selected.isEmpty())
        m_chart->showPoints(points, step,
                            chartCaption(m_lessons->item(selected.first()->row(), 0)->text()));
    else
        m_chart->showPoints(points, step, chartCaption(QStringLiteral("全部练习")));
}

// What the chart shows, with the practice mode when the filter names one.
QString StatisticsWindow::chartCaption(const QString& what) const {
    if (!chosenMode())
        return what;
    return QStringLiteral("%1（%2）").arg(what, m_modes->currentText());
}

void StatisticsWindow::exportCsv_Click() {
    const auto folder = m_prompts.chooseFolder(this, QStringLiteral("导出到哪个文件夹"));
    if (!folder)
        return;
    const QDir dir(*folder);
    const QString attempts = dir.filePath(QStringLiteral("attempts.csv"));
    const QString mistakes = dir.filePath(QStringLiteral("mistakes.csv"));
    if (const auto error = exportCsv(m_journal, attempts.toStdString(), mistakes.toStdString())) {
        m_prompts.inform(this, QStringLiteral("导出失败：%1").arg(qs(*error)),
                         QStringLiteral("导出"));
        return;
    }
    m_prompts.inform(
        this,
        QStringLiteral("已导出两个 CSV 文件（UTF-8）：\n%1（每次练习）\n%2（打错的字）")
            .arg(QDir::toNativeSeparators(attempts), QDir::toNativeSeparators(mistakes)),
        QStringLiteral("导出"));
}
