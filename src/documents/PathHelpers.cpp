#include "documents/PathHelpers.h"

namespace pictavo {

std::string AddBackslash(const std::string& path) {
  if (!path.empty() && path.back() == kFolderSeparator) return path;
  return path + kFolderSeparator;
}

std::string FolderOf(const std::string& path) {
  const std::size_t at = path.rfind(kFolderSeparator);
  if (at == std::string::npos) return path;
  return path.substr(0, at);
}

}  // namespace pictavo
