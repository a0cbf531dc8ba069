#include "core/problem_text.h"

std::string problemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::Missing:
        return "文件或文件夹不存在";
    case FileProblem::Folder:
        return "这是一个文件夹";
    case FileProblem::NotARegularFile:
        return "这不是普通文件";
    case FileProblem::SymlinkLoop:
        return "路径上的符号链接互相指向";
    case FileProblem::TooLarge:
        return "文件太大";
    case FileProblem::NoPermission:
        return "没有权限";
    case FileProblem::DiskFull:
        return "磁盘已满";
    case FileProblem::Busy:
        return "文件正被别的程序占用";
    case FileProblem::Failed:
        break;
    }
    return "磁盘读写出错";
}

std::string errorText(int error) {
    return problemText(problemOfError(error));
}
