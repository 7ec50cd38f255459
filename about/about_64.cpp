#include "about_64.h"

void about_64::create_About(const std::string&, const std::int32_t&, const std::int32_t&,
                            const std::int16_t&, const std::int16_t&, const std::string&, const float&)
{
    // The box and its layout arrive with the About window itself.
}
