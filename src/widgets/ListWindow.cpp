#include "widgets/ListWindow.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "base/RichText.h"
#include "widgets/PrinterCanvas.h"

namespace widgets {

namespace {

constexpr int kProposedNameLength = 12;
constexpr char kRtfFilter[] = "Rich Text File (*.RTF)";
constexpr char kCsvFilter[] = "Comma Separated Values (*.CSV)";

bool IsCsvName(const std::string& path) {
    return QString::fromStdString(path).endsWith(".CSV", Qt::CaseInsensitive);
}

// Replaces the file with `bytes`; false when it cannot be written whole.
bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

QPushButton* AddButton(QHBoxLayout* row, QWidget* parent, const char* name, const QString& text,
                       const QString& hint) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The text line by line from the top-left margin of each page, a new page when one is full.
void PrintLines(base::Canvas& canvas, const std::vector<std::string>& lines,
                const base::FontChoice& font) {
    canvas.SetFont(font);
    const int margin = canvas.DotsPerInch() / 2;
    const int height = std::max(1, canvas.TextHeight("Ag"));
    int y = margin;
    for (const std::string& line : lines) {
        if (y + height > canvas.PageHeight() - margin && y > margin) {
            canvas.NewPage();
            y = margin;
        }
        if (!line.empty()) canvas.TextOut(margin, y, line);
        y += height;
    }
}

}  // namespace

TListWindow::TListWindow(base::PromptService& prompts, CanvasFactory printerCanvas, QWidget* parent)
    : QDialog(parent), prompts_(prompts), printerCanvas_(std::move(printerCanvas)) {
    setObjectName("ListWindow");
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(800, 560);

    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    QPushButton* print = AddButton(buttons, this, "PrintBtn", tr("&Print"), "Print");
    QPushButton* font = AddButton(buttons, this, "FontBtn", tr("&Font/Color"), "Font/Color");
    QPushButton* save = AddButton(buttons, this, "SaveBtn", tr("&Save to File"), "Save to File");
    QPushButton* close = AddButton(buttons, this, "CloseBtn", tr("&Close"), "Close");
    buttons->addStretch();

    view_ = new QPlainTextEdit(this);
    view_->setObjectName("RichEdit1");
    view_->setReadOnly(true);
    view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(view_, 1);
    setFocusProxy(view_);

    connect(print, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    connect(font, &QPushButton::clicked, this, [this] { FontBtnClick(); });
    connect(save, &QPushButton::clicked, this, [this] { SaveBtnClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    ApplyFont(base::FontChoice{"Courier New", 10, false, false, false, false, 0});
}

TListWindow::~TListWindow() = default;

void TListWindow::Prepare(const QString& caption, const std::string& kind, const std::string& text,
                          const base::FontChoice& managersFont, const std::string& csv) {
    setWindowTitle(caption);
    kind_ = kind;
    csv_ = csv;
    managersFont_ = managersFont;
    view_->setPlainText(QString::fromStdString(text));
}

int TListWindow::ShowList(const QString& caption, const std::string& kind, const std::string& text,
                          const base::FontChoice& managersFont, const std::string& csv) {
    Prepare(caption, kind, text, managersFont, csv);
    setWindowState(windowState() | Qt::WindowMaximized);
    return exec();
}

std::string TListWindow::text() const {
    return view_->toPlainText().toStdString();
}

void TListWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TListWindow::FormShow() {
    ApplyFont(managersFont_);
    view_->setFocus();
}

void TListWindow::ApplyFont(const base::FontChoice& font) {
    viewFont_ = font;
    view_->setFont(PrinterCanvas::ToColumnFont(font));
    QPalette palette = view_->palette();
    palette.setColor(QPalette::Text, PrinterCanvas::ToQColor(font.color));
    view_->setPalette(palette);
}

// The print dialog picks the printer, or "Print to file (PDF)" on a machine without one.
void TListWindow::PrintBtnClick() {
    const std::string title = windowTitle().toStdString();
    if (!prompts_.PrintDialog(title)) return;
    const std::shared_ptr<base::Canvas> canvas = printerCanvas_ ? printerCanvas_() : nullptr;
    if (!canvas || !canvas->BeginDocument(title)) {
        prompts_.Warn("Print",
                      "The list could not be printed. Check that the printer is ready, "
                      "or print to a file in a folder you can write to.");
        return;
    }
    PrintLines(*canvas, LinesOf(text()), viewFont_);
    canvas->EndDocument();
}

void TListWindow::FontBtnClick() {
    if (const std::optional<base::FontChoice> chosen = prompts_.ChooseFont(viewFont_, false))
        ApplyFont(*chosen);
}

// The file dialog answers only a name, so the name's extension decides the format; a name without
// one is rich text.
void TListWindow::SaveBtnClick() {
    const std::string proposed = (kind_ + ".RTF").substr(0, kProposedNameLength);
    const std::string filter =
        csv_.empty() ? kRtfFilter : std::string(kRtfFilter) + ";;" + kCsvFilter;
    std::optional<std::string> path = prompts_.SaveFileName("Save As", proposed, filter);
    if (!path) return;
    if (!std::filesystem::path(*path).has_extension()) *path += ".RTF";
    const bool saved =
        !csv_.empty() && IsCsvName(*path)
            ? WriteBytes(*path, csv_)
            : base::SaveRtf(base::RichDocument::FromPlainText(text(), viewFont_), *path);
    if (!saved) prompts_.Warn("Save As", "The file " + *path + " could not be written.");
}

}  // namespace widgets
