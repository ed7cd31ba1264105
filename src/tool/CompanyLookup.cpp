#include "tool/CompanyLookup.h"

#include <cstdio>

#include "base/Text.h"
#include "company/CompanyFile.h"
#include "company/LastCompany.h"
#include "tool/ConsolePrompts.h"

namespace tool {

std::optional<records::CompanyRecord> ReadCompany(engine::Engine& engine,
                                                  std::optional<std::string> number) {
    if (!number) {
        records::CompanyRecord last;
        if (!company::ReadLastCompany(engine.fileSystem(), last)) {
            std::fprintf(stderr, "no company given and %s cannot be read\n",
                         company::kLastCompanyFile);
            return std::nullopt;
        }
        number = last.number();
    }
    ConsolePrompts prompts;
    company::CompanyFile companies(engine, prompts);
    if (!companies.file().OpenReadOnly()) {
        std::fputs("the company file cannot be read\n", stderr);
        return std::nullopt;
    }
    const auto found = companies.Find(*number);
    (void)companies.Close();
    if (!found) {
        std::fprintf(stderr, "no company %s in the company file\n", base::Trim(*number).c_str());
        return std::nullopt;
    }
    return found->second;
}

}  // namespace tool
