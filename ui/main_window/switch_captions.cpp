#include "ui/main_window/switch_captions.h"

QString startCaption(MenuItem item) {
    switch (item) {
    case MenuItem::Se:
        return QStringLiteral("关闭音效(&E)");
    case MenuItem::Key:
        return QStringLiteral("关闭键盘音(&K)");
    case MenuItem::Music:
        break;
    }
    return switchCaption(MenuItem::Music, false);
}

// After a toggle `Se`'s access letter is S, and `Key`'s offer to turn the click
// back on has none: the items have always read so.
QString switchCaption(MenuItem item, bool on) {
    switch (item) {
    case MenuItem::Se:
        return on ? QStringLiteral("关闭音效(&S)") : QStringLiteral("打开音效(&S)");
    case MenuItem::Key:
        return on ? QStringLiteral("关闭键盘音(&K)") : QStringLiteral("打开键盘音(K)");
    case MenuItem::Music:
        break;
    }
    return on ? QStringLiteral("关闭背景音乐(&M)") : QStringLiteral("背景音乐(&M)...");
}
