#pragma once
// Which control of the Company Options dialog (and of the headers dialog) edits which field of
// the company record, and the copying between them. Controls are found by their names.

#include "records/CompanyRecord.h"

class QWidget;

namespace shell::ui {

// Fills every control under `pages` and `headers` from the record.
void FillCompanyOptions(QWidget& pages, QWidget& headers, const records::CompanyRecord& record);
// Copies every control back into the record (texts cut to their fields).
void ReadCompanyOptions(const QWidget& pages, const QWidget& headers,
                        records::CompanyRecord& record);

}  // namespace shell::ui
