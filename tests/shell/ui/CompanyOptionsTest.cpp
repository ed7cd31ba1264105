#include "shell/ui/CompanyOptions.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "CompanyTestHelpers.h"
#include "base/RecordField.h"
#include "shell/ProgramState.h"
#include "shell/ui/HeaderForm.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace shell::ui {
namespace {

// A company whose every dialog field holds a value of its own, valid for the dialog's checks.
CompanyRecord DistinctCompany() {
    CompanyRecord record;
    for (const base::FieldInfo& field : CompanyRecord::Fields()) {
        uint8_t* data = record.data();
        switch (field.kind) {
            case base::FieldKind::Text:
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
    record.setBodyFont({"Arial", 9, kBlack, 0});
    record.setSalesMessageFont({"Arial", 8, kBlue, kItalic});
    record.setManagersFont({"Courier New", 10, kBlack, 0});
    return record;
}

class CompanyOptionsTest : public ::testing::Test {
protected:
    CompanyOptionsTest() : chdir_(dir_.path()) {
        std::ofstream("ZRTERMS.DAT", std::ios::binary) << "COD\r\nNet 30 Days\r\n";
        state_.currentCompany.setNumber("1");
    }

    // Runs the dialog; `interact` works on the shown dialog and closes it.
    bool Run(TCompSet::Purpose purpose, CompanyRecord& record,
             const std::function<void()>& interact) {
        shelltest::ThenInModal(dialog_, interact);
        return dialog_.Execute(purpose, record,
                               [](const std::string& number) { return number == "7"; });
    }

    template <typename T>
    T& Find(const char* name) {
        T* control = dialog_.findChild<T*>(name);
        if (control == nullptr) control = headers_.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }
    void Click(const char* name) { QTest::mouseClick(&Find<QPushButton>(name), Qt::LeftButton); }
    void SetText(const char* name, const QString& text) { Find<QLineEdit>(name).setText(text); }
    int Page() { return Find<QTabWidget>("PageControl1").currentIndex(); }

    testsupport::TempDir dir_;
    testsupport::ScopedChdir chdir_;
    testsupport::ScriptedPrompts prompts_;
    ProgramState state_;
    THeaderForm headers_{prompts_, [](const QString&) {}};
    TCompSet dialog_{state_, prompts_, headers_, [](const QString&) {}};
};

TEST_F(CompanyOptionsTest, SavingUnchangedControlsGivesBackTheSameRecord) {
    const CompanyRecord original = DistinctCompany();
    CompanyRecord record = original;
    prompts_.ExpectInform("Edit Company",
                          "Background bitmap image no longer exists. Use the Graphics tab to "
                          "select another bitmap if desired.");
    const bool saved = Run(TCompSet::Purpose::Edit, record, [&] {
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

TEST_F(CompanyOptionsTest, BlankNameAndTakenNumberAreRefusedWhenAdding) {
    CompanyRecord record = state_.currentCompany;
    record.SetNewCompanyValues("7");
    record.setBackgroundBitmap("");
    ASSERT_TRUE(Run(TCompSet::Purpose::Add, record, [&] {
        SetText("CName", "   ");
        Find<QTabWidget>("PageControl1").setCurrentIndex(3);
        prompts_.ExpectInform("Invalid Company Name", "A company name is required.");
        Click("OKBtn");
        EXPECT_EQ(Page(), 0);
        EXPECT_EQ(dialog_.focusWidget(), &Find<QLineEdit>("CName"));

        SetText("CName", "Second Company");
        prompts_.ExpectInform("Company Number",
                              "This Company number already exists. Enter another number.");
        Click("OKBtn");
        EXPECT_EQ(dialog_.focusWidget(), &Find<QLineEdit>("CoNumb"));
        SetText("CoNumb", "8");
        Click("OKBtn");
    }));
    EXPECT_EQ(record.name(), "Second Company");
    EXPECT_EQ(record.number(), "8");
    // A new company is not the current one, whatever it was copied from.
    EXPECT_FALSE(state_.companyChanged);
}

TEST_F(CompanyOptionsTest, CancelLeavesTheRecordButTheWorkingAreaKeepsFonts) {
    const CompanyRecord original = DistinctCompany();
    CompanyRecord record = original;
    record.setBackgroundBitmap("");
    const CompanyRecord shown = record;
    const base::FontChoice script{"Liberation Serif", 16};
    const base::FontChoice mono{"Liberation Mono", 11};
    const bool saved = Run(TCompSet::Purpose::Edit, record, [&] {
        prompts_.ExpectFont(script);
        QTimer::singleShot(0, [&] {
            Click("FontBtn1");
            QTest::mouseClick(headers_.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
        });
        Click("HeadersBtn");
        prompts_.ExpectFont(mono);
        Click("BrowFontDlg");
        EXPECT_EQ(Find<QLabel>("BrowFontSample").font().family(), "Liberation Mono");
        SetText("CAdd1", "changed");
        Click("CancelBtn");
    });
    EXPECT_FALSE(saved);
    EXPECT_TRUE(record == shown);
    ASSERT_EQ(prompts_.shown().size(), 2u);
    EXPECT_FALSE(prompts_.shown()[0].fixedPitchOnly);
    EXPECT_TRUE(prompts_.shown()[1].fixedPitchOnly);
    EXPECT_EQ(headers_.fonts()[0].name, "Liberation Serif");

    // The next edit starts again from the record's fonts.
    ASSERT_TRUE(Run(TCompSet::Purpose::Edit, record, [&] { Click("OKBtn"); }));
    EXPECT_EQ(headers_.fonts()[0], original.bodyFont());
    EXPECT_TRUE(record == shown);
}

TEST_F(CompanyOptionsTest, FontAndBitmapChoicesAreSavedAndCancelledDialogsChangeNothing) {
    CompanyRecord record = DistinctCompany();
    record.setBackgroundBitmap("");
    const std::string picture = dir_.file("back.bmp");
    QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(picture), "BMP");
    const base::FontChoice editor{"Liberation Sans", 12, true, false, false, false, 0x00FF00};
    ASSERT_TRUE(Run(TCompSet::Purpose::Edit, record, [&] {
        prompts_.ExpectFont(std::nullopt);
        Click("EnvFont");
        prompts_.ExpectFont(editor);
        Click("FontDialog1");
        prompts_.ExpectOpenFile(picture);
        Click("BitmapBtn");
        EXPECT_EQ(Find<QLabel>("PicName").text().toStdString(), picture);
        EXPECT_FALSE(Find<QLabel>("BitmapPreview").pixmap().isNull());
        Click("OKBtn");
    }));
    EXPECT_EQ(record.editorFont(), (FontSpec{"Liberation Sans", 12, 0x00FF00, kBold}));
    EXPECT_EQ(record.envelopeFont(), DistinctCompany().envelopeFont());
    EXPECT_EQ(record.backgroundBitmap(), picture);
    EXPECT_FALSE(state_.companyChanged);  // not the current company
    EXPECT_EQ(prompts_.shown()[2].filter, "Bitmap File (*.bmp)");
}

}  // namespace
}  // namespace shell::ui
