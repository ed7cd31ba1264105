#include "widgets/PdfFile.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "widgets/PrinterCanvas.h"

namespace widgets {
namespace {

// Qt's platform code asks for the user's runtime directory and warns on standard error when the
// environment names none, as under cron or a plain ssh session. A folder of our own (mkdtemp
// makes it 0700, as Qt requires) stands in for it while the application object lives, so the
// tool's output stays clean; it is removed again afterwards.
class PrivateRuntimeDir {
public:
    PrivateRuntimeDir() {
        if (std::getenv("XDG_RUNTIME_DIR")) return;
        std::error_code error;
        const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
        if (error) return;
        std::string pattern = (temp / "kt-invorra-runtime-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;
        path_ = pattern;
        setenv("XDG_RUNTIME_DIR", pattern.c_str(), 1);
    }
    ~PrivateRuntimeDir() {
        if (!path_) return;
        unsetenv("XDG_RUNTIME_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(*path_, ignored);
    }
    PrivateRuntimeDir(const PrivateRuntimeDir&) = delete;
    PrivateRuntimeDir& operator=(const PrivateRuntimeDir&) = delete;

private:
    std::optional<std::filesystem::path> path_;
};

}  // namespace

struct PdfWriterSession::Held {
    // Declared first, so it outlives the application object.
    std::optional<PrivateRuntimeDir> runtimeDir;
    std::unique_ptr<QGuiApplication> application;
};

PdfWriterSession::PdfWriterSession() : held_(std::make_unique<Held>()) {
    static int argc = 1;
    static char name[] = "kt-invorra";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    held_->runtimeDir.emplace();
    held_->application = std::make_unique<QGuiApplication>(argc, argv);
}

PdfWriterSession::~PdfWriterSession() = default;

bool WritePdf(const std::string& path, const std::function<bool(base::Canvas&)>& draw,
              double marginInches) {
    const PdfWriterSession session;
    const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                             QMarginsF(marginInches, marginInches, marginInches, marginInches),
                             QPageLayout::Inch);
    PrinterCanvas canvas(QString::fromStdString(path), layout);
    // One file holds every document drawn: the letters of a merge follow one another.
    canvas.JoinDocuments();
    return draw(canvas);
}

}  // namespace widgets
