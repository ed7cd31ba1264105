#include "statements/StatementMailText.h"

#include <algorithm>

#include "base/Text.h"
#include "mail/MailAddress.h"

namespace statements {
namespace {

constexpr char kTableRule[] =
    "---------- --------- -------------------- ------------ ----------- ----------- -";
// The customer's note is wrapped to the width of the separator line.
constexpr size_t kNoteWidth = 82;
constexpr int kFooterLines = 4;

// Right-aligned in `width` blanks; a wider value keeps every character.
std::string Right(std::string_view text, int width) {
    const std::string trimmed = base::Trim(text);
    const int fill = width - static_cast<int>(trimmed.size());
    return fill > 0 ? std::string(fill, ' ') + trimmed : trimmed;
}

std::string TableLine(const StatementCells& cells) {
    return base::PadRight(cells[0], 10) + " " + base::PadRight(cells[1], 9) + " " +
           base::PadRight(cells[2], 20) + " " + Right(cells[3], 12) + " " + Right(cells[4], 11) +
           " " + Right(cells[5], 11) + " " + base::PadRight(cells[6], 1);
}

bool Filled(const std::string& line) {
    return !base::Trim(line).empty();
}

class MailBody {
public:
    MailBody(const Statement& s, const records::CompanyRecord& c, const std::string& today)
        : s_(s), c_(c), today_(today), separator_(c.emailLines() ? std::string(82, '-') : " ") {}

    std::vector<std::string> Lines() {
        Add(c_.name() + base::PadLeft(c_.statementCaption(), 35));
        for (const std::string& line :
             {c_.address1(), c_.address2(), c_.address3(), c_.address4(), c_.address5()})
            if (Filled(line)) Add(line);
        Add(separator_);
        const StatementCustomer& customer = s_.customer;
        if (Filled(customer.name)) Add(customer.name);
        for (const std::string& line : customer.address)
            if (Filled(line)) Add(line);
        Add(separator_);
        Add("Statement Date: " + today_);
        Add("Account Number: " + customer.number);
        Add(c_.statementNote());
        Add(separator_);
        Add(TableLine(StatementHeadings()));
        Add(kTableRule);
        for (const StatementRow& row : s_.rows) Add(TableLine(CellsOf(row)));
        Add(TableLine(TotalsCells(s_)));
        Add(separator_);
        Footer();
        AccountStatus();
        return std::move(lines_);
    }

private:
    void Add(std::string line) { lines_.push_back(std::move(line)); }

    // The sales message, or in its place the customer's note when the customer wants it on
    // statements.
    void Footer() {
        if (!c_.salesMessageOnForms()) return;
        std::vector<std::string> lines = {c_.salesMessage1(), c_.salesMessage2(),
                                          c_.salesMessage3(), c_.salesMessage4()};
        if (s_.customer.noteOnStatements) {
            lines = WrappedText(s_.customer.note, kNoteWidth);
            lines.resize(kFooterLines);
        }
        for (const std::string& line : lines)
            if (Filled(line)) Add(line);
    }

    void AccountStatus() {
        if (!c_.customerAgingOnForms()) return;
        const auto& aging = s_.customer.aging;
        Add("");
        Add("Account Status:");
        Add("Current: " + ShownAmount(aging[0]));
        Add("  31-60: " + ShownAmount(aging[1]));
        Add("  61-90: " + ShownAmount(aging[2]));
        Add("Over 90: " + ShownAmount(aging[3]));
    }

    const Statement& s_;
    const records::CompanyRecord& c_;
    const std::string& today_;
    const std::string separator_;
    std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> StatementMailLines(const Statement& statement,
                                            const records::CompanyRecord& company,
                                            const std::string& today) {
    return MailBody(statement, company, today).Lines();
}

std::string StatementMailSubject(const Statement& statement,
                                 const records::CompanyRecord& company) {
    std::string subject =
        base::Trim(company.statementCaption()) + " - " + base::Trim(statement.customer.name);
    std::ranges::replace_if(
        subject, [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; }, ' ');
    return subject;
}

mail::MailMessage StatementMessage(const Statement& statement,
                                             const records::CompanyRecord& company,
                                             const std::string& today) {
    mail::MailMessage message;
    message.senderName = base::Trim(company.name());
    message.sender = base::Trim(company.email());
    message.subject = StatementMailSubject(statement, company);
    message.body = StatementMailLines(statement, company, today);
    if (mail::IsValidMailAddress(statement.customer.email)) {
        message.recipient = statement.customer.email;
    } else {
        message.subject = kBadAddressSubject;
        message.recipient = message.sender;
    }
    return message;
}

std::vector<std::string> WrappedText(const std::string& text, size_t width) {
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) continue;
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            lines.push_back(std::move(line));
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

}  // namespace statements
