#include "ui/own_lessons/lesson_checks.h"

#include "core/line_breaks.h"
#include "core/local_files.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

constexpr size_t kNamedAtMost = 10;
const QColor kRefusedColour(220, 0, 0);
const QColor kForeignColour(240, 140, 0);

QString character(char32_t codePoint) {
    return QString::fromUcs4(&codePoint, 1);
}

QString codeOf(char32_t codePoint) {
    return QStringLiteral("U+") +
           QString::number(static_cast<uint>(codePoint), 16).toUpper().rightJustified(4, u'0');
}

QTextEdit::ExtraSelection mark(QPlainTextEdit& editor, size_t offset, size_t length,
                               const QColor& colour) {
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(editor.document());
    selection.cursor.setPosition(static_cast<int>(offset));
    selection.cursor.setPosition(static_cast<int>(offset + length), QTextCursor::KeepAnchor);
    selection.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    selection.format.setUnderlineColor(colour);
    selection.format.setForeground(colour);
    return selection;
}

QString foreignTip(const ForeignCharacter& foreign) {
    const QString written(QChar(foreign.character));
    if (!foreign.japaneseForm)
        return QStringLiteral("「%1」不是日文用字（多半是中文简体字）").arg(written);
    return QStringLiteral("「%1」不是日文用字，日文写作「%2」")
        .arg(written, QChar(foreign.japaneseForm));
}

// Each character once, with its Japanese form where there is one: 图→図 这→這.
QString foreignList(const std::vector<ForeignCharacter>& foreign) {
    QString list;
    for (const ForeignCharacter& f : foreign) {
        const QString entry =
            f.japaneseForm ? QStringLiteral("%1→%2").arg(QChar(f.character), QChar(f.japaneseForm))
                           : QString(QChar(f.character));
        if (!list.split(QLatin1Char(' ')).contains(entry))
            list += (list.isEmpty() ? QString() : QStringLiteral(" ")) + entry;
    }
    return list;
}

// Spans that touch joined into one: Qt leaves the middle one of three
// touching marks unpainted (图书馆 showed 书 black).
std::vector<std::pair<size_t, size_t>> runs(const std::vector<std::pair<size_t, size_t>>& spans) {
    std::vector<std::pair<size_t, size_t>> joined;
    for (const auto& [offset, length] : spans) {
        if (!joined.empty() && joined.back().first + joined.back().second == offset)
            joined.back().second += length;
        else
            joined.emplace_back(offset, length);
    }
    return joined;
}

bool isKanji(char16_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF);
}

// Only kanji are asked about: JIS X 0213 lacks some symbols that GBK and
// Japanese lessons share, such as ～.
std::vector<ForeignCharacter> foreignCharacters(std::u16string_view text, KanjiSources& kanji) {
    std::vector<ForeignCharacter> foreign;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isKanji(c) && !kanji.usedInJapanese(c)) {
            const std::u16string form = kanji.japaneseFormOf(c);
            foreign.push_back({i, c, form.empty() ? char16_t(0) : form[0]});
        }
    }
    return foreign;
}

} // namespace

LessonFindings checkLesson(std::u16string_view text, CodePage& codePage, KanjiSources& kanji) {
    LessonFindings findings;
    findings.outsideGbk = charactersOutsideGbk(text, codePage);
    findings.foreign = foreignCharacters(text, kanji);
    const std::u16string tidy = tidyLessonText(text);
    findings.fileSize = lessonFileSize(tidy.size());
    findings.tidied = tidy != withCrLf(text);
    findings.empty = tidy.empty();
    return findings;
}

QList<QTextEdit::ExtraSelection> markFindings(const LessonFindings& findings,
                                              QPlainTextEdit& editor) {
    QList<QTextEdit::ExtraSelection> marks;
    std::vector<std::pair<size_t, size_t>> foreign, refused;
    for (const ForeignCharacter& f : findings.foreign)
        foreign.emplace_back(f.offset, 1);
    for (const UnencodableChar& bad : findings.outsideGbk)
        refused.emplace_back(bad.offset, bad.codePoint > 0xFFFF ? 2 : 1);
    for (const auto& [offset, length] : runs(foreign))
        marks.append(mark(editor, offset, length, kForeignColour));
    for (const auto& [offset, length] : runs(refused))
        marks.append(mark(editor, offset, length, kRefusedColour));
    return marks;
}

QString findingAt(const LessonFindings& findings, size_t offset) {
    for (const UnencodableChar& bad : findings.outsideGbk)
        if (offset >= bad.offset && offset < bad.offset + (bad.codePoint > 0xFFFF ? 2 : 1))
            return QStringLiteral("「%1」（%2）不在 GBK 编码里，课文文件存不下它")
                .arg(character(bad.codePoint), codeOf(bad.codePoint));
    for (const ForeignCharacter& foreign : findings.foreign)
        if (offset == foreign.offset)
            return foreignTip(foreign);
    return {};
}

QString findingsSummary(const LessonFindings& findings) {
    QStringList parts;
    if (!findings.outsideGbk.empty())
        parts << QStringLiteral("%1 个字符存不进课文文件（红线）").arg(findings.outsideGbk.size());
    if (!findings.foreign.empty())
        parts << QStringLiteral("%1 个字不是日文用字（橙线）：%2")
                     .arg(findings.foreign.size())
                     .arg(foreignList(findings.foreign));
    if (findings.fileSize > kLessonFileLimit)
        parts << QStringLiteral("课文超过 128 KiB");
    if (findings.tidied)
        parts << QStringLiteral("保存时整理制表符、行末空格和换行");
    if (findings.empty)
        parts << QStringLiteral("课文是空的");
    return parts.isEmpty() ? QStringLiteral("没有发现问题") : parts.join(QStringLiteral("；"));
}

QString refusalText(const LessonRefusal& refusal) {
    if (refusal.outsideGbk.empty())
        return QStringLiteral(
                   "课文文件会有 %1 字节，超过了程序能读的 %2 字节（128 KiB）。请把课文分成几课。")
            .arg(refusal.fileSize)
            .arg(kLessonFileLimit);
    QStringList lines{
        QStringLiteral("下面的字符不在 GBK 编码里，课文文件存不下，请改掉后再保存：")};
    for (size_t i = 0; i < refusal.outsideGbk.size() && i < kNamedAtMost; ++i) {
        const UnencodableChar& bad = refusal.outsideGbk[i];
        lines << QStringLiteral("第 %1 行第 %2 列：「%3」（%4）")
                     .arg(bad.line)
                     .arg(bad.column)
                     .arg(character(bad.codePoint), codeOf(bad.codePoint));
    }
    if (refusal.outsideGbk.size() > kNamedAtMost)
        lines << QStringLiteral("……共 %1 个").arg(refusal.outsideGbk.size());
    return lines.join(QLatin1Char('\n'));
}
