// Only one copy of the program runs at a time for a user.
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace veltara {

// A per-user lock held for as long as the object lives. A lock left behind by
// a copy that was killed is taken over, because its holder no longer runs.
class InstanceLock {
public:
    explicit InstanceLock(const QString &folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // True when this object now holds the lock (or already held it).
    bool tryAcquire();
    QString path() const;

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
};

// The folder of the instance lock: the user's runtime folder.
QString DefaultInstanceLockFolder();
// Points the lock elsewhere (tests); an empty folder restores the default.
void SetInstanceLockFolder(const QString &folder);

// The first step of start-up. Returns true when no other copy runs; this copy
// then holds the lock for the rest of its life. Otherwise tells the user
// "Application is already running", quits and returns false: the caller must
// end without doing anything else.
bool EnsureSingleInstance();

// Releases the lock held by EnsureSingleInstance (tests).
void ReleaseSingleInstance();

// Closes every open window of the program and ends its event loop.
void QuitApplication();

} // namespace veltara
