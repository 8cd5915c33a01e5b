#pragma once
// Opening a file for reading only when it is a regular file, without ever blocking: a FIFO,
// a device such as /dev/zero or a folder named where a file is expected is refused at once
// instead of hanging the caller or being read for ever.

#include <cstdio>
#include <string>

namespace interp {

// Read-only descriptor (close-on-exec, blocking reads) of the regular file `path`, or -1
// with `error` set: the errno of the failed open, EISDIR for a folder, EINVAL for any other
// kind of file (FIFO, socket, device). Symbolic links are followed.
int openRegularFile(const std::string& path, int& error);

// The same as a stdio stream opened "rb"; nullptr with `error` set on failure.
std::FILE* openRegularFileStream(const std::string& path, int& error);

} // namespace interp
