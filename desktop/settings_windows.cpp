#include "settings.h"

namespace veltara {

// The store is a registry key of the user's own.
bool IsHomelessStore(const QString &)
{
    return false;
}

void UseHomeFromPasswordDatabase() {}

} // namespace veltara
