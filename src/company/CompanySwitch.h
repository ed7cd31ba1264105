#pragma once
// Loading the current company at start-up and after the Company Manager, as plain steps the main
// window runs in order (the window itself only paints what they decide).

#include <string>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "records/CompanyRecord.h"

namespace company {

inline constexpr char kNotSetUpName[] = "Please Setup Your Company.";

// Looks `company` up in the company file by its number (key 1) and replaces it with the stored
// record, but only when the key found is the key searched: a company that is no longer on file
// keeps the values it came with. False when it was not found or the file could not be opened.
bool ReadCompanyFromFile(engine::Engine& engine, base::PromptService& prompts,
                         records::CompanyRecord& company);

// Start-up: the current company from "LastCo.Dat", then its saved settings from the company
// file. False when "LastCo.Dat" cannot be read.
bool LoadStartupCompany(engine::Engine& engine, base::PromptService& prompts, ProgramState& state);

// A computer clock set before 1995 gives wrong ages and due dates.
bool ComputerDateLooksWrong(const base::Clock& clock);

// A company whose trimmed name has at most one character has not been set up yet: it shows
// kNotSetUpName and no background picture (in memory only; nothing is saved).
bool IsSetUp(const records::CompanyRecord& company);
void MarkNotSetUp(records::CompanyRecord& company);

// After the Company Manager closed with OK: when the current company's settings were saved
// meanwhile, it stays current with those settings (re-read from the company file, and copied to
// the selected company); then the selected company is made current ("LastCo.Dat" rewritten) and
// its date format applied. The company-changed flag is cleared once used. False when
// "LastCo.Dat" could not be written.
bool AcceptCompanyManagerChoice(engine::Engine& engine, base::PromptService& prompts,
                                ProgramState& state, const std::string& rememberedNumber,
                                const base::Clock& clock);

}  // namespace company
