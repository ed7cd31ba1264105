#pragma once
// One customer's envelope from the Customer Manager: the company's return address in the top-left
// corner when the company wants it, and the customer's name and address (shipping or billing, as
// the company chose) further right and down. Positions are printer device units from the
// company's envelope settings.

#include <optional>
#include <string>

#include "base/Canvas.h"
#include "base/PromptService.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"

namespace customers {

struct EnvelopeLayout {
    int lineSpacing = 0;  // s: the distance from one line to the next
    int leftMargin = 0;   // x of the return address
    int topMargin = 0;    // y of the company name; the customer's address starts 8 lines lower
    int sendLeft = 0;     // x of the customer's address
    bool landscape = false;
    bool returnAddress = false;    // the company's name and address are printed
    bool shippingAddress = false;  // the customer's shipping address, else the billing address
};

// The company's envelope settings. A spacing or position that is not a whole number of zero or
// more is shown (caption "Print Envelope") and gives nothing, so no envelope is printed at
// positions nobody chose.
std::optional<EnvelopeLayout> ReadEnvelopeLayout(const records::CompanyRecord& company,
                                                 base::PromptService& prompts);

// Prints the envelope as the document "Envelope" in the company's envelope font and answers the
// status text "Envelope for <first address line> sent to printer." (UTF-8); nothing when the
// document could not be started. The caller turns the printer to landscape when the layout
// asks for it, and back afterwards.
std::optional<std::string> PrintEnvelope(base::Canvas& canvas, const EnvelopeLayout& layout,
                                         const records::CompanyRecord& company,
                                         const records::CustomerRecord& customer);

}  // namespace customers
