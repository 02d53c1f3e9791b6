#pragma once
// One owner per work folder: a run locks the folder it keeps its work files in, so no other run
// starts in it and removes them. The lock is a file in the folder that holds the owner's process
// id and is held with flock for the life of the run; the kernel lets go when the process dies, so
// a lock file that nobody holds marks a run that ended unexpectedly and left its files behind.
#include <filesystem>
#include <string>
#include <vector>

namespace sono {

class WorkFolderLock {
  public:
    enum class State {
        Taken,  // this run owns the folder now
        Busy,   // a live run holds the lock
        Stale,  // the lock file holds an id but nobody holds the lock: a crashed run's files
        Failed, // the lock file cannot be made or opened (a symbolic link, no write access, ...)
    };
    static constexpr const char* FileName = "sonoplexer.lock";

    WorkFolderLock() = default;
    WorkFolderLock(const WorkFolderLock&) = delete;
    WorkFolderLock& operator=(const WorkFolderLock&) = delete;
    ~WorkFolderLock() { release(); }

    // Locks `folder` (which must exist) through its FileName. A stale lock is left as it is and
    // the folder is not taken: its files belong to the crashed run.
    State lockFolder(const std::filesystem::path& folder);
    // Locks through the file `path`. With takeOverStale a lock file that nobody holds is taken
    // over, for a lock that guards no files of its own. An empty lock file that nobody holds is
    // always taken: its run ended before it wrote its id, so before it made any work file.
    State lockFile(const std::filesystem::path& path, bool takeOverStale);
    bool held() const { return fd_ >= 0; }
    // The system's error number of the last Failed.
    int error() const { return error_; }
    // Removes the lock file and lets go (also done by the destructor).
    void release();

  private:
    int fd_ = -1;
    int error_ = 0;
    std::filesystem::path path_;
};

// The run folders ("run-*", see makeRunFolder) inside `parent` that no live run holds: left behind
// by runs that ended unexpectedly. Only for a caller that keeps new runs from starting meanwhile
// (a run locks its folder just after making it).
std::vector<std::filesystem::path> abandonedRunFolders(const std::filesystem::path& parent);

// Why a folder named for work files cannot be used, as one line without a line end ("" for
// Taken); `error` is the lock's error() after Failed.
std::string refusalText(WorkFolderLock::State state, const std::filesystem::path& folder,
                        int error);

} // namespace sono
