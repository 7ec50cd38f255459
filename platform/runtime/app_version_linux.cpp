// The program's version information on Linux, built into it.

#include "app.h"

#include "version.h"

namespace rt {

const VersionInfo& App::version()
{
    static const VersionInfo info{ZEB_PRODUCT,     ZEB_VERSION_MAJOR, ZEB_VERSION_MINOR, ZEB_VERSION_PATCH, ZEB_DESCRIPTION,
                                  ZEB_COMMENTS,    ZEB_COMPANY,       ZEB_COPYRIGHT,     ZEB_TRADEMARKS};
    return info;
}

} // namespace rt
