#include "company/CompanyManagerFlow.h"

#include "base/Text.h"
#include "company/CompanyFileSet.h"
#include "company/CompanyList.h"
#include "company/CompanyOptionsCheck.h"
#include "company/SmallFile.h"
#include "engine/RecordFile.h"

namespace company {

namespace {

constexpr char kDeleteQuestion[] =
    "If you delete this company, all invoices and payments will also be removed. ALL company data "
    "will be deleted! Data for other companies will NOT be removed. Continue?";
constexpr char kCurrentNotDeleted[] =
    "You are trying to delete the current default company. You need to have another company open "
    "to delete this one.";

bool SameNumber(std::string_view a, std::string_view b) {
    return base::Trim(a) == base::Trim(b);
}

}  // namespace

CompanyManagerFlow::CompanyManagerFlow(CompanyFile& file, engine::FileSystem& fs,
                                       base::PromptService& prompts, ProgramState& state,
                                       const base::Clock& clock,
                                       std::function<bool()> checkPassword)
    : file_(file),
      fs_(fs),
      prompts_(prompts),
      state_(state),
      clock_(clock),
      checkPassword_(std::move(checkPassword)) {}

bool CompanyManagerFlow::Open() {
    currentCompanySaved_ = false;
    if (file_.Open()) return true;
    ReportFailure("Unable to open company database");
    return false;
}

CompanyManagerResult CompanyManagerFlow::Close(bool chosen) {
    if (!file_.Close())
        ReportFailure(engine::ErrorText(engine::ErrorClass::Fatal, file_.file().engine().error()));
    using Ending = CompanyManagerResult::Ending;
    return {chosen ? Ending::Chosen : Ending::Closed, currentCompanySaved_};
}

std::string CompanyManagerFlow::CountText() {
    return "Companies: " + std::to_string(file_.CompanyCount());
}

std::optional<ManagerRow> CompanyManagerFlow::RowOf(int32_t recordNumber) {
    const std::optional<records::CompanyRecord> company = file_.Read(recordNumber);
    if (!company) return std::nullopt;
    return ManagerRow{recordNumber, company->key(KeyNumber(order_))};
}

std::optional<ManagerRow> CompanyManagerFlow::RowOfNumber(std::string_view number) {
    const auto found = file_.Find(number);
    if (!found) return std::nullopt;
    return ManagerRow{found->first, found->second.key(KeyNumber(order_))};
}

ManagerUpdate CompanyManagerFlow::Add(const CompanyEditor& editor) {
    records::CompanyRecord& company = state_.selectedCompany;
    company = state_.currentCompany;
    company.SetNewCompanyValues(std::to_string(file_.CompanyCount() + 1));
    const auto numberTaken = [this](const std::string& number) {
        return file_.Find(number).has_value();
    };
    if (!editor(EditPurpose::Add, company, numberTaken)) return {};
    // Invoicing and payments keep the total; a new company starts without open invoices.
    company.setReceivablesTotal("0.00");
    NormaliseCompanyOptions(company);
    int32_t recordNumber = 0;
    if (!file_.Add(company, recordNumber)) {
        ReportFailure("Add operation failed");
        return {};
    }
    return {true, true, RowOf(recordNumber), 0};
}

ManagerUpdate CompanyManagerFlow::Edit(int32_t recordNumber, const CompanyEditor& editor) {
    if (!ReadSelected(recordNumber) || !checkPassword_()) return {};
    records::CompanyRecord& company = state_.selectedCompany;
    const records::CompanyRecord original = company;
    const auto numberFixed = [](const std::string&) { return false; };
    if (!editor(EditPurpose::Edit, company, numberFixed)) return {};
    NormaliseCompanyOptions(company);
    // Whatever the write does, the main window reads the current company's settings again.
    if (SameNumber(original.number(), state_.currentCompany.number())) currentCompanySaved_ = true;
    const bool saved =
        file_.Modify(recordNumber, company, original) != engine::UpdateOutcome::Failed;
    if (!saved) ReportFailure("Modify Company failed");
    return {saved, false, RowOf(recordNumber), 0};
}

ManagerUpdate CompanyManagerFlow::Delete(int32_t recordNumber) {
    if (!ReadSelected(recordNumber) || !checkPassword_()) return {};
    const records::CompanyRecord& company = state_.selectedCompany;
    if (company.code() == state_.currentCompany.code()) {
        prompts_.Inform("Delete Company", kCurrentNotDeleted);
        return {};
    }
    if (!prompts_.AskYesNo("Please Confirm", kDeleteQuestion)) return {};
    if (!file_.Delete(recordNumber, company)) {
        ReportFailure("Delete operation failed");
        return {};
    }
    if (!DeleteCompanyFiles(company.code(), fs_)) {
        prompts_.Warn("Delete Company",
                      "The company was deleted, but some of its data files could not be removed. "
                      "Their names begin with " +
                          company.code() +
                          " followed by C, P, I, D or M; remove them from the data folder before "
                          "a new company takes this number.");
    }
    return {true, true, std::nullopt, 0};
}

bool CompanyManagerFlow::Choose(int32_t recordNumber) {
    return ReadSelected(recordNumber);
}

std::optional<ManagerOrder> CompanyManagerFlow::AskListOrder() {
    const base::PromptAnswer answer = prompts_.MessageWithDefault(
        "Company List",
        "The companies will be sorted by name. Would you rather sort by company number?",
        base::PromptIcon::Question, base::PromptButtons::YesNoCancel, base::PromptAnswer::No);
    if (answer == base::PromptAnswer::Cancel) return std::nullopt;
    return answer == base::PromptAnswer::Yes ? CompanyOrder::ByNumber : CompanyOrder::ByName;
}

std::optional<ManagerReport> CompanyManagerFlow::ListReport(ManagerOrder order) {
    std::vector<records::CompanyRecord> companies;
    const engine::ErrorClass outcome = file_.InKeyOrder(KeyNumber(order), companies);
    // A list cut short by a damaged index says so rather than passing for the whole list.
    if (outcome != engine::ErrorClass::None) {
        ReportFailure(engine::ErrorText(outcome, file_.file().engine().error()));
        return std::nullopt;
    }
    std::vector<CompanyListEntry> entries;
    for (const records::CompanyRecord& company : companies)
        entries.push_back({company.name(), company.number(), company.receivablesTotalAmount()});
    const std::string report = CompanyListReport(entries, clock_.Now());
    std::optional<std::string> text;
    if (ReplaceSmallFile(fs_, kManagerReportFile, report, SmallFileAccess::Everyone))
        text = ReadSmallFile(fs_, kManagerReportFile);
    if (fs_.Exists(kManagerReportFile)) fs_.Remove(kManagerReportFile);
    if (!text) {
        ReportFailure("Unable to write the company list to TXTTEMP.TXT.");
        return std::nullopt;
    }
    return ManagerReport{
        order == CompanyOrder::ByNumber ? "Company List by Number" : "Company List by Name",
        std::move(*text), CompanyListCsv(entries)};
}

bool CompanyManagerFlow::ReadSelected(int32_t recordNumber) {
    if (recordNumber == 0) return false;
    const std::optional<records::CompanyRecord> company = file_.Read(recordNumber);
    if (!company) return false;
    state_.selectedCompany = *company;
    return true;
}

void CompanyManagerFlow::ReportFailure(std::string_view text) {
    prompts_.Message(engine::kProgramCaption, text, base::PromptIcon::Error,
                     base::PromptButtons::Ok);
}

}  // namespace company
