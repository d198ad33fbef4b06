// Only one copy of the program runs at a time on one settings store.
#pragma once

#include <QString>

namespace veltara {

// A lock on a file of a folder, held for as long as the object lives (or
// until the process ends, however it ends). The operating system keeps it:
// flock() on Linux and macOS, LockFileEx() on Windows. What the file holds
// does not matter, so an empty, cut-off or foreign file left behind by a copy
// that was killed, or that ran on another computer, never stands in the way;
// a copy that still runs is never taken over, however long it has run.
class InstanceLock {
public:
    enum class Result {
        Acquired,      // this object holds the lock
        HeldByAnother, // another copy holds it
        Unavailable,   // the lock cannot be set up here; see errorString()
    };

    explicit InstanceLock(const QString &folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock when it is free; an object that holds it keeps it.
    Result acquire();
    bool tryAcquire() { return acquire() == Result::Acquired; }
    QString path() const { return m_path; }
    // Why the lock is unavailable, for one line of diagnostics.
    QString errorString() const { return m_error; }

private:
    // The operating system's part (singleinstance_posix.cpp and
    // singleinstance_windows.cpp): locks the file at m_path, and lets it go.
    // The lock file itself stays: removing it would let a copy that has just
    // opened the old file and a copy that creates a new one both hold "the" lock.
    Result lockFile(const QString &shownPath);
    void release();
    Result unavailable(const QString &why);

    QString m_folder;
    QString m_path;
    QString m_error;
    qintptr m_handle = -1; // the open lock file while held: a descriptor, or a HANDLE on Windows
};

// The folder of the instance lock: the folder of the user's settings file, so
// that whatever session, login or runtime folder a copy starts from, it meets
// the copy that uses the same store. Empty when the user has no settings folder.
QString DefaultInstanceLockFolder();
// Points the lock elsewhere (tests); an empty folder restores the default.
void SetInstanceLockFolder(const QString &folder);

// The first step of start-up. Returns true when no other copy runs; this copy
// then holds the lock for the rest of its life. When the lock cannot be set
// up at all, the program must not lock its user out: it prints one line on
// the standard error saying so and returns true. When another copy runs,
// tells the user "Application is already running", quits and returns false:
// the caller must end without doing anything else.
bool EnsureSingleInstance();

// Releases the lock held by EnsureSingleInstance (tests).
void ReleaseSingleInstance();

// Closes every open window of the program and ends its event loop.
void QuitApplication();

} // namespace veltara
