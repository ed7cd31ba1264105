// list customers: the customer list report by name, or its customers as CSV.

#include "base/Windows1252.h"
#include "company/PrintQueue.h"
#include "correspondence/QueueCustomers.h"
#include "customers/CustomerTexts.h"
#include "engine/Errors.h"
#include "engine/RecordFile.h"
#include "records/RecordTypes.h"
#include "tool/ConsolePrompts.h"
#include "tool/ListCommand.h"

namespace tool {

namespace {

// A queue list file (Windows-1252, as the Label Wizard saves it) of the customers the run names.
ListOutput QueueList(ListRun& run, base::PromptService& prompts) {
    const std::string code = run.company.code();
    correspondence::QueueLoad load;
    if (run.aging > 0) {
        if (auto problem = correspondence::AgingDaysProblem(run.company, run.aging))
            return {false, *problem};
        load = correspondence::LoadOwing(run.engine, prompts, code, run.aging);
    } else if (run.over > 0) {
        load = correspondence::LoadOwingOver(run.engine, prompts, code, run.over);
    } else {
        load = correspondence::LoadAllCustomers(run.engine, prompts, code);
    }
    if (load.failure) return {false, "the customer list stopped short: " + *load.failure};
    return {true, company::QueueListText(load.items)};
}

}  // namespace

ListOutput ListCustomers(ListRun& run) {
    ConsolePrompts prompts;
    if (run.queue) return QueueList(run, prompts);
    engine::RecordFile<records::CustomerRecord> file(
        run.engine,
        records::RecordTypeOf(records::RecordKind::Customer).Describe(run.company.code()), prompts);
    std::vector<records::CustomerRecord> customers;
    // A company without a customer file yet has no customers to list.
    if (file.OpenReadOnly()) {
        const engine::ErrorClass outcome =
            file.ForEach(1, [&](const auto& entry) { customers.push_back(entry.record); });
        const int32_t error = run.engine.error();
        (void)file.Close();  // read only: nothing to write back
        if (outcome != engine::ErrorClass::None)
            return {false, "the customer list stopped short: " + engine::ErrorText(outcome, error)};
    } else if (run.engine.error() != engine::err::kFileNotFound) {
        return {false, file.description().name + ": " +
                           engine::ErrorText(run.engine.errorClass(), run.engine.error())};
    }
    const std::string text = run.csv ? customers::CustomerListCsv(customers, run.addresses)
                                     : customers::CustomerListReport(run.company.name(), customers,
                                                                     run.addresses, run.now);
    return {true, base::Win1252ToUtf8(text)};
}

}  // namespace tool
