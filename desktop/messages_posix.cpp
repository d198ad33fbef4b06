#include "messages.h"

namespace veltara {

bool PrintOutsideStandardOutput(const QString &)
{
    return false;
}

} // namespace veltara
