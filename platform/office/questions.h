#pragma once
// The questions LibreOffice asks while it opens a document: a password, a lock it cannot take or
// honour, a damaged file it offers to repair. A person answers them in LibreOffice as always;
// ZEB learns which were asked, to tell a cancelled question from a file that would not open.

#include "runtime/object.h"

#include <memory>
#include <vector>

namespace office {

struct Session;
struct QuestionLog;

/// What a question asked about; Report is an error LibreOffice reported, which asks nothing.
enum class Question { Password, Lock, Repair, Other, Report };

/// Notes the questions asked on one connection while it lives.
class QuestionWatch {
public:
    /// From now until the watch ends, a loadComponentFromURL on the connection `object` came
    /// from that brings no interaction handler of its own gets one that notes each question
    /// and passes it on to LibreOffice's own handler, which asks the person.
    explicit QuestionWatch(const rt::Object& object);
    ~QuestionWatch();
    QuestionWatch(const QuestionWatch&) = delete;
    QuestionWatch& operator=(const QuestionWatch&) = delete;

    /// The questions asked so far, in order.
    std::vector<Question> asked() const;

private:
    std::shared_ptr<Session> session_;
    std::shared_ptr<QuestionLog> log_;
};

} // namespace office
