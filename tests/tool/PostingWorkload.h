#pragma once
// Random postings for the kill and desks tests: invoices added, changed and deleted, and
// payments, as `post` lines, with a model of what each acknowledged reply left on file; and the
// checks of a data folder against that model.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

namespace tooltest {

// A data folder with company 1 and customers C1..C6, ready for the workload.
void PreparePostingFolder(const std::filesystem::path& dir);

// What the files say of each invoice number: its invoice records ("I" or "Z") and detail lines.
struct InvoiceOnFile {
    int headers = 0;
    int lines = 0;
};
std::map<std::string, InvoiceOnFile> InvoicesOnFile(const std::filesystem::path& dir);

// The ledger finds the balances in agreement with the invoice file, every file's structure is
// sound and no journal is left. Empty when so, else what is wrong.
std::string FolderProblems(const std::filesystem::path& dir);

class PostingWorkload {
public:
    // `ownNumbers`: the workload names its invoices (prefix + counter); otherwise it takes the
    // company's proposed numbers, as several desks do.
    PostingWorkload(uint32_t seed, std::optional<std::string> ownNumbers);

    // The next line to post; remembered as in flight until Acknowledge. An invoice whose line was
    // never acknowledged is no longer posted to.
    std::string Next();
    // The reply to the line in flight.
    void Acknowledge(const nlohmann::json& reply);

    struct Expected {
        int lines = 0;
        std::string balanceDue;
        std::string customer;
        bool paid = false;
    };
    const std::map<std::string, Expected>& invoices() const { return invoices_; }
    // The numbers the line in flight may have changed (its add, edit, delete or payment).
    const std::set<std::string>& inFlight() const { return inFlight_; }
    int acknowledged() const { return acknowledged_; }
    // Every acknowledged invoice is on file once with its lines, every deleted one is gone; an
    // invoice the line in flight touched may be as before or as after. Empty when so.
    std::string Problems(const std::map<std::string, InvoiceOnFile>& onFile) const;

private:
    std::string AddInvoice();
    std::optional<std::string> EditInvoice();
    std::optional<std::string> DeleteInvoice();
    std::optional<std::string> PayInvoice();
    std::optional<std::string> OpenInvoice();
    std::string Lines(int count);

    std::mt19937 random_;
    std::optional<std::string> prefix_;
    int counter_ = 0;
    std::map<std::string, Expected> invoices_;
    std::set<std::string> deleted_;
    std::set<std::string> inFlight_;
    nlohmann::json line_;
    int acknowledged_ = 0;
};

}  // namespace tooltest
