#include "ui/own_lessons/text_file_import.h"

#include "core/local_files.h"

namespace {

// A text of UTF-8 kanji takes three bytes each; a lesson file holds two per character.
constexpr size_t kTextFileLimit = 2 * kLessonFileLimit;

QString notTextReason(const RefusedText& refused) {
    switch (refused.reason) {
    case NotText::Utf16:
        return QStringLiteral("它是 UTF-16 编码的。请在编辑器里把它另存为 UTF-8 再导入");
    case NotText::NulByte:
    case NotText::ControlCharacter:
        return QStringLiteral("第 %1 个字节是控制字符，这不是文本文件").arg(refused.byteOffset + 1);
    case NotText::UnknownEncoding:
        break;
    }
    return QStringLiteral("它既不是 UTF-8 也不是 GBK 编码（第 %1 个字节起无法识别）")
        .arg(refused.byteOffset + 1);
}

} // namespace

QString readProblemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::Missing:
        return QStringLiteral("文件不存在");
    case FileProblem::Folder:
        return QStringLiteral("这是一个文件夹");
    case FileProblem::NotARegularFile:
        return QStringLiteral("这不是普通文件");
    case FileProblem::TooLarge:
        return QStringLiteral("文件太大，超过了一课能容纳的长度");
    case FileProblem::NoPermission:
        return QStringLiteral("没有读取权限");
    case FileProblem::SymlinkLoop:
        return QStringLiteral("路径上的符号链接互相指向");
    case FileProblem::Busy:
        return QStringLiteral("文件正被别的程序占用");
    case FileProblem::DiskFull:
    case FileProblem::Failed:
        break;
    }
    return QStringLiteral("读取时出错");
}

std::variant<ImportedText, QString> importTextFile(const QString& path, CodePage& codePage) {
    const auto read = readRegularFile(path.toStdString(), kTextFileLimit);
    if (const auto* problem = std::get_if<FileProblem>(&read))
        return readProblemText(*problem);
    auto imported = importText(std::get<std::string>(read), codePage);
    if (const auto* refused = std::get_if<RefusedText>(&imported))
        return notTextReason(*refused);
    return std::get<ImportedText>(std::move(imported));
}

QString encodingNote(TextEncoding encoding, const QString& fileName) {
    QString name;
    switch (encoding) {
    case TextEncoding::Utf8WithByteOrderMark:
        name = QStringLiteral("带 BOM 的 UTF-8");
        break;
    case TextEncoding::Utf8:
        name = QStringLiteral("UTF-8");
        break;
    case TextEncoding::Gbk:
        name = QStringLiteral("GBK");
        break;
    }
    return QStringLiteral("从 %1 导入（编码：%2）；检查无误后请保存。").arg(fileName, name);
}
