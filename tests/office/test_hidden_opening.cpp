// The second opening that learns which question LibreOffice asked is hidden from the person.

#include "office/questions.h"
#include "office_object.h"
#include "office_env.h"
#include "private_office.h"

#include <com/sun/star/document/DocumentEvent.hpp>
#include <com/sun/star/document/XDocumentEventBroadcaster.hpp>
#include <com/sun/star/document/XDocumentEventListener.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using css::uno::Reference;

/// Notes, for each document LibreOffice finishes loading, whether it was opened hidden. The
/// office tells it while the load is still under way, so the document is there to ask.
class LoadWatch : public cppu::WeakImplHelper1<css::document::XDocumentEventListener> {
public:
    std::vector<bool> hidden;

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
    }
    void SAL_CALL disposing(const css::lang::EventObject&) override {}
};

} // namespace

TEST(OfficeQuestions, TheSecondOpeningIsHiddenFromThePerson)
{
    auto manager = test_office().service_manager();
    auto* office = dynamic_cast<office::OfficeObject*>(manager.get());
    ASSERT_TRUE(office);
    Reference<css::lang::XMultiServiceFactory> factory(office->target(), css::uno::UNO_QUERY_THROW);
    Reference<css::document::XDocumentEventBroadcaster> events(
        factory->createInstance("com.sun.star.frame.GlobalEventBroadcaster"), css::uno::UNO_QUERY_THROW);
    rtl::Reference<LoadWatch> watch(new LoadWatch);
    events->addDocumentEventListener(watch.get());

    const std::string plain = test_office().scratch() + "/seen_or_not.ods";
    std::filesystem::copy_file(ZEB_SOURCE_DIR "/tests/data/one_sheet.ods", plain,
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_TRUE(office::questions_on_opening(*test_office().desktop(), "file://" + plain).empty());
    ASSERT_EQ(watch->hidden.size(), 1u) << "the file was opened once, to be closed again";
    EXPECT_TRUE(watch->hidden[0]) << "opened hidden";

    // A question is answered Cancel: the file another user has locked is not opened at all,
    // neither read-only nor as a copy.
    const std::string theirs = test_office().scratch() + "/locked_by_them.ods";
    std::filesystem::copy_file(ZEB_SOURCE_DIR "/tests/data/one_sheet.ods", theirs,
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(test_office().scratch() + "/.~lock.locked_by_them.ods#")
        << "Someone Else,otherhost,someone,07.12.2026 09:00,file:///home/someone/.config/libreoffice/4;";
    const auto asked = office::questions_on_opening(*test_office().desktop(), "file://" + theirs);
    events->removeDocumentEventListener(watch.get());
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), office::Question::Lock);
    EXPECT_EQ(watch->hidden.size(), 1u) << "nothing more was opened";
}
