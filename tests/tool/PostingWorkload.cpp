#include "tool/PostingWorkload.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "tool/ToolProcess.h"

namespace tooltest {
namespace {

using json = nlohmann::json;

constexpr int kCustomers = 6;
constexpr char kToday[] = "12/06/2026";
// Invoice dates: one in three over 30 days old, so the interest runs find overdue amounts.
constexpr const char* kInvoiceDates[] = {"08/14/2026", "09/20/2026", "10/25/2026",
                                         "12/01/2026", "12/02/2026", "12/03/2026",
                                         "12/04/2026", "12/05/2026", "12/06/2026"};

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
        if (type == "I" || type == "Z" || type == "G") ++onFile[record.at("invoiceNumber")].headers;
        if (type == "R") {
            InvoiceOnFile& master = onFile[record.at("invoiceNumber")];
            ++master.masters;
            master.generated = std::atoi(record.at("generatedCount").c_str());
        }
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
    // A master never advances without its invoice, nor an invoice is made without the advance.
    const auto onFile = InvoicesOnFile(dir);
    for (const auto& [number, file] : onFile) {
        if (file.masters != 1) continue;
        for (int count = 1; count <= file.generated + 1; ++count) {
            const auto generated = onFile.find(number + "G" + std::to_string(count));
            const bool made = generated != onFile.end() && generated->second.headers == 1;
            if (made != (count <= file.generated))
                problems += "master " + number + " counts " + std::to_string(file.generated) +
                            " invoices, and " + number + "G" + std::to_string(count) +
                            (made ? " is on file\n" : " is not\n");
        }
    }
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
        if (expected.kind == Kind::Entered && !expected.paid) open.push_back(number);
    if (open.empty()) return std::nullopt;
    return open[random_() % open.size()];
}

std::string PostingWorkload::AddInvoice() {
    line_ = {{"op", "add-invoice"},
             {"customer", Customer(1 + static_cast<int>(random_() % kCustomers))},
             {"date", kInvoiceDates[random_() % std::size(kInvoiceDates)]},
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
             {"date", kToday},
             {"amount", invoice.balanceDue},
             {"items", {{{"invoice", *number}}}}};
    inFlight_ = {*number};
    return line_.dump();
}

std::optional<std::string> PostingWorkload::SetUpRepeat() {
    const auto number = OpenInvoice();
    if (!number) return std::nullopt;
    // Due in November, so the next generation bills it; a daily master stays due for several.
    line_ = {{"op", "repeat-setup"},
             {"number", *number},
             {"every", std::to_string(1 + random_() % 3)},
             {"unit", random_() % 2 ? "D" : "M"},
             {"next_due", "11/" + std::to_string(10 + random_() % 20) + "/2026"}};
    inFlight_ = {*number};
    return line_.dump();
}

// Neither a generation nor an interest run changes an invoice the model knows: a killed one may
// have made some of its invoices, each whole.
std::string PostingWorkload::GenerateRepeats() {
    line_ = {
        {"op", "repeat-generate"}, {"through", kToday}, {"invoice_date", kToday}, {"again", true}};
    return line_.dump();
}

std::string PostingWorkload::ChargeInterest() {
    line_ = {{"op", "interest"},  {"over", "1"},    {"rate", "1.50"},
             {"minimum", "0.10"}, {"date", kToday}, {"again", true}};
    return line_.dump();
}

std::string PostingWorkload::Next() {
    // A line killed before its reply may or may not have happened: its invoice is left alone from
    // here on, and only checked to be whole.
    for (const std::string& number : inFlight_) invoices_.erase(number);
    inFlight_.clear();
    const uint32_t choice = random_() % 100;
    std::optional<std::string> line;
    if (choice >= 40 && choice < 55) line = EditInvoice();
    if (choice >= 55 && choice < 65) line = DeleteInvoice();
    if (choice >= 65 && choice < 80) line = PayInvoice();
    if (choice >= 80 && choice < 90) line = SetUpRepeat();
    if (choice >= 90 && choice < 95) line = GenerateRepeats();
    if (choice >= 95) line = ChargeInterest();
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
    } else if (op == "payment") {
        invoices_.at(line_.at("items")[0].at("invoice").get<std::string>()).paid = true;
    } else if (op == "repeat-setup") {
        invoices_.at(line_.at("number").get<std::string>()).kind = Kind::Master;
    } else if (op == "repeat-generate") {
        // Numbered master + "G" + count, with the master's lines; another desk's master (or one
        // whose setup was cut short) has lines this model does not know.
        for (const json& generated : reply.at("generated")) {
            const std::string number = generated.get<std::string>();
            const auto master = invoices_.find(number.substr(0, number.rfind('G')));
            const bool known = master != invoices_.end() && master->second.kind == Kind::Master;
            invoices_[number] = {known ? master->second.lines : kSomeLines, "", "", false,
                                 Kind::Billed};
        }
    } else {
        for (const json& charged : reply.at("invoices"))
            invoices_[charged.at("number").get<std::string>()] = {
                1, charged.at("charge").get<std::string>(),
                charged.at("customer").get<std::string>(), false, Kind::Billed};
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
        const bool master = expected.kind == Kind::Master;
        const bool linesAsExpected =
            expected.lines == kSomeLines ? file.lines > 0 : file.lines == expected.lines;
        const bool asAcknowledged =
            file.headers == (master ? 0 : 1) && file.masters == (master ? 1 : 0) && linesAsExpected;
        // The line in flight may have happened whole: an edit leaves its own lines, a repeat
        // setup the same lines under a master, a delete nothing at all.
        const bool inFlight = inFlight_.contains(number);
        const bool edited = inFlight && file.headers + file.masters == 1;
        const bool deleted =
            inFlight && line_.at("op") == "delete-invoice" && file.headers == 0 && file.lines == 0;
        if (!asAcknowledged && !edited && !deleted)
            problems += "invoice " + number + ": " + std::to_string(file.headers) + " record(s), " +
                        std::to_string(file.lines) + " line(s), expected " +
                        std::to_string(expected.lines) + "\n";
    }
    for (const std::string& number : deleted_) {
        const InvoiceOnFile file = found(number);
        if (file.headers != 0 || file.masters != 0 || file.lines != 0)
            problems += "deleted invoice " + number + " is still on file\n";
    }
    for (const auto& [number, file] : onFile) {
        if (invoices_.contains(number) || deleted_.contains(number)) continue;
        // Only a line in flight (or billing from a master whose setup was in flight) may have left
        // an invoice the model does not know, and only whole.
        const int records = file.headers + file.masters;
        if (records > 1 || (records == 1) != (file.lines > 0))
            problems += "unacknowledged invoice " + number +
                        " is half there: " + std::to_string(records) + " record(s), " +
                        std::to_string(file.lines) + " line(s)\n";
    }
    return problems;
}

}  // namespace tooltest
