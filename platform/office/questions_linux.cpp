// What LibreOffice asks while opening a file, learnt by opening it again hidden with an
// interaction handler of ZEB's that notes each question and cancels it.

#include "questions.h"

#include "office_object_linux.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionDisapprove.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>

#include <mutex>

namespace office {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;

namespace {

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

/// The kind of a request, by the type of what it carries.
Question kind_of(const Any& request)
{
    const std::string type = utf8(request.getValueTypeName());
    // An error LibreOffice reports (it shows its message with an OK) asks nothing.
    if (type.find("ErrorCodeRequest") != std::string::npos || type.find(".Interactive") != std::string::npos)
        return Question::Report;
    if (type.find("PasswordRequest") != std::string::npos)
        return Question::Password;
    if (type.find("LockFileIgnoreRequest") != std::string::npos)
        return Question::LockNotMade; // "Document Could Not Be Locked"
    if (type.find("Lock") != std::string::npos)
        return Question::Lock;
    if (type.find("BrokenPackageRequest") != std::string::npos)
        return Question::Repair;
    return Question::Other;
}

css::beans::PropertyValue property(const char* name, const Any& value)
{
    css::beans::PropertyValue p;
    p.Name = rtl::OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

} // namespace

void CancellingHandler::handle(const Reference<css::task::XInteractionRequest>& request)
{
    if (!request.is())
        return;
    {
        std::lock_guard<std::mutex> hold(lock_);
        asked_.push_back(kind_of(request->getRequest()));
    }
    const auto choices = request->getContinuations();
    for (const auto& choice : choices)
        if (Reference<css::task::XInteractionAbort> cancel(choice, css::uno::UNO_QUERY); cancel.is()) {
            cancel->select();
            return;
        }
    // A repair is offered with Yes and No only.
    for (const auto& choice : choices)
        if (Reference<css::task::XInteractionDisapprove> no(choice, css::uno::UNO_QUERY); no.is()) {
            no->select();
            return;
        }
}

std::vector<Question> CancellingHandler::asked() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return asked_;
}

namespace {

/// Lets go of a document opened only to learn what was asked: closed unsaved, or disposed of
/// when a listener refuses the close. False when it stays open all the same.
bool let_go(const Reference<css::lang::XComponent>& opened)
{
    if (!opened.is())
        return true;
    try {
        if (Reference<css::util::XCloseable> closeable(opened, css::uno::UNO_QUERY); closeable.is()) {
            closeable->close(true);
            return true;
        }
    } catch (const css::util::CloseVetoException&) {
        // Refused: taken down all the same below.
    } catch (const css::lang::DisposedException&) {
        return true; // gone already
    }
    try {
        opened->dispose();
    } catch (const css::lang::DisposedException&) {
        return true;
    } catch (const css::uno::Exception&) {
        return false;
    }
    // A document model takes a dispose for a close, which a listener may refuse again: one
    // that still answers is still open.
    Reference<css::frame::XModel> model(opened, css::uno::UNO_QUERY);
    if (!model.is())
        return true; // no document model: its dispose was the end of it
    try {
        (void)model->getURL();
        return false;
    } catch (const css::lang::DisposedException&) {
        return true;
    } catch (const css::uno::RuntimeException&) {
        return true;
    }
}

} // namespace

std::vector<Question> questions_on_opening(const rt::Object& desktop, const std::string& url, bool* left_open)
{
    if (left_open)
        *left_open = false;
    auto* o = dynamic_cast<const OfficeObject*>(&desktop);
    if (!o)
        return {};
    rtl::Reference<CancellingHandler> handler(new CancellingHandler);
    try {
        Reference<css::frame::XComponentLoader> loader(o->target(), css::uno::UNO_QUERY);
        if (!loader.is())
            return {};
        const css::beans::PropertyValue properties[] = {
            property("Hidden", Any(true)),
            property("InteractionHandler", Any(Reference<css::task::XInteractionHandler>(handler.get())))};
        const Sequence<css::beans::PropertyValue> descriptor(properties, 2);
        Reference<css::lang::XComponent> opened = loader->loadComponentFromURL(ustr(url), "_blank", 0, descriptor);
        if (!let_go(opened) && left_open)
            *left_open = true;
    } catch (const css::lang::DisposedException&) {
        throw office_error("loadComponentFromURL", o->session().get());
    } catch (const css::uno::Exception&) {
        // The file would not open at all: what was asked before that still counts.
    }
    return handler->asked();
}

} // namespace office
