#pragma once
// Random postings for the kill and desks tests: invoices added, changed and deleted, payments,
// invoices made repeat masters, invoices generated from the masters due and interest charged on
// overdue amounts, as `post` lines, with a model of what each acknowledged reply left on file;
// and the checks of a data folder against that model.

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

// What the files say of each invoice number: its invoice records ("I", "Z" or generated "G"),
// its repeat master records ("R") with the count of invoices generated from it, and its detail
// lines.
struct InvoiceOnFile {
    int headers = 0;
    int masters = 0;
    int generated = 0;
    int lines = 0;
};
std::map<std::string, InvoiceOnFile> InvoicesOnFile(const std::filesystem::path& dir);

// The ledger finds the balances in agreement with the invoice file, every file's structure is
// sound, no journal is left and every master's count names exactly the invoices generated from
// it. Empty when so, else what is wrong.
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

    // Entered: added by the workload, which changes, deletes, pays or makes it a master later;
    // a master; billed: generated from a master or charged as interest, and left as made.
    enum class Kind { Entered, Master, Billed };
    // The lines of an invoice generated from a master this model does not know: one or more.
    static constexpr int kSomeLines = -1;
    struct Expected {
        int lines = 0;
        std::string balanceDue;
        std::string customer;
        bool paid = false;
        Kind kind = Kind::Entered;
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
    std::optional<std::string> SetUpRepeat();
    std::string GenerateRepeats();
    std::string ChargeInterest();
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
