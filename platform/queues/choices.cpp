#include "queues/queue.h"

namespace queues {

const Choice* find_choice(const Choices& choices, std::int32_t code)
{
    for (const Choice& c : choices)
        if (c.code == code)
            return &c;
    return nullptr;
}

} // namespace queues
