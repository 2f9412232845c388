#include "documents/FileErrors.h"

#include "app/Errors.h"

#include <cerrno>

namespace pictavo {

int fileErrorNumber(int errnoValue) {
  switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kErrPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return kErrPermissionDenied;
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
      return kErrDiskFull;
    default:
      return kErrPathFileAccess;
  }
}

std::string folderOfPath(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace pictavo
