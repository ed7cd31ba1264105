#include "company/StarterData.h"

#include <cstdint>

namespace company {

namespace {

// Printed-form positions are printer units of the 600-dpi canvas.
void SetFormValues(records::CompanyRecord& c) {
    c.setPrintNewInvoices(true);
    c.setVerticalLines(true);
    c.setHorizontalLines(true);
    c.setLineWidth("2");
    c.setStatementBox(true);
    c.setInvoiceBox(true);
    c.setCustomerAgingOnForms(true);
    c.setShading(false);
    c.setLetterheadStyle(false);
    c.setSalesMessageOnForms(false);
    c.setProductCodesOnInvoices(true);
    c.setMoveDownTotals(false);
    c.setBoxTop("20");
    c.setFormTopMargin("60");
    c.setFormLeftMargin("60");
    c.setPrintLogo(false);
    c.setLogoBitmap("");
    c.setInvoiceCaption("INVOICE");
    c.setStatementCaption("STATEMENT");
    c.setPackingSlipCaption("PACKING SLIP");
    c.setFileCopyCaption("FILE COPY");
    c.setProductCodeHeader("Product Code");
    c.setQuantityHeader("Quantity");
    c.setDescriptionHeader("Description");
    c.setUnitCostHeader("Unit Price");
    c.setExtensionHeader("Amount");
    c.setTaxHeading("Sales Tax:");
    c.setMemoHeader("Description");
    c.setMaxLines("20");
    c.setBodyFont({"Arial", 10, records::kBlack, 0});
    c.setCaptionFont({"Arial", 20, records::kBlack, records::kBold});
    c.setCompanyAddressFont({"Arial", 11, records::kBlack, records::kBold});
    c.setCustomerAddressFont({"Arial", 10, records::kBlack, 0});
    c.setAgingFont({"Arial", 9, records::kBlack, 0});
    c.setSalesMessageFont({"Arial", 9, records::kBlack, records::kItalic});
    c.setMoveAddressesRight("0");
    c.setOmitCompanyAddress(false);
    c.setOmitLargeInvoiceNumber(false);
}

void SetEnvelopeAndOtherValues(records::CompanyRecord& c) {
    c.setEnvelopeFont({"Arial", 12, records::kBlack, 0});
    c.setEnvelopeLineSpacing("100");
    c.setEnvelopeLeftMargin("150");
    c.setEnvelopeTopMargin("150");
    c.setEnvelopeSendAddressLeft("2400");
    c.setEnvelopeOrientation("L");
    c.setEnvelopeAddress("B");
    c.setLabelQueueOnNewInvoice(false);
    c.setLabelQueueOnBatchPrint(false);
    c.setAuditTrail(false);
    c.setDefaultOutputEmail(false);
    c.setEmailWithoutAddress(false);
    c.setPromptBackupOnExit(false);
}

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

records::CompanyRecord StarterCompany() {
    records::CompanyRecord company;
    company.SetNewCompanyValues("1");
    SetFormValues(company);
    SetEnvelopeAndOtherValues(company);
    return company;
}

std::vector<std::string> StarterPaymentTerms() {
    return {"Net 30 Days", "Net 10 Days",    "Net 15 Days", "Net 45 Days",
            "Net 60 Days", "Due on Receipt", "COD",         "2% 10, Net 30 Days",
            "Prepaid",     "Net 30 Days EOM"};
}

std::string BackgroundTileBitmap() {
    constexpr int kSide = 32;
    constexpr int kRowBytes = kSide * 3;  // a multiple of four: no row padding
    constexpr int kPixelOffset = 14 + 40;
    std::string bmp = "BM";
    AppendLittleEndian(bmp, kPixelOffset + kRowBytes * kSide, 4);  // file size
    AppendLittleEndian(bmp, 0, 4);                                 // reserved
    AppendLittleEndian(bmp, kPixelOffset, 4);
    AppendLittleEndian(bmp, 40, 4);  // info header size
    AppendLittleEndian(bmp, kSide, 4);
    AppendLittleEndian(bmp, kSide, 4);
    AppendLittleEndian(bmp, 1, 2);   // planes
    AppendLittleEndian(bmp, 24, 2);  // bits per pixel
    AppendLittleEndian(bmp, 0, 4);   // no compression
    AppendLittleEndian(bmp, kRowBytes * kSide, 4);
    AppendLittleEndian(bmp, 2835, 4);  // 72 dpi
    AppendLittleEndian(bmp, 2835, 4);
    AppendLittleEndian(bmp, 0, 4);
    AppendLittleEndian(bmp, 0, 4);
    // A pale blue-grey ground with a faint diagonal weave.
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool thread = (x + y) % 8 == 0 || (x - y + kSide) % 8 == 0;
            const uint8_t shade = thread ? 228 : 240;
            bmp += static_cast<char>(shade + 8);  // blue
            bmp += static_cast<char>(shade + 2);  // green
            bmp += static_cast<char>(shade);      // red
        }
    }
    return bmp;
}

}  // namespace company
