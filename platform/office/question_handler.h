#pragma once
// Private to the office layer: the interaction handler that opening a file to learn its questions
// brings, which notes each question and cancels it.

#include "questions.h"

#include <com/sun/star/task/XInteractionHandler.hpp>
#include <cppuhelper/implbase1.hxx>

#include <mutex>

namespace office {

/// Notes a question's kind, then answers it with Cancel (or No, where it has no Cancel). The
/// office asks on threads of the bridge.
class CancellingHandler : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    void SAL_CALL handle(const css::uno::Reference<css::task::XInteractionRequest>& request) override;

    /// The questions asked so far, in order.
    std::vector<Question> asked() const;

private:
    mutable std::mutex lock_;
    std::vector<Question> asked_;
};

} // namespace office
