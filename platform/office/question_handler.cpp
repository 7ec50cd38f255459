#include "question_handler.h"

#include "office_object.h"
#include "text.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/script/XTypeConverter.hpp>
#include <com/sun/star/task/InteractionHandler.hpp>

namespace office {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;

namespace {

/// The kind of a request, by the type of what it carries.
Question kind_of(const Any& request)
{
    const std::string type = utf8(request.getValueTypeName());
    // An error LibreOffice reports (it shows its message with an OK) asks nothing.
    if (type.find("ErrorCodeRequest") != std::string::npos || type.find(".Interactive") != std::string::npos)
        return Question::Report;
    if (type.find("PasswordRequest") != std::string::npos)
        return Question::Password;
    if (type.find("Lock") != std::string::npos)
        return Question::Lock;
    if (type.find("BrokenPackageRequest") != std::string::npos)
        return Question::Repair;
    return Question::Other;
}

} // namespace

QuestionHandler::QuestionHandler(Reference<css::uno::XComponentContext> remote, std::shared_ptr<QuestionLog> log)
    : remote_(std::move(remote)), log_(std::move(log))
{
}

void QuestionHandler::handle(const Reference<css::task::XInteractionRequest>& request)
{
    if (!request.is())
        return;
    {
        std::lock_guard<std::mutex> hold(log_->lock);
        log_->asked.push_back(kind_of(request->getRequest()));
    }
    // LibreOffice's own handler, made in the office, asks the person in LibreOffice's windows.
    css::task::InteractionHandler::createWithParent(remote_, nullptr)->handle(request);
}

Any with_handler(const Any& descriptor, const Reference<css::task::XInteractionHandler>& handler,
                 const Reference<css::script::XTypeConverter>& converter)
{
    Sequence<css::beans::PropertyValue> properties;
    try {
        if (descriptor.hasValue())
            converter->convertTo(descriptor, cppu::UnoType<decltype(properties)>::get()) >>= properties;
    } catch (const css::uno::Exception&) {
        return descriptor; // not a descriptor the office would take: the call says so itself
    }
    for (const auto& p : properties)
        if (p.Name == "InteractionHandler")
            return descriptor;
    const sal_Int32 n = properties.getLength();
    properties.realloc(n + 1);
    properties.getArray()[n].Name = "InteractionHandler";
    properties.getArray()[n].Value <<= handler;
    return Any(properties);
}

QuestionWatch::QuestionWatch(const rt::Object& object) : log_(std::make_shared<QuestionLog>())
{
    if (auto* o = dynamic_cast<const OfficeObject*>(&object)) {
        session_ = o->session();
        session_->questions = log_;
    }
}

QuestionWatch::~QuestionWatch()
{
    if (session_ && session_->questions == log_)
        session_->questions.reset();
}

std::vector<Question> QuestionWatch::asked() const
{
    std::lock_guard<std::mutex> hold(log_->lock);
    return log_->asked;
}

} // namespace office
