#include "app.h"

#include "version.h"

namespace rt {

std::string App::title() { return "ZEB"; }

const VersionInfo& App::version()
{
    static const VersionInfo info{ZEB_PRODUCT,
                                  ZEB_VERSION_MAJOR,
                                  ZEB_VERSION_MINOR,
                                  ZEB_VERSION_PATCH,
                                  "Opens a workbook in LibreOffice Calc and offers its routines.",
                                  "ZEB drives LibreOffice Calc as an automation server.",
                                  "The ZEB developers",
                                  "2026 The ZEB developers",
                                  ""};
    return info;
}

} // namespace rt
