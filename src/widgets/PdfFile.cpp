#include "widgets/PdfFile.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <cstdlib>
#include <memory>

#include "widgets/PrinterCanvas.h"

namespace widgets {

bool WritePdf(const std::string& path, const std::function<bool(base::Canvas&)>& draw) {
    static int argc = 1;
    static char name[] = "kt-invorra";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QGuiApplication> application;
    if (!QCoreApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                             QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    PrinterCanvas canvas(QString::fromStdString(path), layout);
    return draw(canvas);
}

}  // namespace widgets
