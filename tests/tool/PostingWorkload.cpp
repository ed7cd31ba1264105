#include "tool/PostingWorkload.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using json = nlohmann::json;

constexpr int kCustomers = 6;

std::string Customer(int n) {
    return "C" + std::to_string(n);
}

// The value of `  field: "text"` lines of `dump NAME --fields`.
std::string FieldValue(const std::string& line) {
    const size_t open = line.find('"');
    const size_t close = line.rfind('"');
    if (open == std::string::npos || close <= open) return {};
    std::string value = line.substr(open + 1, close - open - 1);
    while (!value.empty() && value.back() == ' ') value.pop_back();
    return value;
}

// Per record of `dump NAME --fields`, the values of the fields named.
std::vector<std::map<std::string, std::string>> DumpedRecords(const std::filesystem::path& dir,
                                                              const std::string& name) {
    std::vector<std::map<std::string, std::string>> records;
    std::istringstream lines(RunTool({"dump", name, "--fields"}, dir).out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("record ", 0) == 0) {
            records.emplace_back();
        } else if (!records.empty() && line.rfind("  ", 0) == 0) {
            const size_t colon = line.find(':');
            records.back()[line.substr(2, colon - 2)] = FieldValue(line);
        }
    }
    return records;
}

}  // namespace

void PreparePostingFolder(const std::filesystem::path& dir) {
    ASSERT_EQ(RunTool({"init", dir.string()}, dir.parent_path()).exitCode, 0);
    std::string lines =
        R"({"op": "set-company", "name": "Desk Test Supply", "next_invoice": "1001"})"
        "\n";
    for (int n = 1; n <= kCustomers; ++n)
        lines += json{{"op", "add-customer"},
                      {"number", Customer(n)},
                      {"name", "Customer " + Customer(n)}}
                     .dump() +
                 "\n";
    const ToolResult run = RunTool({"post", dir.string(), "--today", "2026-12-06"}, dir, lines);
    ASSERT_EQ(run.exitCode, 0) << run.out;
}

std::map<std::string, InvoiceOnFile> InvoicesOnFile(const std::filesystem::path& dir) {
    std::map<std::string, InvoiceOnFile> onFile;
    for (const auto& record : DumpedRecords(dir, "1I")) {
        const std::string type = record.at("typeCode");
        if (type == "I" || type == "Z") ++onFile[record.at("invoiceNumber")].headers;
    }
    for (const auto& record : DumpedRecords(dir, "1D")) ++onFile[record.at("invoiceNumber")].lines;
    return onFile;
}

std::string FolderProblems(const std::filesystem::path& dir) {
    std::string problems;
    const ToolResult ledger = RunTool({"ledger", dir.string()}, dir);
    if (ledger.exitCode != 0 ||
        ledger.out.find("The customer balances agree with the invoice file.") == std::string::npos)
        problems += "ledger: " + ledger.out + ledger.err;
    // Files a posting never reached (a kill before the first invoice) do not exist yet.
    std::vector<std::string> check{"check"};
    for (const char* name : {"Company", "1C", "1I", "1D", "1M"})
        if (std::filesystem::exists(dir / (std::string(name) + ".DAT"))) check.push_back(name);
    const ToolResult checked = RunTool(check, dir);
    if (checked.exitCode != 0) problems += "check: " + checked.out + checked.err;
    if (std::filesystem::exists(dir / "Posting.JNL")) problems += "the journal is left\n";
    return problems;
}

PostingWorkload::PostingWorkload(uint32_t seed, std::optional<std::string> ownNumbers)
    : random_(seed), prefix_(std::move(ownNumbers)) {}

std::string PostingWorkload::Lines(int count) {
    json lines = json::array();
    for (int i = 0; i < count; ++i)
        lines.push_back({{"quantity", std::to_string(1 + random_() % 5)},
                         {"description", "Item " + std::to_string(random_() % 100)},
                         {"price", std::to_string(1 + random_() % 300) + "." +
                                       std::to_string(10 + random_() % 90)}});
    return lines.dump();
}

std::optional<std::string> PostingWorkload::OpenInvoice() {
    std::vector<std::string> open;
    for (const auto& [number, expected] : invoices_)
        if (!expected.paid) open.push_back(number);
    if (open.empty()) return std::nullopt;
    return open[random_() % open.size()];
}

std::string PostingWorkload::AddInvoice() {
    line_ = {{"op", "add-invoice"},
             {"customer", Customer(1 + static_cast<int>(random_() % kCustomers))},
             {"date", "12/0" + std::to_string(1 + random_() % 6) + "/2026"},
             {"lines", json::parse(Lines(1 + static_cast<int>(random_() % 3)))}};
    if (prefix_) {
        const std::string number = *prefix_ + std::to_string(++counter_);
        line_["number"] = number;
        inFlight_ = {number};
    }
    return line_.dump();
}

std::optional<std::string> PostingWorkload::EditInvoice() {
    const auto number = OpenInvoice();
    if (!number) return std::nullopt;
    line_ = {{"op", "edit-invoice"},
             {"number", *number},
             {"lines", json::parse(Lines(1 + static_cast<int>(random_() % 4)))}};
    inFlight_ = {*number};
    return line_.dump();
}

std::optional<std::string> PostingWorkload::DeleteInvoice() {
    const auto number = OpenInvoice();
    if (!number) return std::nullopt;
    line_ = {{"op", "delete-invoice"}, {"number", *number}, {"answers", {"yes"}}};
    inFlight_ = {*number};
    return line_.dump();
}

std::optional<std::string> PostingWorkload::PayInvoice() {
    const auto number = OpenInvoice();
    if (!number) return std::nullopt;
    const Expected& invoice = invoices_.at(*number);
    line_ = {{"op", "payment"},
             {"customer", invoice.customer},
             {"date", "12/06/2026"},
             {"amount", invoice.balanceDue},
             {"items", {{{"invoice", *number}}}}};
    inFlight_ = {*number};
    return line_.dump();
}

std::string PostingWorkload::Next() {
    // A line killed before its reply may or may not have happened: its invoice is left alone from
    // here on, and only checked to be whole.
    for (const std::string& number : inFlight_) invoices_.erase(number);
    inFlight_.clear();
    const uint32_t choice = random_() % 100;
    std::optional<std::string> line;
    if (choice >= 50 && choice < 70) line = EditInvoice();
    if (choice >= 70 && choice < 82) line = DeleteInvoice();
    if (choice >= 82) line = PayInvoice();
    return line ? *line : AddInvoice();
}

void PostingWorkload::Acknowledge(const json& reply) {
    ++acknowledged_;
    const std::string op = line_.at("op");
    EXPECT_TRUE(reply.at("ok").get<bool>()) << line_.dump() << " -> " << reply.dump();
    if (!reply.at("ok").get<bool>()) return;
    if (op == "add-invoice" || op == "edit-invoice") {
        const std::string number = reply.at("number");
        Expected& invoice = invoices_[number];
        invoice.lines = static_cast<int>(line_.at("lines").size());
        invoice.balanceDue = reply.at("balance_due");
        if (op == "add-invoice") invoice.customer = line_.at("customer");
    } else if (op == "delete-invoice") {
        invoices_.erase(line_.at("number").get<std::string>());
        deleted_.insert(line_.at("number").get<std::string>());
    } else {
        invoices_.at(line_.at("items")[0].at("invoice").get<std::string>()).paid = true;
    }
    inFlight_.clear();
}

std::string PostingWorkload::Problems(const std::map<std::string, InvoiceOnFile>& onFile) const {
    std::string problems;
    const auto found = [&onFile](const std::string& number) {
        const auto it = onFile.find(number);
        return it == onFile.end() ? InvoiceOnFile{} : it->second;
    };
    for (const auto& [number, expected] : invoices_) {
        const InvoiceOnFile file = found(number);
        const bool asAcknowledged = file.headers == 1 && file.lines == expected.lines;
        // The line in flight may have happened whole: an edit leaves its own lines, a delete
        // nothing at all.
        const bool inFlight = inFlight_.contains(number);
        const bool edited = inFlight && file.headers == 1;
        const bool deleted =
            inFlight && line_.at("op") == "delete-invoice" && file.headers == 0 && file.lines == 0;
        if (!asAcknowledged && !edited && !deleted)
            problems += "invoice " + number + ": " + std::to_string(file.headers) + " record(s), " +
                        std::to_string(file.lines) + " line(s), expected " +
                        std::to_string(expected.lines) + "\n";
    }
    for (const std::string& number : deleted_) {
        const InvoiceOnFile file = found(number);
        if (file.headers != 0 || file.lines != 0)
            problems += "deleted invoice " + number + " is still on file\n";
    }
    for (const auto& [number, file] : onFile) {
        if (invoices_.contains(number) || deleted_.contains(number)) continue;
        // Only an add in flight may have left an invoice the model does not know, and only whole.
        if (file.headers > 1 || (file.headers == 1) != (file.lines > 0))
            problems += "unacknowledged invoice " + number +
                        " is half there: " + std::to_string(file.headers) + " record(s), " +
                        std::to_string(file.lines) + " line(s)\n";
    }
    return problems;
}

}  // namespace tooltest
