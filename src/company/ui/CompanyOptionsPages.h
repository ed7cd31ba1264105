#pragma once
// The eight pages of the Company Options dialog: their controls, named as the company record's
// field table names them, laid out page by page. The dialog finds the controls by name.

class QTabWidget;
class QWidget;

namespace company::ui {

// Pages in the order of company::CompanyOptionsPage.
QTabWidget* BuildCompanyOptionsPages(QWidget* parent);

}  // namespace company::ui
