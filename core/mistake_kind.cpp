#include "core/mistake_kind.h"

const char* kindName(MistakeKind kind) {
    switch (kind) {
    case MistakeKind::ChineseForm:
        return "中文字形";
    case MistakeKind::WrittenInKana:
        return "写成假名";
    case MistakeKind::WrittenInKanji:
        return "写成汉字";
    case MistakeKind::WrongKanji:
        return "选错汉字";
    case MistakeKind::WrongReading:
        return "读音错误";
    case MistakeKind::InputMethodOff:
        return "输入法未开";
    case MistakeKind::Extra:
        return "多打";
    case MistakeKind::Missing:
        return "漏打";
    case MistakeKind::Other:
        break;
    }
    return "其他";
}
