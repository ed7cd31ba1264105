// correspondence_bench: the print queue, labels, form letters and bulk e-mail on a company of
// 100,000 customers. It times loading every customer into the queue, 10,000 labels and 1,000
// merged letters written to one PDF file each, and, given a mail host, 1,000 messages to the
// queue over one connection. The figures go into the "Labels, letters and bulk e-mail" section
// of docs/BENCHMARKS.md.
//
//   correspondence_bench [--dir DIR] [--customers N] [--mail-host HOST:PORT]
//
// The customer file is built once into a folder of DIR (default: the system's temporary folder)
// named after its size, and reused by later runs of that size.

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "correspondence/BulkMail.h"
#include "correspondence/LabelSheet.h"
#include "correspondence/LetterRun.h"
#include "correspondence/QueueCustomers.h"
#include "engine/BlockFile.h"
#include "engine/Engine.h"
#include "records/RecordTypes.h"
#include "widgets/PdfFile.h"

namespace {

constexpr char kCompanyCode[] = "1";

class Quiet : public base::UnattendedPromptService {
public:
    base::PromptAnswer Message(std::string_view caption, std::string_view text, base::PromptIcon,
                               base::PromptButtons) override {
        std::printf("  [%.*s] %.*s\n", static_cast<int>(caption.size()), caption.data(),
                    static_cast<int>(text.size()), text.data());
        return base::PromptAnswer::Ok;
    }
};

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

records::CustomerRecord Customer(int i) {
    char number[16];
    char name[40];
    std::snprintf(number, sizeof number, "C%06d", i);
    std::snprintf(name, sizeof name, "Customer %06d Trading Co.", i);
    records::CustomerRecord customer;
    customer.SetNewCustomerValues();
    customer.setNumber(number);
    customer.setName(name);
    customer.setBilling1(std::to_string(i % 900 + 1) + " Market Street");
    customer.setBilling2("Springfield, IL 62704");
    customer.setEmail("c" + std::to_string(i) + "@example.net");
    customer.setNotes("Pays within 30 days. Prefers e-mail.");
    return customer;
}

// The customer file of `count` customers, made unless the folder holds it from an earlier run
// (each size has a folder of its own); false when it cannot be made.
bool MakeCustomers(engine::Engine& engine, base::PromptService& prompts, int count) {
    const engine::FileDescription file =
        records::RecordTypeOf(records::RecordKind::Customer).Describe(kCompanyCode);
    if (engine.fileSystem().Exists(file.name + ".DAT")) return true;
    engine::BlockFile block(engine, file, prompts);
    if (!block.Create() || !block.Open()) return false;
    for (int i = 0; i < count; ++i) {
        const records::CustomerRecord customer = Customer(i);
        int32_t recordNumber = 0;
        if (!block.Add(customer.bytes(), recordNumber)) return false;
    }
    return block.Close();
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "kt-correspondence-bench";
    int customers = 100'000;
    std::string mailHost;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--dir")) dir = argv[i + 1];
        if (!std::strcmp(argv[i], "--customers")) customers = std::stoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--mail-host")) mailHost = argv[i + 1];
    }
    dir /= "customers-" + std::to_string(customers);
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    engine::Engine engine;
    engine.InitEngine(0, 30);
    Quiet prompts;
    const double made = Seconds([&] {
        if (!MakeCustomers(engine, prompts, customers)) std::fprintf(stderr, "no customer file\n");
    });
    std::printf("customer file of %d customers ready in %.1f s\n", customers, made);

    correspondence::QueueLoad load;
    const double loaded =
        Seconds([&] { load = correspondence::LoadAllCustomers(engine, prompts, kCompanyCode); });
    std::printf("load all customers into the queue: %zu in %.2f s\n", load.items.size(), loaded);

    records::CompanyRecord company;
    company.setNumber(kCompanyCode);
    company.setName("Harbor Light Supply Co.");
    company.setAddress1("1420 Commercial Street");
    company.setAddress2("Portland, ME 04101");
    company.setEmail("office@harborlight.example");
    company.setSmtpServer(mailHost);

    const auto queue = [&](size_t n) {
        return std::vector<company::QueuedCustomer>(
            load.items.begin(), load.items.begin() + std::min(n, load.items.size()));
    };
    if (mailHost.empty()) {
        std::printf("bulk e-mail: no --mail-host given, not timed\n");
    } else {
        company::PrintQueue mailQueue;
        for (const company::QueuedCustomer& item : queue(1'000)) mailQueue.Add(item);
        mail::MailConnection connection(prompts, base::SystemClock());
        correspondence::BulkMailRun run{prompts, engine, connection, company, mailQueue};
        std::optional<correspondence::BulkMailResult> result;
        const double sent = Seconds([&] {
            result = correspondence::SendEmailMessage(
                run, {"Spring sale", company.email(), "Dear customer,\nTen percent off.\n"});
        });
        std::printf("bulk e-mail: %d sent in %.1f s\n", result ? result->sent : 0, sent);
    }
    const std::vector<company::QueuedCustomer> labelQueue = queue(10'000);
    correspondence::LabelLayout layout;
    layout.leftMargin = "173";
    layout.topMargin = "360";
    layout.columnsAcross = "3";
    layout.rowsDown = "10";
    layout.labelWidth = "1650";
    layout.labelHeight = "600";
    layout.font = {"Arial", 10, 0, 0};
    const correspondence::LabelPlan plan =
        std::get<correspondence::LabelPlan>(correspondence::PlanLabels(layout, "1", "1"));
    int printed = 0;
    const double labels = Seconds([&] {
        const auto read =
            correspondence::ReadQueuedCustomers(engine, prompts, kCompanyCode, labelQueue);
        std::vector<correspondence::LabelAddress> addresses;
        for (const auto& customer : read.customers)
            if (customer) addresses.push_back(correspondence::AddressOf(*customer, false));
        widgets::WritePdf((dir / "labels.pdf").string(), [&](base::Canvas& canvas) {
            printed = correspondence::PrintLabels(
                canvas, plan, correspondence::ReturnAddressOf(company), addresses);
            return printed >= 0;
        });
    });
    std::printf("labels to PDF: %d in %.1f s\n", printed, labels);

    const std::vector<company::QueuedCustomer> letterQueue = queue(1'000);
    const base::RichDocument letter = base::RichDocument::FromPlainText(
        "Dear ZRCSTNAME,\n\nYour balance is ZRCSTBAL. Our records show ZRCSTADD1, ZRCSTADD2.\n\n"
        "Thank you for your business. We value you as a customer of ZRCMPNAME and look forward "
        "to serving you again in the coming year.\n\nNotes: ZRCSTNOTES\n\nYours, ZRCMPNAME",
        {"Times New Roman", 12});
    correspondence::LetterRunResult letters;
    const double merged = Seconds([&] {
        const auto read =
            correspondence::ReadQueuedCustomers(engine, prompts, kCompanyCode, letterQueue);
        widgets::WritePdf((dir / "letters.pdf").string(), [&](base::Canvas& canvas) {
            letters =
                correspondence::PrintLetters(canvas, letter, company, letterQueue, read.customers);
            return !letters.stopped;
        });
    });
    std::printf("letters merged to PDF: %d in %.1f s\n", letters.printed, merged);

    engine.ExitEngine();
    return 0;
}
