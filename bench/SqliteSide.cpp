#include "SqliteSide.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchData.h"

namespace bench {
namespace {

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) Fail(sql);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, const std::string& text) {
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Statement& BindBlob(int index, const std::string& bytes) {
        sqlite3_bind_blob(statement_, index, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int index, int64_t value) {
        sqlite3_bind_int64(statement_, index, value);
        return *this;
    }
    // Advances to the next row; false when there is none.
    bool Step() {
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) return true;
        if (result != SQLITE_DONE) Fail(sqlite3_sql(statement_));
        return false;
    }
    void Run() {
        Step();
        Reset();
    }
    void Reset() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    int64_t Int(int column) const { return sqlite3_column_int64(statement_, column); }
    // The record bytes of a row, read as GetRecord reads them.
    std::string Blob(int column) const {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
        return std::string(bytes, static_cast<size_t>(sqlite3_column_bytes(statement_, column)));
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        std::fprintf(stderr, "sqlite side: %s: %s\n", what.c_str(), sqlite3_errmsg(db_));
        std::exit(3);
    }

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

std::string Columns(const FileLayout& layout, const char* prefix) {
    std::string columns;
    for (size_t k = 1; k <= layout.keys.size(); ++k) columns += ", " + (prefix + std::to_string(k));
    return columns;
}

class SqliteSide : public Side {
public:
    explicit SqliteSide(const BenchData& data) : data_(data) {
        std::remove("bench.sqlite");
        if (sqlite3_open("bench.sqlite", &db_) != SQLITE_OK) std::exit(3);
        Exec("PRAGMA journal_mode=OFF");
        Exec("PRAGMA synchronous=OFF");
        for (const FileLayout* layout : {&kCustomers, &kInvoices, &kLines}) {
            Exec(std::string("CREATE TABLE ") + layout->name + "(id INTEGER PRIMARY KEY, rec BLOB" +
                 Columns(*layout, "k") + ")");
            for (size_t k = 1; k <= layout->keys.size(); ++k)
                Exec(std::string("CREATE ") + (layout->keys[k - 1].duplicates ? "" : "UNIQUE ") +
                     "INDEX " + layout->name + "_k" + std::to_string(k) + " ON " + layout->name +
                     "(k" + std::to_string(k) + ")");
        }
        Exec("BEGIN");
    }

    ~SqliteSide() override {
        Exec("COMMIT");
        sqlite3_close(db_);
    }

    Outcome AddCustomers() override {
        return AddAll(kCustomers, data_.sizes().customers,
                      [this](int64_t n) { return data_.Customer(n); });
    }
    Outcome AddInvoices() override {
        return AddAll(kInvoices, data_.sizes().invoices,
                      [this](int64_t n) { return data_.Invoice(n); });
    }
    Outcome AddLines() override {
        return AddAll(kLines, data_.sizes().lines, [this](int64_t n) { return data_.BulkLine(n); });
    }

    Outcome FindCustomers() override {
        Statement find(db_, "SELECT id, rec FROM BC WHERE k2 = ? ORDER BY k2, id LIMIT 1");
        Outcome outcome;
        for (int64_t i = 0; i < data_.sizes().customerLookups; ++i)
            Found(find, BenchData::CustomerNumber(RandomCustomer(i, data_.sizes().customers)),
                  outcome);
        return outcome;
    }

    Outcome FindInvoices() override {
        Statement find(db_, "SELECT id, rec FROM BI WHERE k1 = ? ORDER BY k1, id LIMIT 1");
        Outcome outcome;
        for (int64_t i = 0; i < data_.sizes().invoiceLookups; ++i)
            Found(find, BenchData::InvoiceNumber(RandomInvoice(i, data_.sizes().invoices)),
                  outcome);
        return outcome;
    }

    Outcome WalkInvoicesByDate() override { return Walk("SELECT id, rec FROM BI ORDER BY k3, id"); }
    Outcome WalkCustomersByName() override { return Walk("SELECT id, rec FROM BC ORDER BY k1"); }

    Outcome ReadInvoiceLines() override {
        Statement lines(db_, "SELECT id, rec FROM BD WHERE k2 = ? ORDER BY k2, id");
        Outcome outcome;
        for (int64_t i = 0; i < data_.sizes().lineInvoices; ++i) {
            lines.Bind(1, BenchData::InvoiceNumber(
                              RandomInvoice(kLineStream + i, data_.sizes().invoices)));
            while (lines.Step()) {
                const std::string record = lines.Blob(1);
                outcome.count++;
                outcome.sum += lines.Int(0);
            }
            lines.Reset();
            outcome.operations++;
        }
        return outcome;
    }

    Outcome ScanInvoices() override { return Walk("SELECT id, rec FROM BI ORDER BY id"); }

    Outcome AgeCustomers() override {
        Statement customers(db_, "SELECT id, rec, k2 FROM BC ORDER BY k1");
        Statement invoices(db_, "SELECT id, rec FROM BI WHERE k2 = ? ORDER BY k2, id");
        Statement update(db_, "UPDATE BC SET rec = ? WHERE id = ?");
        Outcome outcome;
        while (customers.Step()) {
            std::string customer = customers.Blob(1);
            invoices.Bind(1, customers.Blob(2));
            while (invoices.Step()) {
                const std::string invoice = invoices.Blob(1);
                outcome.sum += Weighted(outcome.count++, invoices.Int(0));
            }
            invoices.Reset();
            customer[100]++;
            update.BindBlob(1, customer).Bind(2, customers.Int(0)).Run();
            outcome.operations++;
        }
        return outcome;
    }

    Outcome RebuildInvoices() override { return Reindex("BI"); }
    Outcome RebuildLines() override { return Reindex("BD"); }
    Outcome CompactInvoices() override { return Reindex("BI"); }
    Outcome CompactLines() override { return Reindex("BD"); }

    Outcome PostInvoices() override {
        Exec("COMMIT");
        Statement find(db_, "SELECT id, rec FROM BC WHERE k2 = ? ORDER BY k2, id LIMIT 1");
        Statement update(db_, "UPDATE BC SET rec = ? WHERE id = ?");
        Statement addInvoice(db_, InsertSql(kInvoices));
        Statement addLine(db_, InsertSql(kLines));
        Outcome outcome;
        Generated(
            data_.sizes().posts, [this](int64_t i) { return data_.Post(i); },
            [&](int64_t, const std::vector<std::string>& post) {
                Exec("BEGIN");
                const std::string& invoice = post[0];
                find.Bind(1, kInvoices.Key(invoice, 2));
                if (!find.Step()) std::exit(3);
                const int64_t customerId = find.Int(0);
                std::string customer = find.Blob(1);
                find.Reset();
                outcome.sum += Insert(addInvoice, kInvoices, invoice);
                for (int line = 1; line <= BenchData::kLinesPerPost; ++line)
                    outcome.sum += Insert(addLine, kLines, post[static_cast<size_t>(line)]);
                outcome.count += 1 + BenchData::kLinesPerPost;
                customer[101]++;
                update.BindBlob(1, customer).Bind(2, customerId).Run();
                Exec("COMMIT");
                outcome.operations++;
            });
        Exec("BEGIN");
        return outcome;
    }

    Outcome DeleteInvoices() override {
        Statement invoices(db_, "SELECT id FROM BI WHERE k1 = ? ORDER BY k1, id");
        Statement lines(db_, "SELECT id FROM BD WHERE k2 = ? ORDER BY k2, id");
        Statement dropInvoice(db_, "DELETE FROM BI WHERE id = ?");
        Statement dropLine(db_, "DELETE FROM BD WHERE id = ?");
        Outcome outcome;
        for (int64_t i = 0; i < data_.sizes().deletes; ++i) {
            const std::string number =
                BenchData::InvoiceNumber(InvoiceToDelete(i, data_.sizes().invoices));
            DeleteMatching(invoices, dropInvoice, number, outcome);
            DeleteMatching(lines, dropLine, number, outcome);
            outcome.operations++;
        }
        return outcome;
    }

private:
    static constexpr int64_t kLineStream = 1'000'000'000;

    void Exec(const std::string& sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            std::fprintf(stderr, "sqlite side: %s: %s\n", sql.c_str(), message);
            std::exit(3);
        }
    }

    static std::string InsertSql(const FileLayout& layout) {
        std::string values = "?";
        for (size_t k = 0; k < layout.keys.size(); ++k) values += ", ?";
        return std::string("INSERT INTO ") + layout.name + "(rec" + Columns(layout, "k") +
               ") VALUES(" + values + ")";
    }

    int64_t Insert(Statement& insert, const FileLayout& layout, const std::string& record) {
        insert.BindBlob(1, record);
        for (int k = 1; k <= static_cast<int>(layout.keys.size()); ++k)
            insert.Bind(k + 1, layout.Key(record, k));
        insert.Run();
        return sqlite3_last_insert_rowid(db_);
    }

    template <typename Make>
    Outcome AddAll(const FileLayout& layout, int64_t count, Make make) {
        Statement insert(db_, InsertSql(layout));
        Outcome outcome;
        Generated(count, make, [&](int64_t, const std::string& record) {
            outcome.sum += Insert(insert, layout, record);
            outcome.count++;
        });
        outcome.operations = count;
        return outcome;
    }

    void Found(Statement& find, const std::string& wanted, Outcome& outcome) {
        find.Bind(1, wanted);
        if (find.Step()) {
            const std::string record = find.Blob(1);
            outcome.count++;
            outcome.sum += find.Int(0);
        }
        find.Reset();
        outcome.operations++;
    }

    Outcome Walk(const std::string& sql) {
        Statement walk(db_, sql);
        Outcome outcome;
        while (walk.Step()) {
            const std::string record = walk.Blob(1);
            outcome.sum += Weighted(outcome.count++, walk.Int(0));
        }
        outcome.operations = outcome.count;
        return outcome;
    }

    Outcome Reindex(const std::string& table) {
        Exec("REINDEX " + table);
        Statement count(db_, "SELECT count(*) FROM " + table);
        count.Step();
        Outcome outcome;
        outcome.count = count.Int(0);
        outcome.operations = outcome.count;
        return outcome;
    }

    void DeleteMatching(Statement& select, Statement& drop, const std::string& key,
                        Outcome& outcome) {
        std::vector<int64_t> ids;
        select.Bind(1, key);
        while (select.Step()) ids.push_back(select.Int(0));
        select.Reset();
        for (int64_t id : ids) {
            drop.Bind(1, id).Run();
            outcome.count++;
            outcome.sum += id;
        }
    }

    const BenchData& data_;
    sqlite3* db_ = nullptr;
};

}  // namespace

std::unique_ptr<Side> MakeSqliteSide(const BenchData& data) {
    return std::make_unique<SqliteSide>(data);
}

}  // namespace bench
