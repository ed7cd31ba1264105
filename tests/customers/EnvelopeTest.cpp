#include "customers/Envelope.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/RecordingCanvas.h"
#include "support/Samples.h"
#include "support/ScriptedPrompts.h"

namespace customers {
namespace {

struct Placed {
    int x;
    int y;
    std::string text;
    friend bool operator==(const Placed&, const Placed&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Placed& p) {
        return out << "(" << p.x << ", " << p.y << ") \"" << p.text << "\"";
    }
};

std::vector<Placed> Printed(const testsupport::RecordingCanvas& canvas) {
    std::vector<Placed> placed;
    for (const testsupport::CanvasText& t : canvas.texts()) placed.push_back({t.x, t.y, t.text});
    return placed;
}

class Envelope : public ::testing::Test {
protected:
    Envelope() : company_(testsupport::SampleCompany("1", "Acme Supply Co")) {
        company_.setEnvelopeFont({"Arial", 12, records::kBlack, records::kBold});
        company_.setEnvelopeLineSpacing("100");
        company_.setEnvelopeLeftMargin(" 150");
        company_.setEnvelopeTopMargin("200");
        company_.setEnvelopeSendAddressLeft("2400");
        company_.setEnvelopeOrientation("L");
        customer_ = testsupport::SampleCustomer("17", " Caf\xE9 Ltd");  // Windows-1252
        customer_.setBilling1("1 Bill St");
        customer_.setBilling2("");
        customer_.setBilling4("Billtown");
        customer_.setShipping1("Dock 4");
        customer_.setShipping2("");
        customer_.setShipping3("Shipton");
    }

    records::CompanyRecord company_;
    records::CustomerRecord customer_;
    testsupport::ScriptedPrompts prompts_;
};

TEST_F(Envelope, ReturnAddressOnlyWhenWantedAndTheChosenAddressEightLinesDown) {
    const std::vector<Placed> returnAddress = {{150, 200, "Acme Supply Co"},
                                               {150, 300, "Acme Supply Co"},
                                               {150, 400, "100 Commerce Way"},
                                               {150, 500, "Springfield, IL 62701"},
                                               {150, 600, ""}};
    const std::vector<Placed> billing = {{2400, 1000, " Café Ltd"},
                                         {2400, 1100, "1 Bill St"},
                                         {2400, 1200, ""},
                                         {2400, 1300, ""},
                                         {2400, 1400, "Billtown"}};
    const std::vector<Placed> shipping = {{2400, 1000, " Café Ltd"},
                                          {2400, 1100, "Dock 4"},
                                          {2400, 1200, ""},
                                          {2400, 1300, "Shipton"},
                                          {2400, 1400, ""}};
    struct Case {
        bool returnAddress;
        const char* address;  // the envelope address setting
        std::vector<Placed> printed;
    };
    std::vector<Placed> withReturn = returnAddress;
    withReturn.insert(withReturn.end(), billing.begin(), billing.end());
    const std::vector<Case> cases = {
        {true, "B", withReturn}, {false, "B", billing}, {false, "S", shipping}};
    for (const Case& c : cases) {
        company_.setPrintReturnAddress(c.returnAddress);
        company_.setEnvelopeAddress(c.address);
        const std::optional<EnvelopeLayout> layout = ReadEnvelopeLayout(company_, prompts_);
        ASSERT_TRUE(layout);
        EXPECT_TRUE(layout->landscape);
        testsupport::RecordingCanvas canvas;
        EXPECT_EQ(PrintEnvelope(canvas, *layout, company_, customer_),
                  "Envelope for Café Ltd sent to printer.");
        EXPECT_EQ(canvas.documents(), std::vector<std::string>{"Envelope"});
        EXPECT_TRUE(canvas.ended());
        EXPECT_EQ(Printed(canvas), c.printed) << c.returnAddress << c.address;
        EXPECT_EQ(canvas.texts().front().font,
                  (base::FontChoice{"Arial", 12, true, false, false, false, records::kBlack}));
    }
}

TEST_F(Envelope, SettingThatIsNoWholeNumberIsReportedAndNothingPrints) {
    using Setter = void (records::CompanyRecord::*)(std::string_view);
    struct Case {
        Setter setter;
        const char* value;
        const char* label;
    };
    const std::vector<Case> cases = {
        {&records::CompanyRecord::setEnvelopeLineSpacing, "1O0", "Line Spacing"},
        {&records::CompanyRecord::setEnvelopeLeftMargin, "", "Left Margin"},
        {&records::CompanyRecord::setEnvelopeTopMargin, "-20", "Top Margin"},
        {&records::CompanyRecord::setEnvelopeSendAddressLeft, "24.5", "Send Address Left"},
    };
    for (const Case& c : cases) {
        records::CompanyRecord company = company_;
        (company.*c.setter)(c.value);
        prompts_.ExpectWarn("Print Envelope",
                            "The " + std::string(c.label) +
                                " in your envelope settings (Company Setup) must be a whole "
                                "number of 0 or more. Unable to print the envelope.");
        EXPECT_FALSE(ReadEnvelopeLayout(company, prompts_)) << c.label;
        prompts_.Verify();
    }
}

TEST_F(Envelope, PrinterThatCannotStartGivesNoStatus) {
    struct RefusingCanvas : testsupport::RecordingCanvas {
        bool BeginDocument(std::string_view) override { return false; }
    } canvas;
    const std::optional<EnvelopeLayout> layout = ReadEnvelopeLayout(company_, prompts_);
    ASSERT_TRUE(layout);
    EXPECT_FALSE(PrintEnvelope(canvas, *layout, company_, customer_));
    EXPECT_TRUE(canvas.texts().empty());
}

}  // namespace
}  // namespace customers
