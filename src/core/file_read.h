// Reading a whole file into memory.
#pragma once

#include <cstddef>
#include <string>

namespace ss {

// Reads the file whole, as found at this moment. On Windows it is opened for reading with
// read sharing only, so no other process can write it meanwhile.
// Raises EFOpenError "Cannot open file "%s". %s" when it cannot be opened.
std::string ReadWholeFile(const std::string& path);

// The same for a file that other processes may be writing meanwhile (a log, a file under /proc):
// it is opened with read and write sharing, and read to its end as found.
std::string ReadSharedFile(const std::string& path);

// The same for the file's first `bytes` bytes at most (a header).
std::string ReadFileStart(const std::string& path, std::size_t bytes);

}  // namespace ss
