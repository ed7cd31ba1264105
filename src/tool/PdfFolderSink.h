#pragma once
// Printed copies written as PDF files into a folder, one file per copy, for the operations of
// `post` that print. Only a tool built with Qt has the fonts to lay out a form with.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "invoicing/InvoiceDispatch.h"

namespace tool {

// A sink that writes each copy to `folder` as "<number>-invoice.pdf", "<number>-packing-slip.pdf"
// or "<number>-file-copy-<n>.pdf" and appends each path written to `written`, which must outlive
// it. Nothing when this tool was built without Qt.
std::unique_ptr<invoicing::PrintSink> PdfFolderSink(const std::filesystem::path& folder,
                                                    std::vector<std::string>& written);

// What writing PDF files needs, kept ready while the answer lives, so a run that writes many
// starts it once; nothing when this tool was built without Qt.
class PdfWriterReady {
public:
    virtual ~PdfWriterReady() = default;
};
std::unique_ptr<PdfWriterReady> KeepPdfWriterReady();

// One printed form written to the PDF file `path`; false when it cannot be written or this tool
// was built without Qt.
bool WritePdfFile(const std::string& path, const std::function<bool(base::Canvas&)>& draw);

}  // namespace tool
