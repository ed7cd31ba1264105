#include "correspondence/LabelWizardFlow.h"

#include <variant>

#include "base/Windows1252.h"
#include "company/SmallFile.h"
#include "correspondence/LabelSheet.h"
#include "correspondence/QueueCustomers.h"

namespace correspondence {
namespace {

constexpr char kWizardCaption[] = "Label Wizard";
constexpr char kPrintCaption[] = "Print Labels";

}  // namespace

std::string LabelWizardFlow::Start() {
    const std::optional<std::string> last = company::ReadSmallFile(files(), kLastLayoutFile);
    if (!last) return kOpenLayoutText;
    const std::optional<std::string> path = ReadLastLayout(*last);
    const std::optional<std::string> bytes =
        path ? company::ReadSmallFile(files(), *path) : std::nullopt;
    if (bytes) loaded_ = ReadLabelLayout(*bytes);
    if (loaded_) return kLabelReadyText;
    (void)files().Remove(kLastLayoutFile);  // it names nothing usable any more
    return kOpenLayoutText;
}

bool LabelWizardFlow::Remember(const std::string& path) {
    const std::optional<std::string> last = LastLayoutBytes(path);
    // A path too long for the file is not remembered; the layout itself is fine.
    return !last || company::ReplaceSmallFile(files(), kLastLayoutFile, *last,
                                              company::SmallFileAccess::Everyone);
}

bool LabelWizardFlow::OpenLayout(const std::string& path) {
    const std::optional<std::string> bytes = company::ReadSmallFile(files(), path);
    const std::optional<LabelLayout> layout = bytes ? ReadLabelLayout(*bytes) : std::nullopt;
    if (!layout) {
        services_.prompts.Warn(kWizardCaption, NotALayoutText(path));
        return false;
    }
    loaded_ = layout;
    if (!Remember(path) || !company::ReplaceSmallFile(files(), kLayoutCopyFile, *bytes,
                                                      company::SmallFileAccess::Everyone))
        services_.prompts.Warn(kWizardCaption, "Unable to write " + std::string(kLastLayoutFile) +
                                                   " or " + kLayoutCopyFile + ".");
    return true;
}

bool LabelWizardFlow::SaveLayout(const std::string& path, const LabelLayout& layout) {
    if (!company::ReplaceSmallFile(files(), path, LabelLayoutBytes(layout),
                                   company::SmallFileAccess::Everyone)) {
        services_.prompts.Warn(kWizardCaption, "Unable to write the label layout file " + path +
                                                   ". Nothing was changed.");
        return false;
    }
    loaded_ = StoredForm(layout);
    (void)Remember(path);
    return true;
}

bool LabelWizardFlow::LayoutChanged(const LabelLayout& shown) const {
    if (!loaded_) return true;
    const LabelLayout& a = *loaded_;
    const LabelLayout b = StoredForm(shown);
    return a.topMargin != b.topMargin || a.leftMargin != b.leftMargin ||
           a.columnsAcross != b.columnsAcross || a.rowsDown != b.rowsDown ||
           a.labelWidth != b.labelWidth || a.labelHeight != b.labelHeight || a.bitmap != b.bitmap ||
           a.lineWidth != b.lineWidth || a.sendToCaption != b.sendToCaption ||
           a.returnAddress != b.returnAddress;
}

std::string LabelWizardFlow::SelectedText() const {
    return std::to_string(services_.state.printQueue.size()) + " records are selected.";
}

std::string LabelWizardFlow::AddedText(size_t count) {
    return std::to_string(count) + " records were added.";
}

std::optional<std::string> LabelWizardFlow::Delete(std::optional<size_t> row) {
    if (!row || !services_.state.printQueue.Remove(*row)) {
        services_.prompts.Inform(
            "Delete Record",
            "You have not selected a record for deletion. To select a record, click on column 1 "
            "(Customer Number) of that record to hilite it and then select the delete option.");
        return std::nullopt;
    }
    return SelectedText();
}

std::optional<std::string> LabelWizardFlow::ClearAll() {
    if (services_.state.printQueue.empty()) return std::nullopt;
    if (!services_.prompts.AskYesNo("Please Confirm",
                                    "This will clear all records in the print queue. Continue?"))
        return std::nullopt;
    services_.state.printQueue.Clear();
    return "All records were removed from the queue.";
}

std::optional<std::string> LabelWizardFlow::SaveQueue(const std::string& path) {
    company::PrintQueue& queue = services_.state.printQueue;
    if (queue.empty()) {
        services_.prompts.Inform("Save Records", "You do not have any customer records to save.");
        return std::nullopt;
    }
    if (!company::ReplaceSmallFile(files(), path, company::QueueListText(queue.items()),
                                   company::SmallFileAccess::Everyone)) {
        services_.prompts.Warn("Save Records", "Unable to write the list file " + path + ".");
        return std::nullopt;
    }
    queue.MarkSettled();
    return "Records saved to file: " + path + ".";
}

std::optional<std::string> LabelWizardFlow::LoadQueue(const std::string& path) {
    const std::optional<std::string> text = company::ReadSmallFile(files(), path);
    if (!text) {
        services_.prompts.Warn("Load From File", "Unable to read the list file " + path + ".");
        return std::nullopt;
    }
    for (company::QueuedCustomer& item : company::ReadQueueList(*text))
        services_.state.printQueue.Add(std::move(item));
    return SelectedText();
}

std::optional<std::string> LabelWizardFlow::LoadAll() {
    QueueLoad load = LoadAllCustomers(services_.engine, services_.prompts,
                                      services_.state.currentCompany.code());
    if (load.failure) {
        services_.prompts.Warn(kWizardCaption, *load.failure);
        return std::nullopt;
    }
    for (company::QueuedCustomer& item : load.items)
        services_.state.printQueue.Add(std::move(item));
    return AddedText(load.items.size());
}

std::optional<std::string> LabelWizardFlow::LoadOwing(int category) {
    const records::CompanyRecord& company = services_.state.currentCompany;
    if (const std::optional<std::string> problem = AgingDaysProblem(company, category)) {
        services_.prompts.Warn(kWizardCaption, *problem);
        return std::nullopt;
    }
    QueueLoad load =
        correspondence::LoadOwing(services_.engine, services_.prompts, company.code(), category);
    if (load.failure) {
        services_.prompts.Warn(kWizardCaption, *load.failure);
        return std::nullopt;
    }
    if (load.items.empty()) {
        services_.prompts.Inform(AgingTitle(company, category), "No records were found.");
        return std::nullopt;
    }
    for (company::QueuedCustomer& item : load.items)
        services_.state.printQueue.Add(std::move(item));
    return AddedText(load.items.size());
}

std::optional<std::string> LabelWizardFlow::PrintLabels(base::Canvas& canvas,
                                                        const LabelLayout& shown,
                                                        std::string_view start,
                                                        std::string_view copies) {
    company::PrintQueue& queue = services_.state.printQueue;
    if (queue.empty()) {
        services_.prompts.Inform(kPrintCaption,
                                 "You do not have any customer records listed in the print queue.");
        return std::nullopt;
    }
    const std::variant<LabelPlan, std::string> plan = PlanLabels(shown, start, copies);
    if (const auto* refusal = std::get_if<std::string>(&plan)) {
        services_.prompts.Warn(kPrintCaption, *refusal);
        return std::nullopt;
    }
    if (LayoutChanged(shown) &&
        services_.prompts.AskYesNo(kPrintCaption,
                                   "Your layout settings have changed. Do you want to save the "
                                   "changes before printing?")) {
        if (const auto path =
                services_.prompts.SaveFileName("Save Label Layout As", "", kLayoutFilter))
            (void)SaveLayout(*path, shown);
    }
    const records::CompanyRecord& company = services_.state.currentCompany;
    const QueuedRecords read =
        ReadQueuedCustomers(services_.engine, services_.prompts, company.code(), queue.items());
    if (read.failure) {
        services_.prompts.Warn(kPrintCaption, *read.failure);
        return std::nullopt;
    }
    const LabelPlan& labels = std::get<LabelPlan>(plan);
    std::vector<LabelAddress> addresses;
    std::string missing;
    for (size_t i = 0; i < read.customers.size(); ++i) {
        if (read.customers[i])
            addresses.push_back(AddressOf(*read.customers[i], labels.shippingAddress));
        else
            missing += "\n" + MissingCustomerText(queue.items()[i].number);
    }
    const int printed =
        correspondence::PrintLabels(canvas, labels, ReturnAddressOf(company), addresses);
    if (printed < 0) {
        services_.prompts.Warn(kPrintCaption, "The printer could not start the labels.");
        return std::nullopt;
    }
    if (!missing.empty())
        services_.prompts.Warn(kPrintCaption, "These queued customers got no label:" + missing);
    queue.MarkSettled();
    return LabelsSentText(printed);
}

}  // namespace correspondence
