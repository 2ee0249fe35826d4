// Readable descriptions for the system's error numbers. The C library's own texts vary
// in style ("No such file or directory"), so the errors an operation can meet are given
// here in the file manager's wording; rare ones fall back to the library's text.
#include "filemanager/operations/error_text.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "common/errors.h"

namespace filemanager {

std::string DescribeErrno(int error) {
  switch (error) {
    case EEXIST:
    case ENOTEMPTY:
      return kFileExists;
    case EACCES:
    case EPERM:
      return "Permission denied";
    case ENOENT:
      return kNoSuchFile;
    case ENOSPC:
      return "No space left on the device";
    case EDQUOT:
      return "Disk quota exceeded";
    case EROFS:
      return "The file system is read-only";
    case EISDIR:
      return kIsFolder;
    case ENOTDIR:
      return "A part of the path is not a folder";
    case ENAMETOOLONG:
      return "The file name is too long";
    case ELOOP:
      return "Too many levels of symbolic links";
    case EMLINK:
      return "Too many links to the file";
    case EFBIG:
      return "The file is too large for the destination";
    case EBUSY:
    case ETXTBSY:
      return "The file is in use";
    case EIO:
      return "Input or output error on the device";
    case ENOMEM:
      return "Not enough memory";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case ENODEV:
    case ENXIO:
      return "The device is not available";
    case ESTALE:
    case ENOTCONN:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ETIMEDOUT:
      return "The network file system is not reachable";
    case ECANCELED:
      return kCancelled;
    default: {
      char buffer[256];
      return strerror_r(error, buffer, sizeof buffer);
    }
  }
}

void ThrowErrno(int error) { throw common::Error(DescribeErrno(error)); }

void RefuseNonRegular(unsigned mode) {
  switch (mode & S_IFMT) {
    case S_IFREG:
      return;
    case S_IFDIR:
      throw common::Error(kIsFolder);
    case S_IFIFO:
      throw common::Error("Not a regular file: it is a named pipe");
    case S_IFSOCK:
      throw common::Error("Not a regular file: it is a socket");
    case S_IFCHR:
    case S_IFBLK:
      throw common::Error("Not a regular file: it is a device");
    default:
      throw common::Error("Not a regular file");
  }
}

}  // namespace filemanager
