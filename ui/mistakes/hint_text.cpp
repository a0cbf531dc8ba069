#include "ui/mistakes/hint_text.h"

#include "readings/kana.h"

namespace {

QStringList forms(const QString& told, const QString& shorter, const ToldSlip& slip) {
    return {told, shorter, QStringLiteral("「%1」（%2）").arg(slip.expected, slip.kind), slip.kind};
}

QStringList lengthHint(const ToldSlip& slip) {
    const qsizetype more = slip.typed.size() - slip.expected.size();
    const QString compared =
        QStringLiteral("「%1」比「%2」%3 %4 个字")
            .arg(slip.typed, slip.expected, more > 0 ? QStringLiteral("多") : QStringLiteral("少"))
            .arg(std::abs(more));
    const QString shifted = slip.followed ? QStringLiteral("，后面的字因此错开") : QString();
    return forms(compared + shifted + QStringLiteral("；删掉它，输入「%1」").arg(slip.expected),
                 compared + QStringLiteral("（%1）").arg(slip.kind), slip);
}

QStringList extraHint(const ToldSlip& slip) {
    const QString extra = QStringLiteral("多打了「%1」").arg(slip.typed);
    return {extra + QStringLiteral("，删掉它再接着输入"), extra, QStringLiteral("多打")};
}

QStringList missingHint(const ToldSlip& slip) {
    const QString missing = QStringLiteral("漏打了「%1」").arg(slip.expected);
    const QString shifted = slip.followed ? QStringLiteral("，后面的字因此错开") : QString();
    return {missing + shifted + QStringLiteral("；删到这里，补上「%1」").arg(slip.expected),
            missing, QStringLiteral("漏打")};
}

QString bracketed(const QString& reading) {
    return reading.isEmpty() ? reading : QStringLiteral("（%1）").arg(reading);
}

} // namespace

QString withLineBreaksShown(const std::u16string& text) {
    QString shown = QString::fromStdU16String(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("↵ 换行"));
    return shown;
}

ToldSlip toldSlip(const Slip& slip, std::u16string expectedAsShown, bool followed) {
    ToldSlip told;
    told.expected = withLineBreaksShown(expectedAsShown);
    told.typed = withLineBreaksShown(slip.typed);
    // The reading is left out where it would only repeat a word written in kana.
    if (slip.reading != toHiragana(slip.expected))
        told.reading = QString::fromStdU16String(slip.reading);
    told.kind = QString::fromUtf8(kindName(slip.explanation.kind));
    if (!slip.explanation.detail.empty())
        told.kind += QStringLiteral("：") + QString::fromStdString(slip.explanation.detail);
    told.kindOf = slip.explanation.kind;
    told.followed = followed;
    return told;
}

QStringList slipHint(const ToldSlip& slip) {
    switch (slip.kindOf) {
    case MistakeKind::InputMethodOff:
        return {QStringLiteral("你在输入英文字母，请切换到日语输入法"),
                QStringLiteral("输入法未开，请切换到日语输入法"), QStringLiteral("输入法未开")};
    case MistakeKind::Extra:
        return extraHint(slip);
    case MistakeKind::Missing:
        return missingHint(slip);
    default:
        break;
    }
    if (slip.typed.size() != slip.expected.size())
        return lengthHint(slip);
    const QString expected = QStringLiteral("「%1」%2").arg(slip.expected, bracketed(slip.reading));
    const QString told =
        QStringLiteral("应为%1，你输入了「%2」（%3）").arg(expected, slip.typed, slip.kind);
    return forms(told + QStringLiteral("— 按 Backspace 删掉再输入"), told, slip);
}

QStringList chineseInputHint(const ToldSlip& slip) {
    // The typed word stands at the start of the lesson's: 图 over 図書館 is 図.
    const QString japanese = slip.expected.left(slip.typed.size());
    const QString told =
        QStringLiteral("「%1」是中文字形，日语写作「%2」。").arg(slip.typed, japanese);
    return {told + QStringLiteral("请切换到日语输入法。"), told,
            QStringLiteral("「%1」是中文字形，应为「%2」").arg(slip.typed, japanese),
            QStringLiteral("中文字形，请用日语输入法")};
}

QString rememberedChoiceTip(const ToldSlip& slip) {
    return QStringLiteral("输入法记住了你上次选的「%1」，请在候选中选「%2」")
        .arg(slip.typed, slip.expected);
}

QStringList endedHint(std::size_t slips, bool saved) {
    const QString savedNote = saved ? QStringLiteral("已保存，") : QString();
    if (slips == 0)
        return {savedNote + QStringLiteral("本次练习没有错误"),
                savedNote + QStringLiteral("没有错误")};
    const QString count = QStringLiteral("%1 处错误").arg(slips);
    return {savedNote + QStringLiteral("本次练习有 ") + count +
                QStringLiteral("：按 Alt+S、W 查看本次练习的错误"),
            savedNote + count + QStringLiteral("：按 Alt+S、W 查看"),
            savedNote + count + QStringLiteral(" Alt+S、W"), savedNote + count};
}
