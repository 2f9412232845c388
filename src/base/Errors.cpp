#include "base/Errors.h"

namespace pictavo {

std::string errorDescription(int number) {
  switch (number) {
    case kErrInvalidPicture: return "无效图片";
    case kErrFileNotFound: return "文件未找到";
    case kErrPathNotFound: return "路径未找到";
    case kErrPermissionDenied: return "拒绝的权限";
    case kErrPathFileAccess: return "路径/文件访问错误";
    case kErrDiskFull: return "磁盘已满";
    case kErrOutOfMemory: return "内存溢出";
    case kErrOverflow: return "溢出";
    case kErrTypeMismatch: return "类型不匹配";
    case kErrCancel: return "取消";
    default: return {};
  }
}

Error::Error(int number) : Error(number, errorDescription(number)) {}

Error::Error(int number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

}  // namespace pictavo
