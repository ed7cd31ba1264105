// labels DIR --layout FILE.LBL --queue FILE.LST --pdf OUT [--start N] [--copies N] [--company C]
// labels DIR --ruler --pdf OUT
// letters DIR --letter FILE.RTF|FILE.TXT --queue FILE.LST --pdf OUT [--company CODE]
// The Label Wizard's labels and the Form Letter Wizard's merged letters for the customers of a
// queue list file, written to one PDF file; read only.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/Windows1252.h"
#include "correspondence/LabelSheet.h"
#include "correspondence/LetterFile.h"
#include "correspondence/LetterRun.h"
#include "correspondence/QueueCustomers.h"
#include "tool/CompanyOptions.h"
#include "tool/ConsolePrompts.h"
#include "widgets/PdfFile.h"

namespace tool {
namespace {

std::optional<std::string> ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return std::nullopt;
    }
    return text.str();
}

// The company and the customer behind each item of the queue list file, each missing one said on
// standard error.
struct QueueRead {
    records::CompanyRecord company;
    std::vector<company::QueuedCustomer> items;
    std::vector<std::optional<records::CustomerRecord>> customers;
};

std::optional<QueueRead> ReadQueue(const CompanyOptions& options, const std::string& queuePath) {
    const std::optional<std::string> list = ReadWhole(queuePath);
    if (!list) return std::nullopt;
    QueueRead read;
    read.items = company::ReadQueueList(*list);
    engine::Engine engine;
    const std::optional<std::string> code = EnterCompany(engine, options);
    if (!code) return std::nullopt;
    ConsolePrompts prompts;
    const std::optional<records::CompanyRecord> company = ReadCompanyOnFile(engine, prompts, *code);
    correspondence::QueuedRecords customers;
    if (company)
        customers = correspondence::ReadQueuedCustomers(engine, prompts, *code, read.items);
    engine.ExitEngine();
    if (!company) {
        std::fprintf(stderr, "no company %s in the company file\n", code->c_str());
        return std::nullopt;
    }
    if (customers.failure) {
        std::fprintf(stderr, "%s\n", customers.failure->c_str());
        return std::nullopt;
    }
    read.company = *company;
    read.customers = std::move(customers.customers);
    for (size_t i = 0; i < read.items.size(); ++i)
        if (!read.customers[i])
            std::fprintf(
                stderr, "%s\n",
                base::Win1252ToUtf8(correspondence::MissingCustomerText(read.items[i].number))
                    .c_str());
    return read;
}

// Label sheets are measured from the paper's corner: a PDF page has no edge a printer cannot
// reach.
constexpr double kSheetMargin = 0;

std::string Absolute(const std::string& path) {
    return std::filesystem::absolute(path).string();
}

int Ruler(const std::string& pdf) {
    if (!widgets::WritePdf(pdf, correspondence::PrintCalibrationRuler, kSheetMargin)) {
        std::fprintf(stderr, "cannot write %s\n", pdf.c_str());
        return 1;
    }
    std::puts("Calibration ruler sent to printer.");
    return 0;
}

}  // namespace

int LabelsCommand(const Args& args) {
    const std::optional<CompanyOptions> options = ParseCompanyOptions(
        args, {"--ruler"}, {"--layout", "--queue", "--pdf", "--start", "--copies"});
    const bool ruler = options && options->has("--ruler");
    if (!options || options->words.size() != 1 || !options->values.contains("--pdf") ||
        (!ruler &&
         (!options->values.contains("--layout") || !options->values.contains("--queue")))) {
        std::fputs(
            "usage: kt-invorra-tool labels DIR --layout FILE.LBL --queue FILE.LST --pdf OUT "
            "[--start N] [--copies N] [--company CODE]\n"
            "       kt-invorra-tool labels DIR --ruler --pdf OUT\n",
            stderr);
        return 2;
    }
    // Files are named from where the tool was started, before it moves into the data folder.
    const std::string pdf = Absolute(options->values.at("--pdf"));
    if (ruler) return Ruler(pdf);
    const std::string layoutPath = Absolute(options->values.at("--layout"));
    const std::string queuePath = Absolute(options->values.at("--queue"));

    const std::optional<std::string> bytes = ReadWhole(layoutPath);
    if (!bytes) return 1;
    const std::optional<correspondence::LabelLayout> layout =
        correspondence::ReadLabelLayout(*bytes);
    if (!layout) {
        std::fprintf(stderr, "%s\n", correspondence::NotALayoutText(layoutPath).c_str());
        return 1;
    }
    const auto value = [&](const char* name) {
        const auto found = options->values.find(name);
        return found == options->values.end() ? std::string() : found->second;
    };
    const auto plan = correspondence::PlanLabels(*layout, value("--start"), value("--copies"));
    if (const auto* refusal = std::get_if<std::string>(&plan)) {
        std::fprintf(stderr, "%s\n", refusal->c_str());
        return 1;
    }
    const std::optional<QueueRead> queue = ReadQueue(*options, queuePath);
    if (!queue) return 1;
    std::vector<correspondence::LabelAddress> addresses;
    for (const auto& customer : queue->customers)
        if (customer)
            addresses.push_back(correspondence::AddressOf(
                *customer, std::get<correspondence::LabelPlan>(plan).shippingAddress));
    int printed = 0;
    const bool written = widgets::WritePdf(
        pdf,
        [&](base::Canvas& canvas) {
            printed = correspondence::PrintLabels(canvas, std::get<correspondence::LabelPlan>(plan),
                                                  correspondence::ReturnAddressOf(queue->company),
                                                  addresses);
            return printed >= 0;
        },
        kSheetMargin);
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", pdf.c_str());
        return 1;
    }
    std::printf("%s\n", correspondence::LabelsSentText(printed).c_str());
    return 0;
}

int LettersCommand(const Args& args) {
    const std::optional<CompanyOptions> options =
        ParseCompanyOptions(args, {}, {"--letter", "--queue", "--pdf"});
    if (!options || options->words.size() != 1 || !options->values.contains("--pdf") ||
        !options->values.contains("--letter") || !options->values.contains("--queue")) {
        std::fputs(
            "usage: kt-invorra-tool letters DIR --letter FILE.RTF|FILE.TXT --queue FILE.LST "
            "--pdf OUT [--company CODE]\n",
            stderr);
        return 2;
    }
    const std::string pdf = Absolute(options->values.at("--pdf"));
    const std::optional<std::string> contents = ReadWhole(Absolute(options->values.at("--letter")));
    if (!contents) return 1;
    const base::RichDocument letter =
        correspondence::LetterFromFile(*contents, correspondence::kPlainLetterFont);
    const std::optional<QueueRead> queue =
        ReadQueue(*options, Absolute(options->values.at("--queue")));
    if (!queue) return 1;
    if (const auto refusal = correspondence::LetterCheck(letter, queue->items.size())) {
        std::fprintf(stderr, "%s\n", refusal->c_str());
        return 1;
    }
    correspondence::LetterRunResult result;
    const bool written = widgets::WritePdf(pdf, [&](base::Canvas& canvas) {
        result = correspondence::PrintLetters(canvas, letter, queue->company, queue->items,
                                              queue->customers);
        return !result.stopped;
    });
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", pdf.c_str());
        return 1;
    }
    std::printf("%d letter(s) written to %s\n", result.printed, pdf.c_str());
    return 0;
}

}  // namespace tool
