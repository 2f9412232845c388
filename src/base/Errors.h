#pragma once
// The run-time errors the program reports: a number and its description, as
// the error window shows them ("错误代码:" and the number, the description as
// the reason). Core code throws pictavo::Error; the windows catch and report.

#include <stdexcept>
#include <string>

namespace pictavo {

enum ErrorNumber : int {
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrTypeMismatch = 13,
  kErrFileNotFound = 53,
  kErrDiskFull = 61,
  kErrPermissionDenied = 70,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
  kErrInvalidPicture = 481,
  kErrCancel = 32755,  // a cancelled dialog; never shown
};

// The description of a known number ("无效图片" for 481); empty for others.
std::string errorDescription(int number);

class Error : public std::runtime_error {
 public:
  // An error of the table, with its own description.
  explicit Error(int number);
  // An error with a description of its own (a refused size, say).
  Error(int number, std::string description);
  int number() const { return number_; }
  const std::string& description() const { return description_; }

 private:
  int number_;
  std::string description_;
};

}  // namespace pictavo
