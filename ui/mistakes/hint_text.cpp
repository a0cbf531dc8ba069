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

QString slipHint(const Slip& slip) {
    // The reading is left out where it would only repeat a word written in kana.
    const QString reading =
        slip.reading == toHiragana(slip.expected) ? QString() : text(slip.reading);
    return QStringLiteral("应为「%1」%2，你输入了「%3」（%4）— 按 Backspace 删掉再输入")
        .arg(text(slip.expected), reading, text(slip.typed), kindText(slip.explanation));
}

QString chineseInputHint(const Slip& slip) {
    // The typed word stands at the start of the lesson's: 图 over 図書館 is 図.
    const std::u16string japanese = slip.expected.substr(0, slip.typed.size());
    return QStringLiteral("「%1」是中文字形，日语写作「%2」。请切换到日语输入法。")
        .arg(text(slip.typed), text(japanese));
}
