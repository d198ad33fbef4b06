#include "settings.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace veltara {

bool IsHomelessStore(const QString &storeFile)
{
    return storeFile.startsWith(QDir::rootPath() + QStringLiteral(".config/"));
}

void UseHomeFromPasswordDatabase()
{
    const char *home = std::getenv("HOME");
    if (home && *home)
        return;
    const passwd *entry = ::getpwuid(::getuid());
    if (!entry || !entry->pw_dir || entry->pw_dir[0] != '/' || entry->pw_dir[1] == '\0')
        return; // no home folder of its own: the store stays off
    ::setenv("HOME", entry->pw_dir, 1);
}

} // namespace veltara
