#include "tool/PdfFolderSink.h"

#include "widgets/PdfFile.h"

namespace tool {
namespace {

// The invoice number as part of a file name: anything but a letter, a digit, '-' or '_' becomes
// '_', so a number can neither leave the folder nor clash with the shell.
std::string FileNamePart(const std::string& number) {
    std::string safe = number;
    for (char& c : safe) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!kept) c = '_';
    }
    return safe;
}

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

std::unique_ptr<invoicing::PrintSink> PdfFolderSink(const std::filesystem::path& folder,
                                                    std::vector<std::string>& written) {
    return std::make_unique<PdfFolder>(folder, written);
}

}  // namespace tool
