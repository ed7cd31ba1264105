#include "customers/Envelope.h"

#include <array>
#include <string>
#include <string_view>
#include <tuple>

#include "base/Text.h"
#include "base/Windows1252.h"

namespace customers {
namespace {

constexpr char kCaption[] = "Print Envelope";
// The customer's address starts this many lines below the company name.
constexpr int kAddressLine = 8;

// A setting as a whole number of zero or more; nothing, after saying so, for anything else.
std::optional<int> Setting(std::string_view stored, std::string_view label,
                           base::PromptService& prompts) {
    const std::optional<long long> value = base::ParseWholeNumber(stored);
    // The fields hold at most four characters, so any number they hold fits an int.
    if (value && *value >= 0) return static_cast<int>(*value);
    prompts.Warn(kCaption, "The " + std::string(label) +
                               " in your envelope settings (Company Setup) must be a whole number "
                               "of 0 or more. Unable to print the envelope.");
    return std::nullopt;
}

}  // namespace

std::optional<EnvelopeLayout> ReadEnvelopeLayout(const records::CompanyRecord& company,
                                                 base::PromptService& prompts) {
    EnvelopeLayout layout;
    const std::array<std::tuple<std::string, const char*, int*>, 4> settings = {{
        {company.envelopeLineSpacing(), "Line Spacing", &layout.lineSpacing},
        {company.envelopeLeftMargin(), "Left Margin", &layout.leftMargin},
        {company.envelopeTopMargin(), "Top Margin", &layout.topMargin},
        {company.envelopeSendAddressLeft(), "Send Address Left", &layout.sendLeft},
    }};
    for (const auto& [stored, label, value] : settings) {
        const std::optional<int> read = Setting(stored, label, prompts);
        if (!read) return std::nullopt;
        *value = *read;
    }
    layout.landscape = base::Trim(company.envelopeOrientation()) == "L";
    layout.returnAddress = company.printReturnAddress();
    layout.shippingAddress = base::Trim(company.envelopeAddress()) == "S";
    return layout;
}

std::optional<std::string> PrintEnvelope(base::Canvas& canvas, const EnvelopeLayout& layout,
                                         const records::CompanyRecord& company,
                                         const records::CustomerRecord& customer) {
    const std::array<std::string, 5> address =
        layout.shippingAddress
            ? std::array{customer.name(), customer.shipping1(), customer.shipping2(),
                         customer.shipping3(), customer.shipping4()}
            : std::array{customer.name(), customer.billing1(), customer.billing2(),
                         customer.billing3(), customer.billing4()};
    canvas.SetFont(company.envelopeFont().ToChoice());
    if (!canvas.BeginDocument("Envelope")) return std::nullopt;
    const auto line = [&](int x, int n, const std::string& text) {
        canvas.TextOut(x, layout.topMargin + n * layout.lineSpacing, base::Win1252ToUtf8(text));
    };
    if (layout.returnAddress) {
        const std::array returnAddress = {company.name(), company.address1(), company.address2(),
                                          company.address3(), company.address4()};
        for (int n = 0; n < 5; ++n) line(layout.leftMargin, n, returnAddress[n]);
    }
    for (int n = 0; n < 5; ++n) line(layout.sendLeft, kAddressLine + n, address[n]);
    canvas.EndDocument();
    return "Envelope for " + base::Win1252ToUtf8(base::Trim(address[0])) + " sent to printer.";
}

}  // namespace customers
