#include "tool/PdfFolderSink.h"

#include "tool/SafeFileName.h"
#include "widgets/PdfFile.h"

namespace tool {
namespace {

std::string Suffix(const invoicing::PrintedCopy& copy) {
    switch (copy.kind) {
        case invoicing::DocumentKind::PackingSlip:
            return "packing-slip";
        case invoicing::DocumentKind::FileCopy:
            return "file-copy-" + std::to_string(copy.copy);
        case invoicing::DocumentKind::Invoice:
            break;
    }
    return "invoice";
}

class PdfFolder : public invoicing::PrintSink {
public:
    PdfFolder(std::filesystem::path folder, std::vector<std::string>& written)
        : folder_(std::move(folder)), written_(written) {}

    bool Print(const invoicing::PrintedCopy& copy,
               const std::function<bool(base::Canvas&)>& draw) override {
        const std::string path =
            (folder_ / (FileNamePart(copy.number) + "-" + Suffix(copy) + ".pdf")).string();
        if (!widgets::WritePdf(path, draw)) return false;
        written_.push_back(path);
        return true;
    }

private:
    std::filesystem::path folder_;
    std::vector<std::string>& written_;
};

}  // namespace

std::unique_ptr<PdfWriterReady> KeepPdfWriterReady() {
    struct Ready : PdfWriterReady {
        widgets::PdfWriterSession session;
    };
    return std::make_unique<Ready>();
}

bool WritePdfFile(const std::string& path, const std::function<bool(base::Canvas&)>& draw) {
    return widgets::WritePdf(path, draw);
}

std::unique_ptr<invoicing::PrintSink> PdfFolderSink(const std::filesystem::path& folder,
                                                    std::vector<std::string>& written) {
    return std::make_unique<PdfFolder>(folder, written);
}

}  // namespace tool
