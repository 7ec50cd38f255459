#pragma once
// What the print system knows of its queues: their names, the default one, each queue's
// stored settings and what it offers. Everything a user changes lands in that user's own
// lpoptions, never in the server's configuration.

#include "queues/queue_settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace queues {

/// A code a queue offers for one setting, with the queue's own name for it.
struct Choice {
    std::int32_t code = 0;
    std::string name;
    std::int16_t width = 0; ///< a paper's width in tenths of a millimetre
};
using Choices = std::vector<Choice>;

/// One queue: its names, the settings a job starts with, and the choices it offers.
struct Queue {
    std::string name; ///< the queue's own spelling
    std::string port; ///< its device URI without any user name or password
    Settings defaults;        ///< what a job starts with: the user's, over the server's, over the PPD's
    Settings driver_defaults; ///< the PPD's own defaults, before anybody's options
    Choices papers, bins, qualities, colours, duplexes, media_types;
};

/// The queues' names, in the print system's order; empty with no queue or no scheduler.
std::vector<std::string> queue_names();
/// The queue's own spelling of `name`, matched regardless of letter case; none when no queue has it.
std::optional<std::string> find_queue(const std::string& name);
/// The user's default queue (the user's lpoptions, then the server's default); empty when there is none.
std::string default_queue();
/// The device URI of a queue without any user name or password; empty for an unknown queue.
/// This and the two that store below are the Linux spooler's (CUPS): on Windows the system's
/// own spooler functions do this work, and these are not there.
std::string queue_port(const std::string& name);
/// Everything known of the queue `name` (any letter case); none when there is no such queue.
std::optional<Queue> read_queue(const std::string& name);

/// Makes `name` the user's default queue, as `lpoptions -d` does; false when it fails.
bool make_default_queue(const std::string& name);
/// Stores the settings that `fields` (SettingField bits, those of a DEVMODE) names as the user's defaults
/// for the queue, as `read_queue` gave it. Nothing is stored, and false results, when the
/// queue does not offer one of them.
bool store_user_defaults(const Queue& queue, const Settings& settings, std::uint32_t fields);

/// The choice with `code` among `choices`; null when the queue does not offer it.
const Choice* find_choice(const Choices& choices, std::int32_t code);

} // namespace queues
