#include "testplatform.h"

#include <QFile>

#include <pwd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace testplatform {

bool FileNamesIgnoreCase()
{
    return false;
}

bool LinksAreShortcuts()
{
    return false;
}

bool SettingsInRegistry()
{
    return false;
}

std::optional<QByteArray> PasswordDatabaseHome()
{
    const passwd *entry = ::getpwuid(::getuid());
    return QByteArray(entry && entry->pw_dir ? entry->pw_dir : "");
}

const char *CannotGiveFilesAway()
{
    if (::geteuid() != 0)
        return "giving a file to another user needs root";
    if (!::getpwnam("nobody"))
        return "no user nobody";
    return nullptr;
}

bool GiveToAnotherUser(const QString &file)
{
    const passwd *nobody = ::getpwnam("nobody");
    return nobody && ::chown(QFile::encodeName(file).constData(), nobody->pw_uid, nobody->pw_gid) == 0;
}

FolderWatch::FolderWatch() : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderWatch::~FolderWatch()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FolderWatch::watch(const QString &folder)
{
    return m_fd >= 0 && inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                                          IN_OPEN | IN_ACCESS | IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE |
                                              IN_MOVED_FROM | IN_MOVED_TO) >= 0;
}

bool FolderWatch::touched()
{
    alignas(inotify_event) char buffer[4096];
    bool any = false;
    while (::read(m_fd, buffer, sizeof buffer) > 0)
        any = true;
    return any;
}

} // namespace testplatform
