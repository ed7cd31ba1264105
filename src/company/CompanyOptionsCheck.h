#pragma once
// The checks the Company Options dialog runs on "&Save", in their order, as plain logic: the
// dialog hands in the texts of the checked fields and gets back every failure to show, each with
// the page and the control to bring forward.

#include <functional>
#include <string>
#include <vector>

#include "records/CompanyRecord.h"

namespace company {

// The eight pages of the Company Options dialog, in tab order.
enum class CompanyOptionsPage {
    AddressTaxes,
    EMail,
    EnvelopesAging,
    FormsSetup,
    General,
    Invoices,
    SalesMessage,
    SystemGraphics,
};

// The help topic of a page.
const char* CompanyOptionsHelpTopic(CompanyOptionsPage page);

struct CompanyOptionsFields {
    std::string email;   // `CEmailAdd`
    std::string name;    // `CName`
    std::string number;  // `CoNumb`
    std::string aging1;  // `CAVal1`
    std::string aging2;  // `CAVal2`
    std::string aging3;  // `CAVal3`
};

struct CompanyOptionsFailure {
    std::string caption;
    std::string text;
    CompanyOptionsPage page;
    std::string control;  // objectName of the field to focus
};

struct CompanyOptionsVerdict {
    // Shown in this order; the dialog stays open when there is any.
    std::vector<CompanyOptionsFailure> failures;
    // The checked fields after the check's normalisation (an empty number or aging day becomes
    // "0"); the dialog puts them back into its controls.
    CompanyOptionsFields fields;
    bool passed() const { return failures.empty(); }
};

// `numberTaken` answers whether a company with this number (as typed) is already on file, looked
// up by key 1; it is asked only when adding a company. The aging fields accept digits only in the
// dialog.
CompanyOptionsVerdict CheckCompanyOptions(
    CompanyOptionsFields fields, bool adding,
    const std::function<bool(const std::string& number)>& numberTaken);

// The normalisations of a saved company: a number of copies other than "2" to "5" becomes "1",
// an empty move-addresses-right value "0", and the logo file name is emptied when the logo is off.
void NormaliseCompanyOptions(records::CompanyRecord& record);

}  // namespace company
