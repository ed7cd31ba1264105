// kt-invorra-tool: the maintainer's command line for data folders and the storage engine.

#include <algorithm>
#include <cstdio>
#include <string>

#include "tool/Commands.h"

namespace {

void Usage() {
    std::fputs(
        "usage: kt-invorra-tool COMMAND ...\n"
        "  script [DIR]            run engine commands read from standard input\n"
        "  check NAME...           verify the structure of file blocks\n"
        "  dump NAME [--key K]     print live records, or the entries of key K in order\n"
        "  dump NAME --fields      print live records field by field\n"
        "  init DIR [--demo [--today YYYY-MM-DD]]\n"
        "                          create a starter data folder, or one with a sample business\n"
        "  rebuild DIR [CODE]      rebuild the company file and the files of one or all companies\n"
        "          [--compact]     ... with indexes built bottom-up from sorted keys, 90 % full\n"
        "  post DIR [--company CODE] [--today YYYY-MM-DD] [--answer yes|no]\n"
        "                          run the operations read from standard input (docs/TOOL.md)\n"
        "  age DIR [--company CODE] --as-of YYYY-MM-DD [--csv]\n"
        "                          each customer's aging as it stood on a day (reads only)\n"
        "  list DIR customers|products [--company CODE] [--addresses] [--csv]\n"
        "                          print a company's list report, or its rows as CSV\n"
        "  ledger DIR [--company CODE] [--repair] [--today YYYY-MM-DD] [--answer yes|no]\n"
        "                          check that the balances agree with the invoice file, or\n"
        "                          recompute them\n"
        "  report DIR KIND [--from DATE --to DATE | --preset NAME] [--sort N] [--no-subtotals]\n"
        "         [--csv | --txt] [--company CODE] [--today YYYY-MM-DD]\n"
        "                          one report of the Report Wizard as text or CSV (reads only)\n"
        "  print-invoice DIR NUMBER --pdf FILE [--kind INV|PSL|FCP] [--company CODE]\n"
        "                          write an invoice, packing slip or file copy to a PDF file\n"
        "                          (only in a build with Qt, KT_BUILD_GUI=ON)\n"
        "  print-statement DIR CUSTOMER --pdf FILE [--unpaid-only] [--company CODE]\n"
        "          [--today YYYY-MM-DD]\n"
        "                          write a customer's statement to a PDF file (Qt build only)\n"
        "  backup DIR FILE.zip     write the data files into a ZIP archive\n"
        "  restore FILE.zip DIR    replace the data files from an archive, then rebuild\n"
        "  import-csv DIR customers|products FILE [--dry-run] [--company CODE]\n"
        "                          add customers or products from a spreadsheet's CSV file\n"
        "  import-v1 V1DIR DIR     import the companies of a version-1 installation\n"
        "  labels DIR --layout FILE.LBL --queue FILE.LST --pdf OUT [--start N] [--copies N]\n"
        "  labels DIR --ruler --pdf OUT\n"
        "                          print mailing labels, or the calibration ruler, to PDF\n"
        "  letters DIR --letter FILE.RTF|FILE.TXT --queue FILE.LST --pdf OUT\n"
        "                          merge a form letter for each queued customer into one PDF\n",
        stderr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        Usage();
        return 2;
    }
    const std::string command = argv[1];
    const tool::Args args(argv + 2, argv + argc);
    if (command == "script") return tool::ScriptCommand(args);
    if (command == "check") return tool::CheckCommand(args);
    if (command == "dump") {
        if (std::find(args.begin(), args.end(), "--fields") != args.end())
            return tool::DumpFields(args);
        return tool::DumpCommand(args);
    }
    if (command == "init") return tool::InitCommand(args);
    if (command == "rebuild") return tool::RebuildCommand(args);
    if (command == "post") return tool::PostCommand(args);
    if (command == "age") return tool::AgeCommand(args);
    if (command == "list") return tool::ListCommand(args);
    if (command == "ledger") return tool::LedgerCommand(args);
    if (command == "report") return tool::ReportCommand(args);
    if (command == "print-invoice") return tool::PrintInvoiceCommand(args);
    if (command == "print-statement") return tool::PrintStatementCommand(args);
    if (command == "backup") return tool::BackupCommand(args);
    if (command == "restore") return tool::RestoreCommand(args);
    if (command == "import-csv") return tool::ImportCsvCommand(args);
    if (command == "import-v1") return tool::ImportVersionOneCommand(args);
    if (command == "labels") return tool::LabelsCommand(args);
    if (command == "letters") return tool::LettersCommand(args);
    Usage();
    return 2;
}
