// The second opening that learns which question LibreOffice asked is hidden from the person.

#include "office/questions.h"
#include "office_object_linux.h"
#include "office_env.h"
#include "office_probe.h"
#include "private_office.h"

#include <com/sun/star/document/DocumentEvent.hpp>
#include <com/sun/star/document/XDocumentEventBroadcaster.hpp>
#include <com/sun/star/document/XDocumentEventListener.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseBroadcaster.hpp>
#include <com/sun/star/util/XCloseListener.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using css::uno::Reference;

/// Notes, for each document LibreOffice finishes loading, whether it was opened hidden. The
/// office tells it while the load is still under way, so the document is there to ask.
/// Refuses every close of the document it listens to, as an extension or macro of the
/// user's might.
class CloseRefusal : public cppu::WeakImplHelper1<css::util::XCloseListener> {
public:
    explicit CloseRefusal(const bool& refusing) : refusing_(refusing) {}
    void SAL_CALL queryClosing(const css::lang::EventObject&, sal_Bool) override
    {
        if (refusing_)
            throw css::util::CloseVetoException("kept open", {});
    }
    void SAL_CALL notifyClosing(const css::lang::EventObject&) override {}
    void SAL_CALL disposing(const css::lang::EventObject&) override {}

private:
    const bool& refusing_;
};

class LoadWatch : public cppu::WeakImplHelper1<css::document::XDocumentEventListener> {
public:
    std::vector<bool> hidden;
    bool refuse_close = false; ///< every document loaded refuses to close while this is set
    std::vector<Reference<css::util::XCloseable>> loaded;

    void SAL_CALL documentEventOccured(const css::document::DocumentEvent& event) override
    {
        if (event.EventName != "OnLoadFinished")
            return;
        bool is_hidden = false;
        if (Reference<css::frame::XModel> model(event.Source, css::uno::UNO_QUERY); model.is())
            for (const auto& arg : model->getArgs())
                if (arg.Name == "Hidden")
                    arg.Value >>= is_hidden;
        hidden.push_back(is_hidden);
        if (Reference<css::util::XCloseBroadcaster> closing(event.Source, css::uno::UNO_QUERY); refuse_close && closing.is()) {
            closing->addCloseListener(new CloseRefusal(refuse_close));
            loaded.emplace_back(event.Source, css::uno::UNO_QUERY);
        }
    }
    void SAL_CALL disposing(const css::lang::EventObject&) override {}
};

/// A LoadWatch on every document the test office loads, for as long as it lives.
class WatchedLoads {
public:
    WatchedLoads() : watch(new LoadWatch)
    {
        auto manager = test_office().service_manager();
        auto* office = dynamic_cast<office::OfficeObject*>(manager.get());
        Reference<css::lang::XMultiServiceFactory> factory(office->target(), css::uno::UNO_QUERY_THROW);
        events_.set(factory->createInstance("com.sun.star.frame.GlobalEventBroadcaster"), css::uno::UNO_QUERY_THROW);
        events_->addDocumentEventListener(watch.get());
    }
    ~WatchedLoads() { events_->removeDocumentEventListener(watch.get()); }

    rtl::Reference<LoadWatch> watch;

private:
    Reference<css::document::XDocumentEventBroadcaster> events_;
};

/// A copy of the one-sheet workbook in the office's scratch folder, named `name`; its URL.
std::string workbook_named(const std::string& name)
{
    const std::string path = test_office().scratch() + "/" + name;
    std::filesystem::copy_file(ZEB_SOURCE_DIR "/tests/data/one_sheet.ods", path,
                               std::filesystem::copy_options::overwrite_existing);
    return "file://" + path;
}

} // namespace

TEST(OfficeQuestions, TheSecondOpeningIsHiddenFromThePerson)
{
    WatchedLoads loads;
    const auto& watch = loads.watch;
    EXPECT_TRUE(office::questions_on_opening(*test_office().desktop(), workbook_named("seen_or_not.ods")).empty());
    ASSERT_EQ(watch->hidden.size(), 1u) << "the file was opened once, to be closed again";
    EXPECT_TRUE(watch->hidden[0]) << "opened hidden";

    // A question is answered Cancel: the file another user has locked is not opened at all,
    // neither read-only nor as a copy.
    const std::string theirs = workbook_named("locked_by_them.ods");
    std::ofstream(test_office().scratch() + "/.~lock.locked_by_them.ods#")
        << "Someone Else,otherhost,someone,07.12.2026 09:00,file:///home/someone/.config/libreoffice/4;";
    const auto asked = office::questions_on_opening(*test_office().desktop(), theirs);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), office::Question::Lock);
    EXPECT_EQ(watch->hidden.size(), 1u) << "nothing more was opened";
}

TEST(OfficeQuestions, ASecondOpeningThatRefusesToCloseIsSaidToStayOpen)
{
    const auto desktop = test_office().desktop();
    const int before = open_documents(desktop);
    WatchedLoads loads;
    const auto& watch = loads.watch;
    watch->refuse_close = true;
    bool left_open = false;
    EXPECT_TRUE(office::questions_on_opening(*desktop, workbook_named("refuses_to_close.ods"), &left_open).empty());
    ASSERT_EQ(watch->hidden.size(), 1u);
    // A document that refuses even being disposed of cannot be made to go: that is said.
    EXPECT_TRUE(left_open) << "a hidden document that stayed is not kept quiet";
    EXPECT_EQ(open_documents(desktop), before + 1);
    watch->refuse_close = false;
    for (const auto& document : watch->loaded)
        document->close(true);
    EXPECT_EQ(open_documents(desktop), before);
    EXPECT_FALSE(std::filesystem::exists(test_office().scratch() + "/.~lock.refuses_to_close.ods#"));
}
