// import-v1 V1DIR DIR: the companies of a version-1 installation (the folder holding its
// "COMPANY.DAT") imported into data folder DIR, as the conversion window imports them, with the
// question answered yes. Prints what was imported per company. Exit 0 when the import ran to its
// end, 1 when the folder was refused or a company could not be added, 2 on a usage error.

#include <cstdio>
#include <filesystem>

#include "base/Windows1252.h"
#include "maintenance/VersionOneFiles.h"
#include "maintenance/VersionOneImport.h"
#include "tool/CompanyOptions.h"
#include "tool/ConsolePrompts.h"
#include "tool/QuietRebuild.h"

namespace tool {
int ImportVersionOneCommand(const Args& args) {
    if (args.size() != 2) {
        std::fputs("usage: kt-invorra-tool import-v1 V1DIR DIR\n", stderr);
        return 2;
    }
    const std::filesystem::path oldFolder = std::filesystem::absolute(args[0]);
    const auto chosen = maintenance::FindInAnyCase(oldFolder, "COMPANY.DAT");
    engine::Engine engine;
    if (!EnterFolder(engine, args[1])) return 1;
    ConsolePrompts prompts;
    maintenance::VersionOneImportFlow flow(engine, prompts, base::SystemClock());
    const auto folder = flow.Choose((chosen ? *chosen : oldFolder / "COMPANY.DAT").string());
    if (!folder) return 1;
    QuietRebuild observer;
    const maintenance::ImportReport report = flow.Import(
        *folder, [](int, const std::string&) {}, observer);
    std::printf("%s\n", base::Win1252ToUtf8(maintenance::ImportMessage(report)).c_str());
    engine.ExitEngine();
    return report.ended ? 1 : 0;
}

}  // namespace tool
