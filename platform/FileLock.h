#pragma once

#include <string>

namespace platform {

// An exclusive advisory lock on a lock file, held for the object's lifetime.
// Serialises read-modify-write cycles of processes sharing a file; the lock
// file is separate because the guarded file itself is replaced by rename.
class FileLock {
public:
    explicit FileLock(const std::string& lockPath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace platform
