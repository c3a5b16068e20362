// Reading a whole file into a buffer the caller keeps, so that a run reading
// page after page takes its memory once.
#pragma once

#include <cstddef>
#include <string>

namespace okuzuke {

// Reads the regular file at `path` into `content`, which keeps its capacity
// and has room for `room(size)` more bytes beyond the file's `size` (none
// when `room` is null). A file that grew since it was opened is read to its
// end. False (and `content` empty) when there is no regular file at the path
// or it cannot be read; a FIFO or device is never waited on.
bool ReadWholeFileInto(const std::string& path, std::string& content, std::size_t (*room)(std::size_t) = nullptr);

}  // namespace okuzuke
