#include "widgets/QtPromptService.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QStringDecoder>

#include "base/Windows1252.h"
#include "widgets/DatePicker.h"
#include "widgets/FileFilter.h"
#include "widgets/PrinterCanvas.h"

namespace widgets {

namespace {

// Texts are UTF-8, but a message built from a record's text carries its Windows-1252 bytes,
// which are shown as the letters they stand for rather than as replacement marks.
QString Q(std::string_view text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError()) return decoded;
    return QString::fromStdString(base::Win1252ToUtf8(text));
}

QWidget* DialogParent() {
    return QApplication::activeWindow();
}

QMessageBox::Icon ToQtIcon(base::PromptIcon icon) {
    switch (icon) {
        case base::PromptIcon::None:
            return QMessageBox::NoIcon;
        case base::PromptIcon::Information:
            return QMessageBox::Information;
        case base::PromptIcon::Warning:
            return QMessageBox::Warning;
        case base::PromptIcon::Error:
            return QMessageBox::Critical;
        case base::PromptIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(base::PromptButtons buttons) {
    switch (buttons) {
        case base::PromptButtons::Ok:
            return QMessageBox::Ok;
        case base::PromptButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case base::PromptButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case base::PromptButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Closing the box without a choice answers Cancel, or No when there is no Cancel button; a box
// with OK alone has no other answer.
QMessageBox::StandardButton EscapeButton(base::PromptButtons buttons) {
    switch (buttons) {
        case base::PromptButtons::Ok:
            return QMessageBox::Ok;
        case base::PromptButtons::YesNo:
            return QMessageBox::No;
        case base::PromptButtons::OkCancel:
        case base::PromptButtons::YesNoCancel:
            return QMessageBox::Cancel;
    }
    return QMessageBox::Cancel;
}

QMessageBox::StandardButton ToQtButton(base::PromptAnswer answer) {
    switch (answer) {
        case base::PromptAnswer::Ok:
            return QMessageBox::Ok;
        case base::PromptAnswer::Yes:
            return QMessageBox::Yes;
        case base::PromptAnswer::No:
            return QMessageBox::No;
        case base::PromptAnswer::Cancel:
            return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

std::optional<std::string> Chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

}  // namespace

QtPromptService::QtPromptService(QPrinter& printer) : printer_(printer) {}

QtPromptService::~QtPromptService() = default;

base::PromptAnswer QtPromptService::Message(std::string_view caption, std::string_view text,
                                            base::PromptIcon icon, base::PromptButtons buttons) {
    return ShowMessageBox(caption, text, icon, buttons, std::nullopt);
}

base::PromptAnswer QtPromptService::MessageWithDefault(std::string_view caption,
                                                       std::string_view text, base::PromptIcon icon,
                                                       base::PromptButtons buttons,
                                                       base::PromptAnswer defaultButton) {
    return ShowMessageBox(caption, text, icon, buttons, defaultButton);
}

base::PromptAnswer QtPromptService::ShowMessageBox(
    std::string_view caption, std::string_view text, base::PromptIcon icon,
    base::PromptButtons buttons, std::optional<base::PromptAnswer> defaultButton) {
    QMessageBox box(ToQtIcon(icon), Q(caption), Q(text), ToQtButtons(buttons), DialogParent());
    box.setObjectName("MessageBox");
    box.setEscapeButton(EscapeButton(buttons));
    if (defaultButton) box.setDefaultButton(ToQtButton(*defaultButton));
    switch (box.exec()) {
        case QMessageBox::Ok:
            return base::PromptAnswer::Ok;
        case QMessageBox::Yes:
            return base::PromptAnswer::Yes;
        case QMessageBox::No:
            return base::PromptAnswer::No;
        default:
            return buttons == base::PromptButtons::YesNo ? base::PromptAnswer::No
                                                         : base::PromptAnswer::Cancel;
    }
}

// The filters match names in any case; their rewritten patterns are not shown, only their names
// ("Bitmap File").
std::optional<std::string> QtPromptService::OpenFileName(std::string_view caption,
                                                         std::string_view directory,
                                                         std::string_view filter) {
    return Chosen(QFileDialog::getOpenFileName(DialogParent(), Q(caption), Q(directory),
                                               AnyCaseFileFilter(filter), nullptr,
                                               QFileDialog::HideNameFilterDetails));
}

std::optional<std::string> QtPromptService::SaveFileName(std::string_view caption,
                                                         std::string_view proposedName,
                                                         std::string_view filter) {
    return Chosen(QFileDialog::getSaveFileName(DialogParent(), Q(caption), Q(proposedName),
                                               AnyCaseFileFilter(filter), nullptr,
                                               QFileDialog::HideNameFilterDetails));
}

// The platform font dialog offers no colour, so a "Color..." button is added to its buttons; the
// colour chosen there travels with the font ("effects" of the font dialog).
std::optional<base::FontChoice> QtPromptService::ChooseFont(const base::FontChoice& initial,
                                                            bool fixedPitchOnly) {
    QFontDialog dialog(PrinterCanvas::ToQFont(initial), DialogParent());
    dialog.setWindowTitle("Font");
    dialog.setObjectName("FontDialog");
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (fixedPitchOnly) dialog.setOption(QFontDialog::MonospacedFonts);
    uint32_t color = initial.color;
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* colorButton = buttons->addButton("&Color...", QDialogButtonBox::ActionRole);
        colorButton->setObjectName("FontColorButton");
        QObject::connect(colorButton, &QPushButton::clicked, &dialog, [this, &color] {
            if (const auto picked = ChooseColor(color)) color = *picked;
        });
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QFont font = dialog.selectedFont();
    base::FontChoice chosen = initial;
    chosen.family = font.family().toStdString();
    chosen.pointSize = font.pointSize() > 0 ? font.pointSize() : initial.pointSize;
    chosen.bold = font.bold();
    chosen.italic = font.italic();
    chosen.underline = font.underline();
    chosen.strikeOut = font.strikeOut();
    chosen.color = color;
    return chosen;
}

std::optional<uint32_t> QtPromptService::ChooseColor(uint32_t initial) {
    const QColor color =
        QColorDialog::getColor(PrinterCanvas::ToQColor(initial), DialogParent(), "Color");
    if (!color.isValid()) return std::nullopt;
    return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
           static_cast<uint32_t>(color.blue()) << 16;
}

std::optional<base::Date> QtPromptService::PickDate(std::string_view caption, base::Date initial) {
    return datePicker().Pick(Q(caption), initial);
}

bool QtPromptService::PrintDialog(std::string_view title) {
    printer_.setDocName(Q(title));
    QPrintDialog dialog(&printer_, DialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtPromptService::PrinterSetup() {
    QPageSetupDialog dialog(&printer_, DialogParent());
    return dialog.exec() == QDialog::Accepted;
}

TCalForm& QtPromptService::datePicker() {
    if (!datePicker_) datePicker_ = std::make_unique<TCalForm>();
    return *datePicker_;
}

}  // namespace widgets
