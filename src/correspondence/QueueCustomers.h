#pragma once
// The print queue against the company's customer file: the customers behind the queued numbers,
// and the customers the Label Wizard loads all at once or by what they owe. The customer file is
// opened for reading only and closed again.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/PromptService.h"
#include "company/PrintQueue.h"
#include "engine/Engine.h"
#include "records/CompanyRecord.h"
#include "records/CustomerRecord.h"

namespace correspondence {

// The customer of each queued item in order; nothing for a number no customer holds any more
// (deleted since it was queued), which never stands for the next customer in the file.
struct QueuedRecords {
    std::vector<std::optional<records::CustomerRecord>> customers;
    std::optional<std::string> failure;  // the file could not be read
};
QueuedRecords ReadQueuedCustomers(engine::Engine& engine, base::PromptService& prompts,
                                  std::string_view companyCode,
                                  const std::vector<company::QueuedCustomer>& items);

// The report of a queued customer who is no longer on file.
std::string MissingCustomerText(std::string_view number);

// Customers added by a load, in name order.
struct QueueLoad {
    std::vector<company::QueuedCustomer> items;
    std::optional<std::string> failure;
};

// Every customer whose name is not empty.
QueueLoad LoadAllCustomers(engine::Engine& engine, base::PromptService& prompts,
                           std::string_view companyCode);

// The aging categories, 1 to 4: 0-30, 31-60, 61-90 and over 90 days (as the company sets them).
inline constexpr int kAgingCategories = 4;

// The message when the company's day setting behind `category` is empty, else nothing.
std::optional<std::string> AgingDaysProblem(const records::CompanyRecord& company, int category);
// The caption of the category's load button: the company's caption, or its day count when the
// caption is empty; "Over " and the third day count for the last one.
std::string AgingButtonCaption(const records::CompanyRecord& company, int category);
// The title of "No records were found." for the category.
std::string AgingTitle(const records::CompanyRecord& company, int category);

// Every customer whose stored aging amount in `category` is above zero.
QueueLoad LoadOwing(engine::Engine& engine, base::PromptService& prompts,
                    std::string_view companyCode, int category);

// Every customer owing in any aging category after `category` (1 to 3): over 30, 60 or 90 days
// with the usual day settings.
QueueLoad LoadOwingOver(engine::Engine& engine, base::PromptService& prompts,
                        std::string_view companyCode, int category);

}  // namespace correspondence
