#include "shell/ui/CompanyOptions.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <fstream>

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
        QTimer::singleShot(0, [&] {
            interact();
            if (dialog_.isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog_.reject();
            }
        });
        return dialog_.Execute(purpose, record, [this](const std::string& number) {
            asked_.push_back(number);
            return number == "7";
        });
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
    QString helpTopic_;
    std::vector<std::string> asked_;
    THeaderForm headers_{prompts_, [this](const QString& topic) { helpTopic_ = topic; }};
    TCompSet dialog_{state_, prompts_, headers_,
                     [this](const QString& topic) { helpTopic_ = topic; }};
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
        EXPECT_EQ(Find<QLineEdit>("CAdd3").text().toStdString(), original.address3());
        EXPECT_EQ(Find<QLineEdit>("MemoHeadr").text().toStdString(), original.memoHeader());
        EXPECT_TRUE(Find<QRadioButton>("DDMMYY").isChecked());
        EXPECT_TRUE(Find<QRadioButton>("DMemo").isChecked());
        EXPECT_EQ(Find<QComboBox>("DFTerms").count(), 2);
        EXPECT_EQ(Find<QComboBox>("DFTerms").currentText().toStdString(), original.defaultTerms());
        Click("OKBtn");
    });
    ASSERT_TRUE(saved);
    EXPECT_TRUE(record == original);
    for (const base::FieldInfo& field : CompanyRecord::Fields()) {
        EXPECT_EQ(std::memcmp(record.data() + field.offset, original.data() + field.offset,
                              field.size + 1),
                  0)
            << field.name;
    }
}

TEST_F(CompanyOptionsTest, ControlsAreCopiedIntoTheirFields) {
    CompanyRecord record = DistinctCompany();
    record.setBackgroundBitmap("");
    ASSERT_TRUE(Run(TCompSet::Purpose::Edit, record, [&] {
        SetText("CAdd2", "Pier 4");
        SetText("ExtraAdd1", "555-0100");
        SetText("SM4", "Thank you!");
        SetText("Edit8", "Price:");
        Find<QCheckBox>("HorLCB").setChecked(true);
        Find<QCheckBox>("VLineCB").setChecked(false);
        Find<QCheckBox>("AuditCB").setChecked(true);
        Find<QCheckBox>("LandSCB").setChecked(false);
        Find<QCheckBox>("UseShipAdd").setChecked(true);
        Find<QRadioButton>("MMDDYY").setChecked(true);
        Find<QRadioButton>("DProd").setChecked(true);
        Find<QComboBox>("DFTerms").setCurrentIndex(0);
        Click("OKBtn");
    }));
    EXPECT_EQ(record.address2(), "Pier 4");
    EXPECT_EQ(record.address5(), "555-0100");
    EXPECT_EQ(record.salesMessage4(), "Thank you!");
    EXPECT_EQ(record.unitCostHeader(), "Price:");
    EXPECT_TRUE(record.verticalLines());
    EXPECT_FALSE(record.horizontalLines());
    EXPECT_TRUE(record.auditTrail());
    EXPECT_EQ(record.envelopeOrientation(), "P");
    EXPECT_EQ(record.envelopeAddress(), "S");
    EXPECT_EQ(record.dateFormat(), "M");
    EXPECT_EQ(record.defaultInvoiceType(), "P");
    EXPECT_EQ(record.defaultTerms(), "COD");
}

TEST_F(CompanyOptionsTest, AgingDaysNeedTwoDaysBetweenCategories) {
    CompanyRecord record = DistinctCompany();
    record.setBackgroundBitmap("");
    ASSERT_TRUE(Run(TCompSet::Purpose::Edit, record, [&] {
        SetText("CAVal1", "30");
        SetText("CAVal2", "31");
        SetText("CAVal3", "90");
        prompts_.ExpectInform("Aging Category 2",
                              "The aging days for category 2 must be greater than category 1 by "
                              "at least 2 days.");
        Click("OKBtn");
        EXPECT_TRUE(dialog_.isVisible());
        EXPECT_EQ(Page(), static_cast<int>(CompanyOptionsPage::EnvelopesAging));
        EXPECT_EQ(dialog_.focusWidget(), &Find<QLineEdit>("CAVal2"));

        SetText("CAVal2", "32");
        SetText("CAVal3", "33");
        prompts_.ExpectInform("Aging Category 3",
                              "The aging days for category 3 must be greater than category 2 by "
                              "at least 2 days.");
        Click("OKBtn");
        EXPECT_EQ(dialog_.focusWidget(), &Find<QLineEdit>("CAVal3"));

        SetText("CAVal3", "34");
        Click("OKBtn");
    }));
    EXPECT_EQ(record.agingDays3(), "34");
}

TEST_F(CompanyOptionsTest, BlankNameAndTakenNumberAreRefusedWhenAdding) {
    CompanyRecord record = state_.currentCompany;
    record.SetNewCompanyValues("7");
    record.setBackgroundBitmap("");
    ASSERT_TRUE(Run(TCompSet::Purpose::Add, record, [&] {
        EXPECT_EQ(dialog_.windowTitle(), "New Company");
        EXPECT_FALSE(Find<QLineEdit>("CoNumb").isReadOnly());
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
    EXPECT_EQ(asked_, (std::vector<std::string>{"7", "8"}));
    EXPECT_EQ(record.name(), "Second Company");
    EXPECT_EQ(record.number(), "8");
    // A new company is not the current one, whatever it was copied from.
    EXPECT_FALSE(state_.companyChanged);
}

TEST_F(CompanyOptionsTest, SavingTheCurrentCompanySetsTheCompanyChangedFlag) {
    CompanyRecord other = DistinctCompany();
    other.setBackgroundBitmap("");
    ASSERT_TRUE(Run(TCompSet::Purpose::Edit, other, [&] { Click("OKBtn"); }));
    EXPECT_FALSE(state_.companyChanged);

    CompanyRecord current = other;
    current.setNumber(" 1");
    ASSERT_FALSE(Run(TCompSet::Purpose::Edit, current, [&] { Click("CancelBtn"); }));
    EXPECT_FALSE(state_.companyChanged);
    ASSERT_TRUE(Run(TCompSet::Purpose::Edit, current, [&] { Click("OKBtn"); }));
    EXPECT_TRUE(state_.companyChanged);
}

TEST_F(CompanyOptionsTest, CancelLeavesTheRecordButTheWorkingAreaKeepsFonts) {
    const CompanyRecord original = DistinctCompany();
    CompanyRecord record = original;
    record.setBackgroundBitmap("");
    const CompanyRecord shown = record;
    base::FontChoice script;
    script.family = "Liberation Serif";
    script.pointSize = 16;
    base::FontChoice mono;
    mono.family = "Liberation Mono";
    mono.pointSize = 11;
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
    base::FontChoice editor;
    editor.family = "Liberation Sans";
    editor.pointSize = 12;
    editor.bold = true;
    editor.color = 0x00FF00;
    ASSERT_TRUE(Run(TCompSet::Purpose::Edit, record, [&] {
        prompts_.ExpectFont(std::nullopt);
        Click("EnvFont");
        prompts_.ExpectFont(editor);
        Click("FontDialog1");
        prompts_.ExpectOpenFile(std::nullopt);
        Click("LogoBitmapBtn");
        prompts_.ExpectOpenFile(picture);
        Click("BitmapBtn");
        EXPECT_EQ(Find<QLabel>("PicName").text().toStdString(), picture);
        EXPECT_FALSE(Find<QLabel>("BitmapPreview").pixmap().isNull());
        Click("OKBtn");
    }));
    EXPECT_EQ(record.editorFont(), (FontSpec{"Liberation Sans", 12, 0x00FF00, kBold}));
    EXPECT_EQ(record.envelopeFont(), DistinctCompany().envelopeFont());
    EXPECT_EQ(record.backgroundBitmap(), picture);
    EXPECT_EQ(record.logoBitmap(), DistinctCompany().logoBitmap());
    EXPECT_EQ(prompts_.shown()[2].filter, "Bitmap File (*.bmp)");
}

TEST_F(CompanyOptionsTest, HelpFollowsThePageShown) {
    CompanyRecord record = DistinctCompany();
    record.setBackgroundBitmap("");
    Run(TCompSet::Purpose::Edit, record, [&] {
        for (int page = 0; page < 8; ++page) {
            Find<QTabWidget>("PageControl1").setCurrentIndex(page);
            Click("HelpBtn");
            EXPECT_EQ(helpTopic_.toStdString(),
                      CompanyOptionsHelpTopic(static_cast<CompanyOptionsPage>(page)));
        }
        Click("CancelBtn");
    });
}

}  // namespace
}  // namespace shell::ui
