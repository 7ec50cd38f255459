#pragma once
// The program's user-interface session: the open forms and the event loop.

#include <memory>
#include <vector>

namespace forms {

class Form;

/// Owns the toolkit session; keeps the open forms in the order they were opened.
class Application {
public:
    /// Starts the user-interface session. One per process.
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// Runs events until the last open form has closed; returns at once when none is open.
    void run();
    /// Handles the events waiting now, without blocking.
    void process_events();
    /// The open forms, oldest first.
    const std::vector<Form*>& forms() const;

private:
    friend class Form;
    void opened(Form* form);
    void closed(Form* form);

    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace forms
