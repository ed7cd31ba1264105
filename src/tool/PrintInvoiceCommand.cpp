// print-invoice DIR NUMBER --pdf FILE [--kind INV|PSL|FCP] [--company CODE]: one invoice's
// printed form written to a PDF file. The invoice is not marked printed: this is a file copy for
// the maintainer, not the dispatch of the invoice.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "base/Text.h"
#include "invoicing/InvoiceDocument.h"
#include "invoicing/InvoiceFiles.h"
#include "invoicing/InvoiceForm.h"
#include "tool/Commands.h"
#include "tool/CompanyLookup.h"
#include "tool/ConsolePrompts.h"
#include "widgets/PdfFile.h"

namespace tool {
namespace {

struct PrintOptions {
    std::string dir;
    std::string number;
    std::string pdf;
    invoicing::DocumentKind kind = invoicing::DocumentKind::Invoice;
    std::optional<std::string> company;
};

std::optional<PrintOptions> ParseOptions(const Args& args) {
    PrintOptions options;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool valued = i + 1 < args.size();
        if (args[i] == "--pdf" && valued) {
            options.pdf = args[++i];
        } else if (args[i] == "--company" && valued) {
            options.company = base::Trim(args[++i]);
        } else if (args[i] == "--kind" && valued) {
            const auto kind = invoicing::ParseDocumentKind(args[++i]);
            if (!kind) return std::nullopt;
            options.kind = *kind;
        } else if (args[i].starts_with("--")) {
            return std::nullopt;
        } else {
            words.push_back(args[i]);
        }
    }
    if (words.size() != 2 || options.pdf.empty()) return std::nullopt;
    options.dir = words[0];
    options.number = words[1];
    // The file is named from where the tool was started, before it moves into the data folder.
    options.pdf = std::filesystem::absolute(options.pdf).string();
    return options;
}

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
    if (!document) std::fprintf(stderr, "%s\n", failure.c_str());
    return document;
}

}  // namespace

int PrintInvoiceCommand(const Args& args) {
    const std::optional<PrintOptions> options = ParseOptions(args);
    if (!options) {
        std::fputs(
            "usage: kt-invorra-tool print-invoice DIR NUMBER --pdf FILE [--kind INV|PSL|FCP] "
            "[--company CODE]\n",
            stderr);
        return 2;
    }
    if (chdir(options->dir.c_str()) != 0) {
        std::fprintf(stderr, "cannot open the data folder %s\n", options->dir.c_str());
        return 2;
    }
    engine::Engine engine;
    engine.InitEngine(0, 30);
    const std::optional<records::CompanyRecord> company = ReadCompany(engine, options->company);
    std::optional<invoicing::InvoiceDocument> document;
    if (company) document = ReadDocument(engine, *company, options->number);
    engine.ExitEngine();
    if (!company) return 2;
    if (!document) return 1;
    const bool written = widgets::WritePdf(options->pdf, [&](base::Canvas& canvas) {
        return invoicing::PrintInvoiceForm(canvas, *document, *company, options->kind);
    });
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", options->pdf.c_str());
        return 1;
    }
    std::printf("%s written to %s\n", invoicing::PrintJobTitle(*document, options->kind).c_str(),
                options->pdf.c_str());
    return 0;
}

}  // namespace tool
