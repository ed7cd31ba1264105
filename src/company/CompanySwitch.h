#pragma once
// Loading the current company at start-up and after the Company Manager, as plain steps the main
// window runs in order (the window itself only paints what they decide).

#include <string>

#include "base/Clock.h"
#include "base/PromptService.h"
#include "company/CompanyManagerFlow.h"
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

// A computer clock set before 1995 gives wrong ages and due dates.
bool ComputerDateLooksWrong(const base::Clock& clock);

// A company whose trimmed name has at most one character has not been set up yet: it shows
// kNotSetUpName and no background picture (in memory only; nothing is saved).
bool IsSetUp(const records::CompanyRecord& company);
void MarkNotSetUp(records::CompanyRecord& company);

// The message when "LastCo.Dat" cannot be rewritten at a company switch.
inline constexpr char kSwitchNotSavedCaption[] = "Company Manager";
inline constexpr char kSwitchNotSavedText[] =
    "The company could not be switched because \"LastCo.Dat\" could not be written. Check that "
    "the data folder is writable and not full. The company in use has not changed.";

// After a visit to the Company Manager that needs a switch (`result.switchNeeded()`): when the
// current company's settings were saved meanwhile, it stays current with those settings
// (re-read from the company file, and copied to the selected company); otherwise the selected
// company becomes current. "LastCo.Dat" is rewritten first: when that fails the message above is
// shown, nothing changes and the answer is false. Then the date format is applied.
bool SwitchToChosenCompany(engine::Engine& engine, base::PromptService& prompts,
                           ProgramState& state, const CompanyManagerResult& result,
                           const base::Clock& clock);

}  // namespace company
