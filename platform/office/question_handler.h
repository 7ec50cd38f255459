#pragma once
// Private to the office layer: the interaction handler a watched load brings, which notes each
// question and passes it on to LibreOffice's own handler.

#include "questions.h"

#include <com/sun/star/script/XTypeConverter.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase1.hxx>

#include <mutex>

namespace office {

/// The questions one watch has seen; the office asks on threads of the bridge.
struct QuestionLog {
    mutable std::mutex lock;
    std::vector<Question> asked;
};

/// Notes a question's kind, then lets LibreOffice's own handler ask it.
class QuestionHandler : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    QuestionHandler(css::uno::Reference<css::uno::XComponentContext> remote, std::shared_ptr<QuestionLog> log);

    void SAL_CALL handle(const css::uno::Reference<css::task::XInteractionRequest>& request) override;

private:
    css::uno::Reference<css::uno::XComponentContext> remote_;
    std::shared_ptr<QuestionLog> log_;
};

/// `descriptor` (a load's media descriptor) with `handler` added, unless it brings one.
css::uno::Any with_handler(const css::uno::Any& descriptor,
                           const css::uno::Reference<css::task::XInteractionHandler>& handler,
                           const css::uno::Reference<css::script::XTypeConverter>& converter);

} // namespace office
