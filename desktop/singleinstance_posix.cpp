#include "singleinstance.h"

#include "settings.h"

#include <QFile>
#include <QFileInfo>

#include <sys/file.h>
#include <sys/stat.h>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace veltara {

void InstanceLock::release()
{
    if (m_handle == -1)
        return;
    ::close(int(m_handle));
    m_handle = -1;
}

InstanceLock::Result InstanceLock::lockFile(const QString &shownPath)
{
    const QByteArray name = QFile::encodeName(m_path);
    // A lock file left on a store that has since become read-only still locks.
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return unavailable(QStringLiteral("cannot open %1: %2").arg(shownPath, qt_error_string(errno)));
    // A lock that another user could hold would let that user lock this one out.
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        ::close(fd);
        return unavailable(QStringLiteral("%1 is not a file of this user").arg(shownPath));
    }
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return Result::HeldByAnother;
        return unavailable(QStringLiteral("cannot lock %1: %2").arg(shownPath, qt_error_string(error)));
    }
    m_handle = fd;
    return Result::Acquired;
}

QString DefaultInstanceLockFolder()
{
    const QString store = SettingsFilePath();
    return store.isEmpty() ? QString() : QFileInfo(store).absolutePath();
}

} // namespace veltara
