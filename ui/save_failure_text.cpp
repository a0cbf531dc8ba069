#include "ui/save_failure_text.h"

#include <cerrno>

QString saveFailureReason(int error, const QString& fileName) {
    switch (error) {
    case EISDIR:
        return QStringLiteral("%1 是一个文件夹").arg(fileName);
    case EACCES:
    case EPERM:
        return QStringLiteral("没有写入权限");
    case EROFS:
        return QStringLiteral("磁盘是只读的");
    case 0: // a regular file takes fewer bytes than written only when the disk is full
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("磁盘已满");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("记录文件所在的文件夹不存在");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    default:
        return QStringLiteral("系统错误 %1").arg(error);
    }
}
