// print-invoice DIR NUMBER --pdf FILE [--kind INV|PSL|FCP] [--company CODE]: one invoice's
// printed form written to a PDF file. The invoice is not marked printed: this is a file copy for
// the maintainer, not the dispatch of the invoice.

#include <cstdio>
#include <filesystem>
#include <optional>

#include "invoicing/InvoiceDispatch.h"
#include "invoicing/InvoiceDocument.h"
#include "invoicing/InvoiceFiles.h"
#include "invoicing/InvoiceForm.h"
#include "tool/CompanyOptions.h"
#include "tool/ConsolePrompts.h"
#include "widgets/PdfFile.h"

namespace tool {
namespace {

std::optional<invoicing::InvoiceDocument> ReadDocument(engine::Engine& engine,
                                                       const records::CompanyRecord& company,
                                                       const std::string& number) {
    ConsolePrompts prompts;
    invoicing::InvoiceFiles files(engine, prompts, company.code());
    if (!files.Open()) {
        std::fprintf(stderr, "%s\n", files.OpenFailureText().c_str());
        return std::nullopt;
    }
    std::string failure;
    auto document = invoicing::LoadDocument(files, company, number, failure);
    (void)files.Close();
    if (!document) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        return std::nullopt;
    }
    if (invoicing::IsDeposit(document->typeCode)) {
        std::fprintf(stderr, "%s\n", invoicing::kDepositNotPrinted);
        return std::nullopt;
    }
    return document;
}

}  // namespace

int PrintInvoiceCommand(const Args& args) {
    const std::optional<CompanyOptions> options =
        ParseCompanyOptions(args, {}, {"--pdf", "--kind"});
    const auto kind = options && options->values.contains("--kind")
                          ? invoicing::ParseDocumentKind(options->values.at("--kind"))
                          : std::optional(invoicing::DocumentKind::Invoice);
    if (!options || options->words.size() != 2 || !options->values.contains("--pdf") || !kind) {
        std::fputs(
            "usage: kt-invorra-tool print-invoice DIR NUMBER --pdf FILE [--kind INV|PSL|FCP] "
            "[--company CODE]\n",
            stderr);
        return 2;
    }
    // The file is named from where the tool was started, before it moves into the data folder.
    const std::string pdf = std::filesystem::absolute(options->values.at("--pdf")).string();
    const std::string& number = options->words[1];
    engine::Engine engine;
    const std::optional<std::string> code = EnterCompany(engine, *options);
    if (!code) return 2;
    ConsolePrompts prompts;
    const std::optional<records::CompanyRecord> company = ReadCompanyOnFile(engine, prompts, *code);
    if (!company) std::fprintf(stderr, "no company %s in the company file\n", code->c_str());
    std::optional<invoicing::InvoiceDocument> document;
    if (company) document = ReadDocument(engine, *company, number);
    engine.ExitEngine();
    if (!company) return 2;
    if (!document) return 1;
    const bool written = widgets::WritePdf(pdf, [&](base::Canvas& canvas) {
        return invoicing::PrintInvoiceForm(canvas, *document, *company, *kind);
    });
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", pdf.c_str());
        return 1;
    }
    std::printf("%s written to %s\n", invoicing::PrintJobTitle(*document, *kind).c_str(),
                pdf.c_str());
    return 0;
}

}  // namespace tool
