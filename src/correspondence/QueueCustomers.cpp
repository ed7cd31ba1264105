#include "correspondence/QueueCustomers.h"

#include <functional>

#include "base/Text.h"
#include "engine/Errors.h"
#include "engine/RecordFile.h"
#include "receivables/PostingWrites.h"

namespace correspondence {
namespace {

using receivables::CustomerFile;
using receivables::CustomersOf;
constexpr int kNameKey = 1;

std::string FileFailure(engine::Engine& engine, const CustomerFile& file) {
    return file.description().name + ": " + engine::ErrorText(engine.errorClass(), engine.error());
}

company::QueuedCustomer Queued(const records::CustomerRecord& customer) {
    return {customer.number(), customer.name(), customer.mailListCode(), customer.customerType()};
}

// Walks the customers in name order, queuing those `wanted` accepts. A company without a customer
// file has nobody to queue.
QueueLoad Load(engine::Engine& engine, base::PromptService& prompts, std::string_view companyCode,
               const std::function<bool(const records::CustomerRecord&)>& wanted) {
    CustomerFile file = CustomersOf(engine, prompts, companyCode);
    QueueLoad load;
    if (!file.OpenReadOnly()) {
        if (engine.error() != engine::err::kFileNotFound) load.failure = FileFailure(engine, file);
        return load;
    }
    const engine::ErrorClass outcome = file.ForEach(kNameKey, [&](const auto& entry) {
        if (wanted(entry.record)) load.items.push_back(Queued(entry.record));
    });
    if (outcome != engine::ErrorClass::None) load.failure = FileFailure(engine, file);
    (void)file.Close();  // read only: nothing to write back
    return load;
}

base::Decimal Owed(const records::CustomerRecord& customer, int category) {
    switch (category) {
        case 1:
            return customer.aging1Amount();
        case 2:
            return customer.aging2Amount();
        case 3:
            return customer.aging3Amount();
        default:
            return customer.aging4Amount();
    }
}

std::string DaySetting(const records::CompanyRecord& company, int category) {
    switch (category) {
        case 1:
            return base::Trim(company.agingDays1());
        case 2:
            return base::Trim(company.agingDays2());
        default:
            return base::Trim(company.agingDays3());
    }
}

std::string CaptionSetting(const records::CompanyRecord& company, int category) {
    switch (category) {
        case 1:
            return base::Trim(company.agingCaption1());
        case 2:
            return base::Trim(company.agingCaption2());
        default:
            return base::Trim(company.agingCaption3());
    }
}

}  // namespace

QueuedRecords ReadQueuedCustomers(engine::Engine& engine, base::PromptService& prompts,
                                  std::string_view companyCode,
                                  const std::vector<company::QueuedCustomer>& items) {
    QueuedRecords read;
    CustomerFile file = CustomersOf(engine, prompts, companyCode);
    if (!file.OpenReadOnly()) {
        if (engine.error() != engine::err::kFileNotFound) {
            read.failure = FileFailure(engine, file);
            return read;
        }
        read.customers.resize(items.size());  // no file, so nobody is on file
        return read;
    }
    read.customers.reserve(items.size());
    for (const company::QueuedCustomer& item : items) {
        auto entry = receivables::FindCustomerIn(file, item.number);
        read.customers.push_back(entry ? std::optional(entry->record) : std::nullopt);
    }
    (void)file.Close();  // read only: nothing to write back
    return read;
}

std::string MissingCustomerText(std::string_view number) {
    return "Customer " + base::Trim(number) + " is no longer on file.";
}

QueueLoad LoadAllCustomers(engine::Engine& engine, base::PromptService& prompts,
                           std::string_view companyCode) {
    return Load(engine, prompts, companyCode, [](const records::CustomerRecord& customer) {
        return !base::Trim(customer.name()).empty();
    });
}

std::optional<std::string> AgingDaysProblem(const records::CompanyRecord& company, int category) {
    if (!DaySetting(company, category).empty()) return std::nullopt;
    return "Category " + std::to_string(category < 3 ? category : 3) +
           " has a bad value in your aging days (Company Setup). Unable to process.";
}

std::string AgingButtonCaption(const records::CompanyRecord& company, int category) {
    if (category == kAgingCategories) return "Over " + DaySetting(company, 3);
    const std::string caption = CaptionSetting(company, category);
    return caption.empty() ? DaySetting(company, category) : caption;
}

std::string AgingTitle(const records::CompanyRecord& company, int category) {
    if (category == kAgingCategories) return "Over " + CaptionSetting(company, 3);
    return CaptionSetting(company, category);
}

QueueLoad LoadOwing(engine::Engine& engine, base::PromptService& prompts,
                    std::string_view companyCode, int category) {
    return Load(engine, prompts, companyCode, [category](const records::CustomerRecord& customer) {
        return Owed(customer, category) > base::Decimal();
    });
}

QueueLoad LoadOwingOver(engine::Engine& engine, base::PromptService& prompts,
                        std::string_view companyCode, int category) {
    return Load(engine, prompts, companyCode, [category](const records::CustomerRecord& customer) {
        for (int later = category + 1; later <= kAgingCategories; ++later)
            if (Owed(customer, later) > base::Decimal()) return true;
        return false;
    });
}

}  // namespace correspondence
