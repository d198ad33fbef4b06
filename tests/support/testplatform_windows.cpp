#include "testplatform.h"

namespace testplatform {

bool FileNamesIgnoreCase()
{
    return true;
}

bool LinksAreShortcuts()
{
    return true;
}

bool SettingsInRegistry()
{
    return true;
}

std::optional<QByteArray> PasswordDatabaseHome()
{
    return std::nullopt;
}

const char *CannotGiveFilesAway()
{
    return "Linux only: Windows gives files to other users through access lists, not chown";
}

bool GiveToAnotherUser(const QString &)
{
    return false;
}

FolderWatch::FolderWatch() = default;

FolderWatch::~FolderWatch() = default;

bool FolderWatch::watch(const QString &)
{
    return false;
}

bool FolderWatch::touched()
{
    return false;
}

} // namespace testplatform
