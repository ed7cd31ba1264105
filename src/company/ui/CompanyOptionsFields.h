#pragma once
// Which control of the Company Options dialog (and of the headers dialog) edits which field of
// the company record: one table, and the copying between controls and record through it. The
// kind of a control decides how it shows its field; an edit's length is its field's size.

#include <span>

#include "base/RecordField.h"
#include "records/CompanyRecord.h"

class QWidget;

namespace company::ui {

struct CompanyOptionsBinding {
    const char* control;  // objectName
    const char* field;    // the field's name in records::CompanyRecord::Fields()
    // A one-letter text edited by a check box or by the second of two radio buttons: checked
    // means `on`, unchecked `off`; `otherRadio` is the first radio button of the pair.
    const char* on = nullptr;
    const char* off = nullptr;
    const char* otherRadio = nullptr;
};

std::span<const CompanyOptionsBinding> CompanyOptionsBindings();
// The field a binding names; nothing for a name the record does not have.
const base::FieldInfo* CompanyOptionsField(const CompanyOptionsBinding& binding);

// Fills every control under `pages` and `headers` from the record, edit lengths first.
void FillCompanyOptions(QWidget& pages, QWidget& headers, const records::CompanyRecord& record);
// Copies every control back into the record.
void ReadCompanyOptions(const QWidget& pages, const QWidget& headers,
                        records::CompanyRecord& record);

}  // namespace company::ui
