#include "customers/Envelope.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/RecordingCanvas.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"

namespace customers {
namespace {

using Texts = std::vector<std::string>;

// The starter settings (spacing 100, left margin 150, send address at 2400) with the top at 200.
records::CompanyRecord EnvelopeCompany() {
    records::CompanyRecord company = testsupport::SampleCompany("1", "Acme");
    company.setEnvelopeTopMargin("200");
    return company;
}

TEST(Envelope, ReturnAddressOnlyWhenWantedAndTheChosenAddressEightLinesDown) {
    records::CustomerRecord customer = testsupport::SampleCustomer("17", " Caf\xE9 Ltd");
    customer.setBilling4("Billtown");
    customer.setShipping1("Dock 4");
    const Texts returnAddress = {"150,200 Acme", "150,300 Acme", "150,400 100 Commerce Way",
                                 "150,500 Springfield, IL 62701", "150,600 "};
    const Texts billing = {"2400,1000  Café Ltd", "2400,1100 12 Market Street",
                           "2400,1200 Springfield, IL 62704", "2400,1300 ", "2400,1400 Billtown"};
    Texts shipping = billing;
    shipping[1] = "2400,1100 Dock 4";
    shipping[4] = "2400,1400 ";
    Texts both = returnAddress;
    both.insert(both.end(), billing.begin(), billing.end());
    const std::vector<std::tuple<bool, const char*, Texts>> cases = {
        {true, "B", both}, {false, "B", billing}, {false, "S", shipping}};
    for (const auto& [withReturn, address, expected] : cases) {
        records::CompanyRecord company = EnvelopeCompany();
        company.setPrintReturnAddress(withReturn);
        company.setEnvelopeAddress(address);
        testsupport::ScriptedPrompts prompts;
        const std::optional<EnvelopeLayout> layout = ReadEnvelopeLayout(company, prompts);
        ASSERT_TRUE(layout && layout->landscape);
        testsupport::RecordingCanvas canvas;
        EXPECT_EQ(PrintEnvelope(canvas, *layout, company, customer),
                  "Envelope for Café Ltd sent to printer.");
        EXPECT_EQ(canvas.documents(), Texts{"Envelope"});
        EXPECT_TRUE(canvas.ended());
        Texts printed;
        for (const auto& t : canvas.texts())
            printed.push_back(std::to_string(t.x) + "," + std::to_string(t.y) + " " + t.text);
        EXPECT_EQ(printed, expected) << withReturn << address;
        EXPECT_EQ(canvas.texts().front().font, company.envelopeFont().ToChoice());
    }
}

TEST(Envelope, BadSettingIsReportedAndAPrinterThatCannotStartGivesNoStatus) {
    using Setter = void (records::CompanyRecord::*)(std::string_view);
    const std::vector<std::tuple<Setter, const char*, std::string>> cases = {
        {&records::CompanyRecord::setEnvelopeLineSpacing, "1O0", "Line Spacing"},
        {&records::CompanyRecord::setEnvelopeLeftMargin, "", "Left Margin"},
        {&records::CompanyRecord::setEnvelopeTopMargin, "-20", "Top Margin"},
        {&records::CompanyRecord::setEnvelopeSendAddressLeft, "24.5", "Send Address Left"},
    };
    testsupport::ScriptedPrompts prompts;
    for (const auto& [setter, value, label] : cases) {
        records::CompanyRecord company = EnvelopeCompany();
        (company.*setter)(value);
        prompts.ExpectWarn("Print Envelope", "The " + label +
                                                 " in your envelope settings (Company Setup) must "
                                                 "be a whole number of 0 or more. Unable to print "
                                                 "the envelope.");
        EXPECT_FALSE(ReadEnvelopeLayout(company, prompts)) << label;
    }
    struct RefusingCanvas : testsupport::RecordingCanvas {
        bool BeginDocument(std::string_view) override { return false; }
    } canvas;
    const records::CompanyRecord company = EnvelopeCompany();
    const EnvelopeLayout layout = ReadEnvelopeLayout(company, prompts).value();
    EXPECT_FALSE(PrintEnvelope(canvas, layout, company, testsupport::SampleCustomer("1", "A")));
    EXPECT_TRUE(canvas.texts().empty());
}

}  // namespace
}  // namespace customers
