#include "maintenance/VersionOneImport.h"

#include <set>

#include "base/Text.h"
#include "company/CompanyFile.h"
#include "company/CompanyFileSet.h"
#include "company/ImportInProgress.h"
#include "company/LastCompany.h"
#include "company/ProgramState.h"
#include "company/SmallFile.h"
#include "maintenance/BackupMask.h"
#include "maintenance/VersionOneFiles.h"
#include "maintenance/VersionOneRecords.h"
#include "receivables/AgingRun.h"
#include "receivables/Ledger.h"
#include "records/RecordTypes.h"

namespace maintenance {

const char kFilesWithoutCompanyText[] =
    "Files of this company number are in the data folder without its company record; the "
    "company was not imported.";

namespace {

namespace fs = std::filesystem;

constexpr char kCaption[] = "KT Invorra PRO Version 1 Conversion";
constexpr size_t kShownCompany = 43;

void Tell(base::PromptService& prompts, const std::string& text) {
    prompts.Message(kCaption, text, base::PromptIcon::Information, base::PromptButtons::Ok);
}

// The working folder of the links to the version-1 files, removed however the import ends.
struct LinksFolder {
    ~LinksFolder() {
        std::error_code ignored;
        fs::remove_all(company::kImportLinksFolder, ignored);
    }
};

// One phase: the version-1 block `letter` of the company read and each record with a key field
// added, without keys, to this system's file of the same kind, created afresh.
template <typename R>
ImportedPhase CopyPhase(engine::Engine& engine, base::PromptService& prompts,
                        const fs::path& oldFolder, const std::string& code, char letter,
                        records::RecordKind kind, const std::string& what,
                        const std::string& countLabel, R (*convert)(std::span<const std::byte>),
                        std::string (*keyField)(const R&), const ImportLabels& labels) {
    ImportedPhase phase{what, 0, 0, true};
    const engine::FileDescription file = records::RecordTypeOf(kind).Describe(code);
    engine::BlockFile target(engine, file, prompts);
    labels(6, (fs::current_path() / (file.name + ".DAT")).string());
    if (!target.Create() || !target.Open()) {
        phase.whole = false;
        return phase;
    }
    VersionOneBlock old(engine, oldFolder, code + letter);
    if (old.Open()) {
        phase.onFile = old.Count();
        labels(4, countLabel + std::to_string(phase.onFile));
        phase.whole = old.ForEach([&](std::span<const std::byte> bytes) {
            const R record = convert(bytes);
            if (base::Trim(keyField(record)).empty()) return true;
            int32_t recordNumber = 0;
            engine.AddRecord(target.handle(), recordNumber, record.bytes());
            if (!engine.ok()) return false;
            labels(3, std::to_string(++phase.imported));
            return true;
        });
        if (!engine.ok() && engine.errorClass() != engine::ErrorClass::Expected)
            phase.whole = false;
    } else {
        phase.whole = FindInAnyCase(oldFolder, code + letter + ".DAT") == std::nullopt;
    }
    if (!target.Close()) phase.whole = false;
    return phase;
}

std::string CustomerKey(const records::CustomerRecord& c) {
    return c.number();
}
std::string InvoiceKey(const records::InvoiceRecord& i) {
    return i.invoiceNumber();
}
std::string LineKey(const records::InvoiceLineRecord& l) {
    return l.invoiceNumber();
}
std::string ProductKey(const records::ProductRecord& p) {
    return p.code();
}

// Copies a version-1 file over this system's file of the same name; a missing source is skipped.
void CopyOver(engine::FileSystem& files, const fs::path& oldFolder, const std::string& name) {
    if (const auto source = FindInAnyCase(oldFolder, name))
        (void)files.Copy(source->string(), name);
}

// Every index of the company's own files built from the records.
bool RebuildCompanyFiles(engine::Engine& engine, base::PromptService& prompts,
                         const std::string& code, engine::RebuildObserver& observer) {
    bool rebuilt = true;
    for (const records::RecordType& type : records::RecordTypes()) {
        if (type.kind == records::RecordKind::Company) continue;
        engine::BlockFile file(engine, type.Describe(code), prompts, &observer);
        if (engine.fileSystem().Exists(file.description().name + ".DAT"))
            rebuilt = file.Rebuild() && rebuilt;
    }
    return rebuilt;
}

}  // namespace

VersionOneImportFlow::VersionOneImportFlow(engine::Engine& engine, base::PromptService& prompts,
                                           const base::Clock& clock)
    : engine_(engine), prompts_(prompts), clock_(clock) {}

std::optional<fs::path> VersionOneImportFlow::Choose(const std::string& chosen) {
    const fs::path path(chosen);
    if (UpperAscii(path.filename().string()) != "COMPANY.DAT") {
        Tell(prompts_,
             "You must select the COMPANY.DAT file from the Invorra PRO Version 1.x "
             "directory.");
        return std::nullopt;
    }
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        Tell(prompts_, "Invalid directory and/or filename. The file does not exist.");
        return std::nullopt;
    }
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    if (!FindInAnyCase(folder, "KTZRPRO.EXE")) {
        Tell(prompts_, "I cant find Invorra PRO Version 1.");
        return std::nullopt;
    }
    if (!prompts_.AskYesNo("Ready To Convert Files",
                           "I have found the Invorra PRO files and am ready to import them into "
                           "this program. \"ZRTERMS.DAT\" and the label files A5160.LBL to "
                           "A5163.LBL of this program will be replaced by those of version 1. "
                           "Do you want to continue?"))
        return std::nullopt;
    return folder;
}

ImportReport VersionOneImportFlow::Import(const fs::path& oldFolder, const ImportLabels& labels,
                                          engine::RebuildObserver& observer) {
    ImportReport report;
    const std::optional<std::string> lastCompany =
        company::ReadSmallFile(engine_.fileSystem(), company::kLastCompanyFile);
    const LinksFolder links;  // outlives every block read through it
    VersionOneBlock oldCompanies(engine_, oldFolder, "COMPANY");
    if (!oldCompanies.Open()) {
        Tell(prompts_, "The version 1 company file COMPANY.DAT could not be read.");
        return report;
    }
    labels(1, "Companies to Convert: " + std::to_string(oldCompanies.Count()));
    std::set<std::string> imported;
    std::vector<records::CompanyRecord> companies;
    const bool read = oldCompanies.ForEach([&](std::span<const std::byte> bytes) {
        companies.push_back(CompanyFromVersionOne(bytes));
        return true;
    });
    if (!read)
        Tell(prompts_,
             "The version 1 company file COMPANY.DAT is damaged; the companies "
             "read before the damage are imported.");
    for (records::CompanyRecord& company : companies) {
        const std::string code = base::CutTo(base::Trim(company.number()), 5);
        company.setNumber(code);
        ImportedCompany done{code, base::Trim(company.name()), {}, ""};
        labels(2, base::CutTo(code + " - " + done.name, kShownCompany));
        company::CompanyFile companyFile(engine_, prompts_);
        if (code.empty()) continue;
        if (!companyFile.Open()) {
            report.ended = true;
            Tell(prompts_, "Add company data operation failed");
            break;
        }
        const bool exists = companyFile.Find(code).has_value() || imported.count(code) > 0;
        (void)companyFile.Close();
        if (exists) {
            Tell(prompts_, "This company number already exists.");
            done.skipped = "This company number already exists.";
            report.companies.push_back(done);
            continue;
        }
        // Files of a company whose record is gone are nobody's to write over.
        if (company::AnyCompanyFile(code, engine_.fileSystem())) {
            done.skipped = kFilesWithoutCompanyText;
            Tell(prompts_, done.skipped);
            report.companies.push_back(done);
            continue;
        }
        company::ImportMark mark(engine_.fileSystem());
        if (!mark.Start(code)) {
            Tell(prompts_, "Add company data operation failed");
            report.ended = true;
            break;
        }
        using records::RecordKind;
        done.phases.push_back(
            CopyPhase(engine_, prompts_, oldFolder, code, 'C', RecordKind::Customer, "customers",
                      "Customers to Convert: ", &CustomerFromVersionOne, &CustomerKey, labels));
        done.phases.push_back(
            CopyPhase(engine_, prompts_, oldFolder, code, 'I', RecordKind::Invoice, "invoices",
                      "Invoices to Convert: ", &InvoiceFromVersionOne, &InvoiceKey, labels));
        done.phases.push_back(
            CopyPhase(engine_, prompts_, oldFolder, code, 'D', RecordKind::InvoiceLine, "lines",
                      "detail to Convert: ", &LineFromVersionOne, &LineKey, labels));
        done.phases.push_back(
            CopyPhase(engine_, prompts_, oldFolder, code, 'P', RecordKind::Product, "products",
                      "Products to Convert: ", &ProductFromVersionOne, &ProductKey, labels));
        const std::string memo = records::RecordTypeOf(RecordKind::InvoiceMemo).FileName(code);
        (void)engine_.fileSystem().Remove(memo + ".IX");
        CopyOver(engine_.fileSystem(), oldFolder, memo + ".DAT");
        RebuildCompanyFiles(engine_, prompts_, code, observer);
        int32_t recordNumber = 0;
        if (!companyFile.Open() || !companyFile.Add(company, recordNumber)) {
            (void)companyFile.Close();
            Tell(prompts_, "Add company data operation failed");
            report.ended = true;
            // Should removing the files fail, the marker has them removed at the next opening.
            if (company::DeleteCompanyFiles(code, engine_.fileSystem())) mark.Finish();
            break;
        }
        (void)companyFile.Close();
        imported.insert(code);
        if (OfferRemoval(done)) {
            mark.Finish();
            report.companies.push_back(done);
            continue;
        }
        company::ProgramState aged;
        aged.currentCompany = company;
        aged.ApplyDateFormat(clock_);
        receivables::CalculateAging(engine_, prompts_, aged, clock_, false);
        // The aging recomputes only customers that owe something by their own record; the
        // balances version 1 left are made to agree with the invoices imported.
        if (const auto plan = receivables::PlanLedgerRepair(engine_, prompts_, aged, clock_);
            plan && !plan->empty())
            (void)receivables::ApplyLedgerRepair(engine_, prompts_, aged, *plan);
        mark.Finish();
        report.companies.push_back(done);
    }
    for (const char* name : {"ZRTERMS.DAT", "A5160.LBL", "A5161.LBL", "A5162.LBL", "A5163.LBL"})
        CopyOver(engine_.fileSystem(), oldFolder, name);
    // The aging of each company names it the last company; the one in use stays the last.
    if (lastCompany)
        (void)company::ReplaceSmallFile(engine_.fileSystem(), company::kLastCompanyFile,
                                        *lastCompany, company::SmallFileAccess::Everyone);
    else
        (void)engine_.fileSystem().Remove(company::kLastCompanyFile);
    return report;
}

bool VersionOneImportFlow::OfferRemoval(ImportedCompany& done) {
    std::string partly;
    for (const ImportedPhase& phase : done.phases)
        if (!phase.whole)
            partly += (partly.empty() ? "" : ", ") + phase.what + " " +
                      std::to_string(phase.imported) + " of " + std::to_string(phase.onFile) +
                      " imported";
    if (partly.empty() ||
        !prompts_.AskYesNo(kCaption, "Company " + done.code + " was only partly imported (" +
                                         partly + "). Remove it again?"))
        return false;
    company::CompanyFile companyFile(engine_, prompts_);
    bool removed = companyFile.Open();
    if (removed) {
        const auto stored = companyFile.Find(done.code);
        removed = stored && companyFile.Delete(stored->first, stored->second);
        removed = companyFile.Close() && removed;
    }
    removed = removed && company::DeleteCompanyFiles(done.code, engine_.fileSystem());
    done.skipped = removed ? "Only partly imported; removed again."
                           : "Only partly imported; it could not be removed again.";
    return true;
}

std::string ImportMessage(const ImportReport& report) {
    std::string text = "The files have been imported.";
    for (const ImportedCompany& company : report.companies) {
        text += "\n" + company.code + " - " + company.name + ": ";
        if (!company.skipped.empty()) {
            text += company.skipped;
            continue;
        }
        std::string counts;
        for (const ImportedPhase& phase : company.phases) {
            counts += counts.empty() ? "" : ", ";
            counts += phase.whole ? std::to_string(phase.imported) + " " + phase.what
                                  : phase.what + " " + std::to_string(phase.imported) + " of " +
                                        std::to_string(phase.onFile) + " imported";
        }
        text += counts + ".";
    }
    return text;
}

}  // namespace maintenance
