#pragma once
// A private print scheduler for the tests of one process: its own folder, socket, queues and
// user; never the machine's /etc/cups, never a real ~/.cups.

#include <string>
#include <utility>
#include <vector>

/// Starts cupsd as this process's child in a folder of its own and points every print-system
/// client of the process at it (CUPS_SERVER, CUPS_SERVERROOT, HOME; LPDEST and PRINTER unset).
/// Make it before the process's first print-system call: libcups reads the environment once.
class PrivateCups {
public:
    PrivateCups();
    /// Stops the scheduler, waits for it and removes its folder.
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    /// Text of the test PPD replaced for one queue: each first occurrence of `first` by `second`.
    using PpdEdits = std::vector<std::pair<std::string, std::string>>;
    /// Adds an enabled queue on the project's test PPD (with `edits` made), printing to a
    /// recording filter; `uri` is its device URI.
    void add_queue(const std::string& name, const std::string& uri = "file:///dev/null", const PpdEdits& edits = {});
    /// Removes a queue.
    void remove_queue(const std::string& name);
    /// Runs a print-system tool (lpstat, lpoptions, lp, lpadmin) against the scheduler; its output.
    std::string run(const std::string& command_line) const;
    /// How many requests the scheduler has answered so far (its access log's lines).
    std::size_t requests() const;
    /// The user's lpoptions file as it stands; empty when there is none.
    std::string lpoptions() const;
    /// Stops the scheduler where it stands (it takes connections and answers nothing), or lets
    /// it go on again.
    void suspend(bool stopped) const;
    /// Forgets everything the user changed: lpoptions and WIN.INI.
    void reset_user() const;
    /// Prints a line of text with plain `lp -d queue`; the options the queue's driver got
    /// ("copies=N options..."), once the job has passed the filter.
    std::string print_and_record(const std::string& queue) const;

private:
    std::string root_;
    int pid_ = 0;
};
