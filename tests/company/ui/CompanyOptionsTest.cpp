#include "company/ui/CompanyOptions.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "base/RecordField.h"
#include "company/ui/CompanyOptionsFields.h"
#include "company/ui/HeaderForm.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/ui/WindowDriving.h"

namespace company::ui {
namespace {

// Every dialog field holds a value of its own, valid for the dialog's checks.
records::CompanyRecord DistinctCompany() {
    records::CompanyRecord record;
    for (const base::FieldInfo& field : records::CompanyRecord::Fields()) {
        uint8_t* data = record.data();
        switch (field.kind) {
            case base::FieldKind::Text:
            case base::FieldKind::Money:
                base::WriteText(data, field.offset, field.size,
                                std::to_string(field.offset * 7919 % 100000));
                break;
            case base::FieldKind::Flag:
                data[field.offset] = field.offset % 3 == 0;
                break;
            case base::FieldKind::YesNo:
                base::WriteText(data, field.offset, 1, field.offset % 3 == 0 ? "Y" : "N");
                break;
            case base::FieldKind::Font:
                break;
        }
    }
    record.setName("Harbour Trading");
    record.setNumber("3");
    record.setEmail("office@harbour.example");
    record.setAgingDays1("15");
    record.setAgingDays2("45");
    record.setAgingDays3("75");
    record.setDateFormat("D");
    record.setDefaultInvoiceType("M");
    record.setEnvelopeOrientation("L");
    record.setEnvelopeAddress("B");
    record.setNumberOfCopies("3");
    record.setLineWidth("2");
    record.setBodyFont({"Arial", 9, records::kBlack, 0});
    record.setSalesMessageFont({"Arial", 8, records::kBlue, records::kItalic});
    record.setManagersFont({"Courier New", 10, records::kBlack, 0});
    return record;
}

class CompanyOptionsTest : public ::testing::Test {
protected:
    CompanyOptionsTest() : chdir_(dir_.path()) {
        std::ofstream("ZRTERMS.DAT", std::ios::binary) << "COD\r\nNet 30 Days\r\n";
    }

    bool Run(company::EditPurpose purpose, records::CompanyRecord& record,
             const std::function<void()>& interact) {
        testsupport::ThenInModal(dialog_, interact);
        return dialog_.Execute(purpose, record,
                               [](const std::string& number) { return number == "7"; });
    }

    template <typename T>
    T& Find(const char* name) {
        return testsupport::Find<T>(dialog_, name);
    }
    void Click(const char* name) { testsupport::Click(dialog_, name); }
    int Page() { return Find<QTabWidget>("PageControl1").currentIndex(); }

    testsupport::TempDir dir_;
    testsupport::ScopedChdir chdir_;
    testsupport::ScriptedPrompts prompts_;
    THeaderForm headers_{prompts_, [](const QString&) {}};
    TCompSet dialog_{company::PaymentTermsIn(engine::PosixFileSystem()), prompts_, headers_,
                     [](const QString&) {}};
};

TEST_F(CompanyOptionsTest, SavingUnchangedControlsGivesBackTheSameRecord) {
    const records::CompanyRecord original = DistinctCompany();
    records::CompanyRecord record = original;
    prompts_.ExpectInform("Edit Company",
                          "Background bitmap image no longer exists. Use the Graphics tab to "
                          "select another bitmap if desired.");
    const bool saved = Run(company::EditPurpose::Edit, record, [&] {
        EXPECT_EQ(dialog_.windowTitle(), "Edit Company");
        EXPECT_EQ(Page(), 0);
        EXPECT_EQ(dialog_.focusWidget(), &Find<QLineEdit>("CName"));
        EXPECT_TRUE(Find<QLineEdit>("CoNumb").isReadOnly());
        EXPECT_TRUE(Find<QRadioButton>("DDMMYY").isChecked());
        EXPECT_EQ(Find<QComboBox>("DFTerms").count(), 2);
        Click("OKBtn");
    });
    ASSERT_TRUE(saved);
    EXPECT_TRUE(record == original);
}

// The binding table is the only place that pairs controls with fields: every row names a control
// of one of the two dialogs and a field of the record, and an edit takes its field's length.
TEST_F(CompanyOptionsTest, EveryBoundControlExistsAndEditsHoldTheirWholeField) {
    records::CompanyRecord record = DistinctCompany();
    record.setBackgroundBitmap("");
    Run(company::EditPurpose::Edit, record, [&] {
        for (const CompanyOptionsBinding& binding : CompanyOptionsBindings()) {
            SCOPED_TRACE(binding.control);
            const base::FieldInfo* field = CompanyOptionsField(binding);
            ASSERT_NE(field, nullptr) << binding.field;
            QObject* control = dialog_.findChild<QObject*>(binding.control);
            if (!control) control = headers_.findChild<QObject*>(binding.control);
            ASSERT_NE(control, nullptr);
            QLineEdit* edit = qobject_cast<QLineEdit*>(control);
            if (auto* box = qobject_cast<QComboBox*>(control)) edit = box->lineEdit();
            EXPECT_EQ(edit ? edit->maxLength() : field->size, field->size);
        }
        Click("CancelBtn");
    });
}

}  // namespace
}  // namespace company::ui
