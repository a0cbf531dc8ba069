#include "ui/dialogs/save_failure_text.h"

QString saveFailureReason(FileProblem problem, const QString& fileName) {
    switch (problem) {
    case FileProblem::Folder:
        return QStringLiteral("%1 是一个文件夹").arg(fileName);
    case FileProblem::NotARegularFile:
        return QStringLiteral("%1 不是普通文件").arg(fileName);
    case FileProblem::SymlinkLoop:
        return QStringLiteral("符号链接循环");
    case FileProblem::NoPermission:
        return QStringLiteral("没有写入权限");
    case FileProblem::Busy:
        return QStringLiteral("记录文件正被另一个程序使用");
    case FileProblem::DiskFull:
    case FileProblem::TooLarge:
        return QStringLiteral("磁盘已满");
    case FileProblem::Missing:
        return QStringLiteral("记录文件所在的文件夹不存在");
    case FileProblem::Failed:
        break;
    }
    return QStringLiteral("磁盘读写出错");
}
