#include "ui/own_lessons/sentence_cuts_panel.h"

#include "core/lesson_paths.h"
#include "ui/common/font_faces.h"
#include "ui/common/lesson_recording.h"

#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cstring>

namespace {

enum Column { LineColumn, TextColumn, StartColumn, EndColumn, ColumnCount };

constexpr double kStep = 0.05; // seconds a click of the arrows moves a cut

QString lineText(std::u16string_view text, std::size_t line) {
    for (std::size_t number = 1; number < line; ++number) {
        const auto end = text.find(u"\r\n");
        text.remove_prefix(end == std::u16string_view::npos ? text.size() : end + 2);
    }
    return QString::fromStdU16String(std::u16string(text.substr(0, text.find(u"\r\n"))));
}

QDoubleSpinBox* secondsBox(double value, double longest) {
    auto* box = new QDoubleSpinBox;
    box->setDecimals(2);
    box->setSingleStep(kStep);
    box->setRange(0, longest);
    box->setSuffix(QStringLiteral(" 秒"));
    box->setValue(value);
    return box;
}

double secondsIn(const QTableWidget& rows, int row, Column column) {
    return static_cast<QDoubleSpinBox*>(rows.cellWidget(row, column))->value();
}

} // namespace

SentenceCutsPanel::SentenceCutsPanel(QWidget* parent)
    : QWidget(parent), m_recording(new LessonRecording(this)), m_status(new QLabel(this)),
      m_rows(new QTableWidget(0, ColumnCount, this)),
      m_play(new QPushButton(QStringLiteral("播放本句(&Y)"), this)),
      m_save(new QPushButton(QStringLiteral("保存切分(&C)"), this)) {
    setObjectName(QStringLiteral("SentenceCuts"));
    m_rows->setObjectName(QStringLiteral("CutRows"));
    m_play->setObjectName(QStringLiteral("PlayCut"));
    m_save->setObjectName(QStringLiteral("SaveCuts"));
    m_status->setObjectName(QStringLiteral("CutsStatus"));
    m_status->setFont(chineseFont(10.5));
    m_rows->setHorizontalHeaderLabels({QStringLiteral("行"), QStringLiteral("课文"),
                                       QStringLiteral("开始"), QStringLiteral("结束")});
    m_rows->verticalHeader()->hide();
    m_rows->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_rows->setSelectionMode(QAbstractItemView::SingleSelection);
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rows->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_rows->horizontalHeader()->setSectionResizeMode(TextColumn, QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(m_status, 1);
    top->addWidget(m_play);
    top->addWidget(m_save);
    layout->addLayout(top);
    layout->addWidget(m_rows);
    connect(m_play, &QPushButton::clicked, this, &SentenceCutsPanel::playSelected);
    connect(m_save, &QPushButton::clicked, this, &SentenceCutsPanel::save);
    connect(m_rows, &QTableWidget::cellDoubleClicked, this, &SentenceCutsPanel::playSelected);
    connect(m_recording, &LessonRecording::readied, this, &SentenceCutsPanel::fill);
    connect(m_recording, &LessonRecording::failed, this,
            [this](const QString& why) { tell(QStringLiteral("录音无法播放：%1").arg(why)); });
    hide();
}

void SentenceCutsPanel::showLesson(const std::string& lessonPath, const std::u16string& text) {
    m_text = text;
    const auto recording = recordingPathFor(lessonPath);
    if (!recording || !QFileInfo(QString::fromStdString(*recording)).isFile()) {
        m_recording->close();
        hide();
        return;
    }
    m_rows->setRowCount(0);
    tell(QStringLiteral("正在读取录音 %1 ……")
             .arg(QFileInfo(QString::fromStdString(*recording)).fileName()));
    m_recording->open(lessonPath, *recording, text);
    show();
}

void SentenceCutsPanel::fill() {
    const std::vector<LineCut>& cuts = m_recording->cuts();
    const double longest = cuts.empty() ? 0 : cuts.back().sentence.end + 60;
    m_rows->setRowCount(static_cast<int>(cuts.size()));
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        const LineCut& cut = cuts[static_cast<std::size_t>(row)];
        m_rows->setItem(row, LineColumn, new QTableWidgetItem(QString::number(cut.line)));
        m_rows->setItem(row, TextColumn, new QTableWidgetItem(lineText(m_text, cut.line)));
        m_rows->setCellWidget(row, StartColumn, secondsBox(cut.sentence.start, longest));
        m_rows->setCellWidget(row, EndColumn, secondsBox(cut.sentence.end, longest));
    }
    if (m_rows->rowCount() > 0)
        m_rows->selectRow(0);
    tell(QStringLiteral("录音切成 %1 句。选一行播放，调整开始和结束，再保存。")
             .arg(m_rows->rowCount()));
}

std::vector<LineCut> SentenceCutsPanel::cuts() const {
    std::vector<LineCut> cuts;
    for (int row = 0; row < m_rows->rowCount(); ++row)
        cuts.push_back(
            {m_rows->item(row, LineColumn)->text().toULongLong(),
             {secondsIn(*m_rows, row, StartColumn), secondsIn(*m_rows, row, EndColumn)}});
    return cuts;
}

void SentenceCutsPanel::playSelected() {
    const int row = m_rows->currentRow();
    if (row < 0)
        return;
    const Sentence sentence{secondsIn(*m_rows, row, StartColumn),
                            secondsIn(*m_rows, row, EndColumn)};
    if (sentence.end <= sentence.start) {
        tell(QStringLiteral("第 %1 行的结束要在开始之后。")
                 .arg(m_rows->item(row, LineColumn)->text()));
        return;
    }
    m_recording->playSentence(sentence, 1);
}

void SentenceCutsPanel::save() {
    const std::vector<LineCut> cuts = this->cuts();
    for (const LineCut& cut : cuts)
        if (cut.sentence.end <= cut.sentence.start) {
            tell(QStringLiteral("第 %1 行的结束要在开始之后，没有保存。").arg(cut.line));
            return;
        }
    if (const auto error = m_recording->saveCuts(cuts))
        tell(QStringLiteral("切分无法保存：%1").arg(QString::fromLocal8Bit(std::strerror(*error))));
    else
        tell(QStringLiteral("切分已保存。"));
}

void SentenceCutsPanel::tell(const QString& text) {
    m_status->setText(text);
}
