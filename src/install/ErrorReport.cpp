// Wording of the error report for failed file and program operations.
#include "install/ErrorReport.h"

namespace lcime {
namespace {

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

bool FileInUse(OsError error) {
    return error == os_error::kSharingViolation || error == os_error::kLockViolation;
}

}  // namespace

std::string FormatErrorReport(const ErrorReport& report) {
    std::string text;
    switch (report.operation) {
    case FailedOperation::Find: text = "无法检查系统目录中的文件。"; break;
    case FailedOperation::Copy: text = "无法复制文件。"; break;
    case FailedOperation::Start: text = "无法启动安装程序。"; break;
    }
    text += "\n\n错误 " + std::to_string(report.error) + "：" + Trimmed(report.description) + "\n";
    if (report.operation == FailedOperation::Copy) {
        text += "源文件：" + report.path + "\n目标文件：" + report.destination + "\n\n";
    } else {
        text += "文件：" + report.path + "\n\n";
    }
    if (report.error == os_error::kFileCorrupt) {
        text += "安装盘上的文件 " + report.path + " 已损坏或被改动，与本安装程序所属的发行版不符。"
                "请换用完好的安装盘或重新下载安装程序，然后再试一次。";
    } else if (FileInUse(report.error)) {
        const std::string& inUse = report.destination.empty() ? report.path : report.destination;
        text += "文件 " + inUse + " 正在被使用。请关闭所有正在使用输入法的程序，"
                "或重新启动 Windows，然后再运行本安装程序。";
    } else {
        text += "请确认安装盘已放入驱动器，并以管理员身份运行本安装程序，然后再试一次。";
    }
    return text;
}

void ShowErrorReport(Platform& platform, FailedOperation operation, OsError error,
                     const std::string& path, const std::string& destination) {
    ErrorReport report{operation, error, platform.DescribeError(error), path, destination};
    platform.ShowMessage(FormatErrorReport(report));
}

}  // namespace lcime
