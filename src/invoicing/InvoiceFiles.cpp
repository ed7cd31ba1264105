#include "invoicing/InvoiceFiles.h"

#include "base/Text.h"
#include "base/Windows1252.h"
#include "records/RecordTypes.h"

namespace invoicing {
namespace {

constexpr int kNumberKey = 1;
constexpr int kLineNumberKey = 2;
constexpr int kMemoNumberKey = 1;

engine::FileDescription FileOf(records::RecordKind kind, std::string_view companyCode) {
    return records::RecordTypeOf(kind).Describe(companyCode);
}

std::string Folded(std::string_view text) {
    return base::Win1252Upper(base::Trim(text));
}

// The entries of `file` in key order `keyNumber` from `key` on while `same` holds for them.
template <typename R, typename Same>
std::optional<Entries<R>> Run(engine::RecordFile<R>& file, int keyNumber, const std::string& key,
                              Same same) {
    Entries<R> found;
    engine::KeyEntry<R> entry;
    engine::ErrorClass outcome = file.Search(keyNumber, key, entry);
    for (; outcome == engine::ErrorClass::None && same(entry.record);
         outcome = file.Next(keyNumber, entry))
        found.push_back(entry);
    if (outcome != engine::ErrorClass::None && outcome != engine::ErrorClass::Expected)
        return std::nullopt;
    return found;
}

}  // namespace

InvoiceFiles::InvoiceFiles(engine::Engine& engine, base::PromptService& prompts,
                           std::string_view companyCode)
    : engine_(engine),
      prompts_(prompts),
      companyCode_(base::Trim(companyCode)),
      invoices_(engine, FileOf(records::RecordKind::Invoice, companyCode_), prompts),
      lines_(engine, FileOf(records::RecordKind::InvoiceLine, companyCode_), prompts),
      memos_(engine, FileOf(records::RecordKind::InvoiceMemo, companyCode_), prompts) {}

bool InvoiceFiles::Open() {
    if (invoices_.Open() && lines_.Open() && memos_.Open()) return true;
    openError_ = engine_.error();
    (void)Close();
    return false;
}

bool InvoiceFiles::Close() {
    const bool invoicesClosed = invoices_.Close();
    const bool linesClosed = lines_.Close();
    return memos_.Close() && linesClosed && invoicesClosed;
}

std::string InvoiceFiles::OpenFailureText() const {
    return "Unable to open databases: " + std::to_string(openError_);
}

std::optional<StoredInvoice> InvoiceFiles::FindInvoice(std::string_view number) {
    records::InvoiceRecord wanted;
    wanted.setInvoiceNumber(number);
    StoredInvoice entry;
    if (invoices_.Search(kNumberKey, wanted.key(kNumberKey), entry) != engine::ErrorClass::None ||
        Folded(entry.record.invoiceNumber()) != Folded(number))
        return std::nullopt;
    return entry;
}

std::optional<Entries<records::InvoiceRecord>> InvoiceFiles::RecordsOf(std::string_view number) {
    records::InvoiceRecord wanted;
    wanted.setInvoiceNumber(number);
    return Run(invoices_, kNumberKey, wanted.key(kNumberKey),
               [wanted = Folded(number)](const records::InvoiceRecord& record) {
                   return Folded(record.invoiceNumber()) == wanted;
               });
}

std::optional<Entries<records::InvoiceLineRecord>> InvoiceFiles::LinesOf(std::string_view number) {
    records::InvoiceLineRecord wanted;
    wanted.setInvoiceNumber(number);
    return Run(lines_, kLineNumberKey, wanted.key(kLineNumberKey),
               [wanted = Folded(number)](const records::InvoiceLineRecord& line) {
                   return Folded(line.invoiceNumber()) == wanted;
               });
}

std::optional<Entries<records::InvoiceMemoRecord>> InvoiceFiles::MemoOf(std::string_view number) {
    records::InvoiceMemoRecord wanted;
    wanted.setInvoiceNumber(number);
    auto found = Run(memos_, kMemoNumberKey, wanted.key(kMemoNumberKey),
                     [wanted = Folded(number)](const records::InvoiceMemoRecord& memo) {
                         return Folded(memo.invoiceNumber()) == wanted;
                     });
    if (found && found->size() > 1) found->resize(1);
    return found;
}

}  // namespace invoicing
