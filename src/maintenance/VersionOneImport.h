#pragma once
// The "Version 1 Conversion Utility" as plain steps: the checks of the chosen "COMPANY.DAT" and
// the question, then the import of every version-1 company with its customers, invoices, lines,
// products and memo texts, and the payment terms and label files. Each company's files are
// written afresh (data records first, then every index rebuilt from them), the company record is
// added last, and its aging runs at once, so an imported company is whole and ready the moment
// the import reports it. Each company is marked in progress while it is written
// (company/ImportInProgress), so a run cut short leaves nothing of it once the data folder is
// opened again; files of a company number without a company record are never written over. A
// version-1 file that is damaged is reported with its company and phase, which keeps the records
// read before the damage, and the company is offered for removal again.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "engine/BlockFile.h"
#include "engine/Engine.h"

namespace maintenance {

// The window's progress labels: 1 companies to convert, 2 the company, 3 the running count,
// 4 what the phase converts, 6 the file written.
using ImportLabels = std::function<void(int label, const std::string& text)>;

struct ImportedPhase {
    std::string what;  // "customers", "invoices", "lines", "products"
    int imported = 0;
    int onFile = 0;     // live version-1 records, those without a number included
    bool whole = true;  // false when the phase stopped early
};

struct ImportedCompany {
    std::string code;
    std::string name;
    std::vector<ImportedPhase> phases;
    std::string skipped;  // why the company was not imported
};

struct ImportReport {
    std::vector<ImportedCompany> companies;
    bool ended = false;  // a company could not be added: the import stopped there
};

class VersionOneImportFlow {
public:
    VersionOneImportFlow(engine::Engine& engine, base::PromptService& prompts,
                         const base::Clock& clock);

    // The checks of the chosen file and the question; the version-1 folder when the import may
    // start. The path is kept as typed; only its file name is compared, in any letter case.
    std::optional<std::filesystem::path> Choose(const std::string& chosen);
    ImportReport Import(const std::filesystem::path& oldFolder, const ImportLabels& labels,
                        engine::RebuildObserver& observer);

private:
    // A company whose phases stopped early is offered for removal; true when it was offered and
    // the answer was yes (`done` then says whether it went).
    bool OfferRemoval(ImportedCompany& done);

    engine::Engine& engine_;
    base::PromptService& prompts_;
    const base::Clock& clock_;
};

// Why a company number with files but no company record was not imported.
extern const char kFilesWithoutCompanyText[];

// "The files have been imported." with a line per company.
std::string ImportMessage(const ImportReport& report);

}  // namespace maintenance
