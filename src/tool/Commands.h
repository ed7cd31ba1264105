#pragma once
// The subcommands of kt-invorra-tool. Each takes the words after its name and returns the exit
// code.

#include <string>
#include <vector>

namespace tool {

using Args = std::vector<std::string>;

int ScriptCommand(const Args& args);   // script [DIR]
int CheckCommand(const Args& args);    // check NAME...
int DumpCommand(const Args& args);     // dump NAME [--key K]
int DumpFields(const Args& args);      // dump NAME --fields
int InitCommand(const Args& args);     // init DIR [--demo [--today DATE]]
int RebuildCommand(const Args& args);  // rebuild DIR [CODE]
int PostCommand(const Args& args);     // post DIR [--company CODE] [--today DATE] [--answer A]
int AgeCommand(const Args& args);      // age DIR [--company CODE] --as-of DATE [--csv]
int ListCommand(const Args& args);     // list DIR KIND [--company CODE] [--csv]
int LedgerCommand(const Args& args);   // ledger DIR [--company CODE] [--repair] [--today DATE]
int ReportCommand(const Args& args);   // report DIR KIND [--from D --to D | --preset P] [--csv]
int BackupCommand(const Args& args);   // backup DIR FILE.zip
int RestoreCommand(const Args& args);  // restore FILE.zip DIR
// import-csv DIR customers|products FILE [--dry-run] [--company CODE]
int ImportCsvCommand(const Args& args);
int ImportVersionOneCommand(const Args& args);  // import-v1 V1DIR DIR
// print-invoice DIR NUMBER --pdf FILE [--kind INV|PSL|FCP] [--company CODE]
int PrintInvoiceCommand(const Args& args);
// print-statement DIR CUSTOMER --pdf FILE [--unpaid-only] [--company CODE] [--today DATE]
int PrintStatementCommand(const Args& args);
// labels DIR --layout FILE.LBL --queue FILE.LST --pdf OUT [--start N] [--copies N]
int LabelsCommand(const Args& args);
// letters DIR --letter FILE.RTF --queue FILE.LST --pdf OUT
int LettersCommand(const Args& args);

}  // namespace tool
