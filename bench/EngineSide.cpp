#include "EngineSide.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "BenchData.h"
#include "engine/CompactRebuild.h"
#include "engine/Engine.h"
#include "engine/Errors.h"

namespace bench {
namespace {

using engine::FileBlockHandle;

class EngineSide : public Side {
public:
    EngineSide(const BenchData& data, int buffers) : data_(data) {
        engine_.InitEngine(0, buffers);
        Require("InitEngine");
        for (const FileLayout* layout : {&kCustomers, &kInvoices, &kLines}) {
            const auto keys = Descriptors(*layout);
            engine_.CreateFileBlock(layout->name, layout->recordLength,
                                    static_cast<int>(keys.size()), keys.data());
            Require("CreateFileBlock");
        }
        Open(kCustomers, customers_);
        Open(kInvoices, invoices_);
        Open(kLines, lines_);
    }

    ~EngineSide() override { engine_.ExitEngine(); }

    Outcome AddCustomers() override {
        return AddAll(customers_, kCustomers, data_.sizes().customers,
                      [this](int64_t n) { return data_.Customer(n); });
    }
    Outcome AddInvoices() override {
        return AddAll(invoices_, kInvoices, data_.sizes().invoices,
                      [this](int64_t n) { return data_.Invoice(n); });
    }
    Outcome AddLines() override {
        return AddAll(lines_, kLines, data_.sizes().lines,
                      [this](int64_t n) { return data_.BulkLine(n); });
    }

    Outcome FindCustomers() override {
        Outcome outcome;
        std::string record(static_cast<size_t>(kCustomers.recordLength), '\0');
        for (int64_t i = 0; i < data_.sizes().customerLookups; ++i) {
            const std::string wanted =
                BenchData::CustomerNumber(RandomCustomer(i, data_.sizes().customers));
            Found(customers_, 2, wanted, record, outcome);
        }
        return outcome;
    }

    Outcome FindInvoices() override {
        Outcome outcome;
        std::string record(static_cast<size_t>(kInvoices.recordLength), '\0');
        for (int64_t i = 0; i < data_.sizes().invoiceLookups; ++i) {
            const std::string wanted =
                BenchData::InvoiceNumber(RandomInvoice(i, data_.sizes().invoices));
            Found(invoices_, 1, wanted, record, outcome);
        }
        return outcome;
    }

    Outcome WalkInvoicesByDate() override { return Walk(invoices_, kInvoices, 3); }
    Outcome WalkCustomersByName() override { return Walk(customers_, kCustomers, 1); }

    Outcome ReadInvoiceLines() override {
        Outcome outcome;
        std::string record(static_cast<size_t>(kLines.recordLength), '\0');
        for (int64_t i = 0; i < data_.sizes().lineInvoices; ++i) {
            const std::string invoice =
                BenchData::InvoiceNumber(RandomInvoice(kLineStream + i, data_.sizes().invoices));
            for (int32_t n : Matching(lines_, 2, invoice)) {
                engine_.GetRecord(lines_, n, std::as_writable_bytes(std::span(record)));
                Require("GetRecord");
                outcome.count++;
                outcome.sum += n;
            }
            outcome.operations++;
        }
        return outcome;
    }

    Outcome ScanInvoices() override {
        Outcome outcome;
        std::string record(static_cast<size_t>(kInvoices.recordLength), '\0');
        for (int32_t n = 0;;) {
            engine_.NextUsedRecord(invoices_, n);
            if (engine_.error() == engine::err::kNoLiveRecord) break;
            Require("NextUsedRecord");
            engine_.GetRecord(invoices_, n, std::as_writable_bytes(std::span(record)));
            Require("GetRecord");
            outcome.sum += Weighted(outcome.count++, n);
        }
        outcome.operations = outcome.count;
        return outcome;
    }

    Outcome AgeCustomers() override {
        Outcome outcome;
        std::string customer(static_cast<size_t>(kCustomers.recordLength), '\0');
        std::string invoice(static_cast<size_t>(kInvoices.recordLength), '\0');
        int32_t n = 0;
        std::string name;
        for (;;) {
            engine_.NextKey(customers_, 1, n, name);
            if (engine_.error() == engine::err::kNoNextKey) break;
            Require("NextKey");
            engine_.GetRecord(customers_, n, std::as_writable_bytes(std::span(customer)));
            Require("GetRecord");
            for (int32_t i : Matching(invoices_, 2, kCustomers.Key(customer, 2))) {
                engine_.GetRecord(invoices_, i, std::as_writable_bytes(std::span(invoice)));
                Require("GetRecord");
                outcome.sum += Weighted(outcome.count++, i);
            }
            customer[100]++;  // the customer's aging fields change
            engine_.PutRecord(customers_, n, std::as_bytes(std::span(customer)));
            Require("PutRecord");
            outcome.operations++;
        }
        return outcome;
    }

    Outcome RebuildInvoices() override { return Rebuild(invoices_, kInvoices, false); }
    Outcome RebuildLines() override { return Rebuild(lines_, kLines, false); }
    Outcome CompactInvoices() override { return Rebuild(invoices_, kInvoices, true); }
    Outcome CompactLines() override { return Rebuild(lines_, kLines, true); }

    Outcome PostInvoices() override {
        Outcome outcome;
        std::string customer(static_cast<size_t>(kCustomers.recordLength), '\0');
        Generated(
            data_.sizes().posts, [this](int64_t i) { return data_.Post(i); },
            [&](int64_t, const std::vector<std::string>& post) {
                const std::string& invoice = post[0];
                int32_t customerNumber = 0;
                std::string key = kInvoices.Key(invoice, 2);
                engine_.SearchKey(customers_, 2, customerNumber, key);
                Require("SearchKey");
                engine_.GetRecord(customers_, customerNumber,
                                  std::as_writable_bytes(std::span(customer)));
                Require("GetRecord");
                outcome.sum += AddWithKeys(invoices_, kInvoices, invoice);
                for (int line = 1; line <= BenchData::kLinesPerPost; ++line)
                    outcome.sum += AddWithKeys(lines_, kLines, post[static_cast<size_t>(line)]);
                outcome.count += 1 + BenchData::kLinesPerPost;
                customer[101]++;  // balance and last invoice
                engine_.PutRecord(customers_, customerNumber,
                                  std::as_bytes(std::span(customer)));
                Require("PutRecord");
                outcome.operations++;
            });
        return outcome;
    }

    Outcome DeleteInvoices() override {
        Outcome outcome;
        std::string record(static_cast<size_t>(kInvoices.recordLength), '\0');
        for (int64_t i = 0; i < data_.sizes().deletes; ++i) {
            const std::string number =
                BenchData::InvoiceNumber(InvoiceToDelete(i, data_.sizes().invoices));
            for (int32_t n : Matching(invoices_, 1, number)) {
                DeleteWithKeys(invoices_, kInvoices, n, record);
                outcome.count++;
                outcome.sum += n;
            }
            record.resize(static_cast<size_t>(kLines.recordLength));
            for (int32_t n : Matching(lines_, 2, number)) {
                DeleteWithKeys(lines_, kLines, n, record);
                outcome.count++;
                outcome.sum += n;
            }
            record.resize(static_cast<size_t>(kInvoices.recordLength));
            outcome.operations++;
        }
        return outcome;
    }

    PoolCounters Counters() const override {
        const auto counters = engine_.poolCounters();
        return {counters.misses, counters.pageWrites};
    }

private:
    static constexpr int64_t kLineStream = 1'000'000'000;

    static std::vector<engine::KeyDescriptor> Descriptors(const FileLayout& layout) {
        std::vector<engine::KeyDescriptor> keys;
        for (const KeyField& field : layout.keys)
            keys.push_back({static_cast<uint8_t>(field.length), field.duplicates});
        return keys;
    }

    void Require(const char* what) const {
        if (engine_.ok()) return;
        std::fprintf(stderr, "engine side: %s failed with %d\n", what, engine_.error());
        std::exit(3);
    }

    void Open(const FileLayout& layout, FileBlockHandle& fb) {
        engine_.OpenFileBlock(fb, layout.name);
        Require("OpenFileBlock");
    }

    int32_t AddWithKeys(FileBlockHandle fb, const FileLayout& layout, const std::string& record) {
        int32_t n = 0;
        engine_.AddRecord(fb, n, std::as_bytes(std::span(record)));
        Require("AddRecord");
        for (int k = 1; k <= static_cast<int>(layout.keys.size()); ++k) {
            engine_.AddKey(fb, k, n, layout.Key(record, k));
            Require("AddKey");
        }
        return n;
    }

    void DeleteWithKeys(FileBlockHandle fb, const FileLayout& layout, int32_t n,
                        std::string& record) {
        engine_.GetRecord(fb, n, std::as_writable_bytes(std::span(record)));
        Require("GetRecord");
        for (int k = 1; k <= static_cast<int>(layout.keys.size()); ++k) {
            engine_.DeleteKey(fb, k, n, layout.Key(record, k));
            Require("DeleteKey");
        }
        engine_.DeleteRecord(fb, n);
        Require("DeleteRecord");
    }

    template <typename Make>
    Outcome AddAll(FileBlockHandle fb, const FileLayout& layout, int64_t count, Make make) {
        Outcome outcome;
        Generated(count, make, [&](int64_t, const std::string& record) {
            outcome.sum += AddWithKeys(fb, layout, record);
            outcome.count++;
        });
        outcome.operations = count;
        return outcome;
    }

    // The record numbers of every entry whose key equals `key` (SearchKey, then NextKey).
    std::vector<int32_t> Matching(FileBlockHandle fb, int keyNumber, const std::string& key) {
        std::vector<int32_t> found;
        int32_t n = 0;
        std::string current = key;
        engine_.SearchKey(fb, keyNumber, n, current);
        if (engine_.error() == engine::err::kSearchNotFound) return found;
        Require("SearchKey");
        while (current == key) {
            found.push_back(n);
            engine_.NextKey(fb, keyNumber, n, current);
            if (engine_.error() == engine::err::kNoNextKey) break;
            Require("NextKey");
        }
        return found;
    }

    void Found(FileBlockHandle fb, int keyNumber, const std::string& wanted, std::string& record,
               Outcome& outcome) {
        int32_t n = 0;
        std::string key = wanted;
        engine_.SearchKey(fb, keyNumber, n, key);
        outcome.operations++;
        if (engine_.error() == engine::err::kSearchNotFound || key != wanted) return;
        Require("SearchKey");
        engine_.GetRecord(fb, n, std::as_writable_bytes(std::span(record)));
        Require("GetRecord");
        outcome.count++;
        outcome.sum += n;
    }

    Outcome Walk(FileBlockHandle fb, const FileLayout& layout, int keyNumber) {
        Outcome outcome;
        std::string record(static_cast<size_t>(layout.recordLength), '\0');
        int32_t n = 0;
        std::string key;
        for (;;) {
            engine_.NextKey(fb, keyNumber, n, key);
            if (engine_.error() == engine::err::kNoNextKey) break;
            Require("NextKey");
            engine_.GetRecord(fb, n, std::as_writable_bytes(std::span(record)));
            Require("GetRecord");
            outcome.sum += Weighted(outcome.count++, n);
        }
        outcome.operations = outcome.count;
        return outcome;
    }

    Outcome Rebuild(FileBlockHandle& fb, const FileLayout& layout, bool compact) {
        engine_.CloseFileBlock(fb);
        Require("CloseFileBlock");
        engine_.RebuildDataFile(layout.name, layout.recordLength, layout.recordLength,
                                engine::KeepLiveRecord);
        Require("RebuildDataFile");
        const auto keys = Descriptors(layout);
        const auto buildKey = [&layout](std::span<const std::byte> record, int keyNumber) {
            const KeyField& field = layout.keys[static_cast<size_t>(keyNumber - 1)];
            return std::string(reinterpret_cast<const char*>(record.data()) + field.offset,
                               static_cast<size_t>(field.length));
        };
        bool logWritten = false;
        if (compact) {
            const int32_t error = engine::RebuildIndexCompact(
                engine::PosixFileSystem(), layout.name, static_cast<int>(keys.size()), keys.data(),
                buildKey, true, logWritten);
            if (error) {
                std::fprintf(stderr, "engine side: RebuildIndexCompact failed with %d\n", error);
                std::exit(3);
            }
        } else {
            engine_.RebuildIndex(layout.name, static_cast<int>(keys.size()), keys.data(), buildKey,
                                 true, logWritten);
            Require("RebuildIndex");
        }
        Open(layout, fb);
        Outcome outcome;
        outcome.count = engine_.UsedRecords(fb);
        outcome.operations = outcome.count;
        return outcome;
    }

    const BenchData& data_;
    engine::Engine engine_;
    FileBlockHandle customers_ = nullptr, invoices_ = nullptr, lines_ = nullptr;
};

}  // namespace

std::unique_ptr<Side> MakeEngineSide(const BenchData& data, int buffers) {
    return std::make_unique<EngineSide>(data, buffers);
}

}  // namespace bench
