#include "ui/mistakes/hint_text.h"

#include "readings/kana.h"

namespace {

QString text(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

QString kindText(const Explanation& explanation) {
    QString kind = QString::fromUtf8(kindName(explanation.kind));
    if (!explanation.detail.empty())
        kind += QStringLiteral("：") + QString::fromStdString(explanation.detail);
    return kind;
}

} // namespace

QStringList slipHint(const Slip& slip) {
    // The reading is left out where it would only repeat a word written in kana.
    const QString reading =
        slip.reading == toHiragana(slip.expected) ? QString() : text(slip.reading);
    const QString expected = text(slip.expected), kind = kindText(slip.explanation);
    const QString told = QStringLiteral("应为「%1」%2，你输入了「%3」（%4）")
                             .arg(expected, reading, text(slip.typed), kind);
    return {told + QStringLiteral("— 按 Backspace 删掉再输入"), told,
            QStringLiteral("应为「%1」%2（%3）").arg(expected, reading, kind),
            QStringLiteral("应为「%1」（%2）").arg(expected, kind)};
}

QStringList chineseInputHint(const Slip& slip) {
    // The typed word stands at the start of the lesson's: 图 over 図書館 is 図.
    const QString typed = text(slip.typed);
    const QString japanese = text(slip.expected.substr(0, slip.typed.size()));
    const QString told = QStringLiteral("「%1」是中文字形，日语写作「%2」。").arg(typed, japanese);
    return {told + QStringLiteral("请切换到日语输入法。"), told,
            QStringLiteral("「%1」是中文字形，应为「%2」").arg(typed, japanese),
            QStringLiteral("中文字形，请用日语输入法")};
}
