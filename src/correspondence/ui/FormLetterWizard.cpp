#include "correspondence/ui/FormLetterWizard.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QVBoxLayout>
#include <filesystem>

#include "company/SmallFile.h"
#include "correspondence/LetterFile.h"
#include "correspondence/LetterMerge.h"
#include "correspondence/LetterRun.h"
#include "correspondence/QueueCustomers.h"
#include "widgets/PrinterCanvas.h"
#include "widgets/RichTextDocument.h"

namespace correspondence::ui {
namespace {

constexpr char kCaption[] = "Form Letter Wizard";
constexpr char kLetterFilter[] = "Rich Text Files (*.RTF);;Text Files (*.TXT)";
constexpr char kUntitled[] = "Untitled";
constexpr double kIndentStep = 24;  // pixels: a quarter of an inch on the screen

}  // namespace

TLetterWiz::TLetterWiz(FormLetterServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
    setObjectName("LetterWiz");
    auto* root = new QVBoxLayout(this);
    editor_ = new QTextEdit;
    editor_->setObjectName("RichEdit1");
    editor_->setAcceptRichText(true);
    editor_->setTabChangesFocus(false);

    auto* menuBar = new QMenuBar(this);
    root->setMenuBar(menuBar);
    const auto action = [this](QMenu* menu, const char* name, const QString& text,
                               QKeySequence keys, auto slot) {
        QAction* a = menu->addAction(text, this, slot);
        a->setObjectName(name);
        a->setShortcut(keys);
        return a;
    };
    QMenu* file = menuBar->addMenu("&File");
    action(file, "FileNewItem", "&New", QKeySequence::New, [this] { FileNew(); });
    action(file, "FileOpenItem", "&Open...", QKeySequence::Open, [this] { FileOpen(); });
    action(file, "FileSaveItem", "&Save", QKeySequence::Save, [this] { (void)FileSave(); });
    action(file, "FileSaveAsItem", "Save &As...", {}, [this] { (void)FileSaveAs(); });
    action(file, "FileQueueItem", "&Queue...", {}, [this] { services_.showQueue(); });
    action(file, "FilePrintItem", "&Print", QKeySequence::Print, [this] { FilePrint(); });
    action(file, "FilePrintSetupItem", "P&rinter Setup", {},
           [this] { (void)services_.files.prompts.PrinterSetup(); });
    file->addSeparator();
    action(file, "FileExitItem", "&Close", {}, [this] { reject(); });
    QMenu* edit = menuBar->addMenu("&Edit");
    action(edit, "EditUndoItem", "&Undo", QKeySequence::Undo, [this] { editor_->undo(); });
    action(edit, "EditCutItem", "Cu&t", QKeySequence::Cut, [this] { editor_->cut(); });
    action(edit, "EditCopyItem", "&Copy", QKeySequence::Copy, [this] { editor_->copy(); });
    action(edit, "EditPasteItem", "&Paste", QKeySequence::Paste, [this] { editor_->paste(); });

    auto* tools = new QToolBar;
    const auto tool = [&](const char* name, const QString& text, const QString& tip,
                          QKeySequence keys, auto slot) {
        QAction* a = tools->addAction(text, this, slot);
        a->setObjectName(name);
        a->setShortcut(keys);
        a->setToolTip(tip);
        return a;
    };
    tool("OpenButton", "Open", "Open", {}, [this] { FileOpen(); });
    tool("SaveButton", "Save", "Save", {}, [this] { (void)FileSave(); });
    tool("PrintButton", "Print", "Print", {}, [this] { FilePrint(); });
    tools->addSeparator();
    fontName_ = new QFontComboBox;
    fontName_->setObjectName("FontName");
    tools->addWidget(fontName_);
    fontSize_ = new QSpinBox;
    fontSize_->setObjectName("FontSize");
    fontSize_->setRange(4, 200);
    tools->addWidget(fontSize_);
    tool("MainFont", "Font...", "Font", {}, [this] {
        const auto chosen = services_.files.prompts.ChooseFont(
            {editor_->currentFont().family().toStdString(),
             static_cast<int>(editor_->currentFont().pointSizeF())},
            false);
        if (!chosen) return;
        MergeFormat([&](QTextCharFormat& f) {
            f.setFont(widgets::PrinterCanvas::ToQFont(*chosen));
            f.setForeground(widgets::PrinterCanvas::ToQColor(chosen->color));
        });
    });
    bold_ = tool("BoldButton", "B", "Bold", QKeySequence::Bold, [this] {
        MergeFormat([&](QTextCharFormat& f) {
            f.setFontWeight(bold_->isChecked() ? QFont::Bold : QFont::Normal);
        });
    });
    italic_ = tool("ItalicButton", "I", "Italic", QKeySequence::Italic, [this] {
        MergeFormat([&](QTextCharFormat& f) { f.setFontItalic(italic_->isChecked()); });
    });
    underline_ = tool("UnderlineButton", "U", "Underline", QKeySequence::Underline, [this] {
        MergeFormat([&](QTextCharFormat& f) { f.setFontUnderline(underline_->isChecked()); });
    });
    for (QAction* a : {bold_, italic_, underline_}) a->setCheckable(true);
    tool("BulletsButton", "\u2022 List", "Bullets", {}, [this] {
        QTextCursor cursor = editor_->textCursor();
        if (QTextList* list = cursor.currentList()) {
            list->remove(cursor.block());
            QTextBlockFormat block = cursor.blockFormat();
            block.setIndent(0);
            cursor.setBlockFormat(block);
        } else {
            cursor.createList(QTextListFormat::ListDisc);
        }
    });
    tool("LeftAlign", "Left", "Align Left", {}, [this] { editor_->setAlignment(Qt::AlignLeft); });
    tool("CenterAlign", "Center", "Center", {},
         [this] { editor_->setAlignment(Qt::AlignHCenter); });
    tool("RightAlign", "Right", "Align Right", {},
         [this] { editor_->setAlignment(Qt::AlignRight); });
    tool("IndentLess", "\u2190 Indent", "Indent Less", {}, [this] { Indent(-1); });
    tool("IndentMore", "Indent \u2192", "Indent More", {}, [this] { Indent(1); });
    root->addWidget(tools);

    auto* keywordRow = new QHBoxLayout;
    keywords_ = new QComboBox;
    keywords_->setObjectName("ComboBox1");
    for (const std::string& entry : KeywordListEntries())
        keywords_->addItem(QString::fromStdString(entry));
    auto* keywordLabel = new QLabel("&Keywords:");
    keywordLabel->setBuddy(keywords_);
    auto* queue = new QPushButton("Queue");
    queue->setObjectName("BitBtn3");
    queue->setAutoDefault(false);
    connect(queue, &QPushButton::clicked, this, [this] { services_.showQueue(); });
    auto* help = new QPushButton("Help");
    help->setObjectName("HelpBtn");
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { services_.showHelp("FormWizard"); });
    keywordRow->addWidget(keywordLabel);
    keywordRow->addWidget(keywords_, 1);
    keywordRow->addWidget(queue);
    keywordRow->addWidget(help);
    root->addLayout(keywordRow);
    root->addWidget(editor_, 1);
    status_ = new QLabel;
    status_->setObjectName("StatusPanel");
    status_->setFrameShape(QFrame::StyledPanel);
    status_->hide();
    root->addWidget(status_);

    connect(fontName_, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        if (fontName_->hasFocus())
            MergeFormat([&](QTextCharFormat& f) { f.setFontFamilies({font.family()}); });
    });
    connect(fontSize_, &QSpinBox::valueChanged, this, [this](int size) {
        if (fontSize_->hasFocus())
            MergeFormat([&](QTextCharFormat& f) { f.setFontPointSize(size); });
    });
    connect(editor_, &QTextEdit::currentCharFormatChanged, this, [this] { ShowSelectionFormat(); });
    FileNew();
    resize(980, 660);
}

void TLetterWiz::Execute() {
    editor_->setFocus();
    exec();
}

void TLetterWiz::SetFileName(const std::string& path) {
    fileName_ = path;
    setWindowTitle(QString(kCaption) + " - " +
                   (path.empty() ? QString(kUntitled)
                                 : QString::fromStdString(std::filesystem::path(path).filename())));
}

void TLetterWiz::FileNew() {
    editor_->clear();
    editor_->setCurrentFont(widgets::PrinterCanvas::ToQFont(kPlainLetterFont));
    editor_->document()->setModified(false);
    SetFileName({});
}

bool TLetterWiz::AskSaveChanges() {
    if (!editor_->document()->isModified()) return true;
    const std::string name = fileName_.empty() ? kUntitled : fileName_;
    switch (services_.files.prompts.Message(kCaption, "Save changes to " + name + "?",
                                            base::PromptIcon::Question,
                                            base::PromptButtons::YesNoCancel)) {
        case base::PromptAnswer::Yes:
            return FileSave();
        case base::PromptAnswer::No:
            return true;
        default:
            return false;
    }
}

void TLetterWiz::FileOpen() {
    if (!AskSaveChanges()) return;
    const auto path = services_.files.prompts.OpenFileName("Open", "", kLetterFilter);
    if (!path) return;
    const auto contents = company::ReadSmallFile(services_.files.engine.fileSystem(), *path);
    if (!contents) {
        services_.files.prompts.Warn(kCaption, "Unable to read " + *path + ".");
        return;
    }
    widgets::ShowRichDocument(LetterFromFile(*contents, kPlainLetterFont), *editor_->document());
    SetFileName(*path);
}

bool TLetterWiz::WriteLetter(const std::string& path) {
    const std::string contents =
        LetterFileContents(widgets::ReadRichDocument(*editor_->document()), IsTextLetterName(path));
    if (!company::ReplaceSmallFile(services_.files.engine.fileSystem(), path, contents,
                                   company::SmallFileAccess::Everyone)) {
        services_.files.prompts.Warn(kCaption, "Unable to write " + path + ".");
        return false;
    }
    editor_->document()->setModified(false);
    SetFileName(path);
    return true;
}

bool TLetterWiz::FileSave() {
    return fileName_.empty() ? FileSaveAs() : WriteLetter(fileName_);
}

bool TLetterWiz::FileSaveAs() {
    const auto path = services_.files.prompts.SaveFileName("Save As", fileName_, kLetterFilter);
    if (!path) return false;
    if (std::filesystem::exists(*path) &&
        services_.files.prompts.Message(kCaption, "OK to overwrite " + *path,
                                        base::PromptIcon::Question,
                                        base::PromptButtons::OkCancel) != base::PromptAnswer::Ok)
        return false;
    return WriteLetter(*path);
}

void TLetterWiz::FilePrint() {
    base::PromptService& prompts = services_.files.prompts;
    company::ProgramState& state = services_.files.state;
    const base::RichDocument letter = widgets::ReadRichDocument(*editor_->document());
    if (const auto refusal = LetterCheck(letter, state.printQueue.size())) {
        prompts.Inform(kLetterCaption, *refusal);
        return;
    }
    if (!prompts.PrintDialog("Form Letter") || !AskSaveChanges()) return;

    editor_->hide();
    status_->setText("Processing...");
    status_->show();
    QApplication::processEvents();
    const QueuedRecords read = ReadQueuedCustomers(
        services_.files.engine, prompts, state.currentCompany.code(), state.printQueue.items());
    LetterRunResult result;
    if (read.failure) {
        prompts.Warn(kLetterCaption, *read.failure);
    } else {
        widgets::PrinterCanvas canvas(services_.printer);
        // A printer that writes a file keeps every letter: one file, a page per customer.
        if (services_.printer.outputFormat() == QPrinter::PdfFormat) canvas.JoinDocuments();
        result = PrintLetters(canvas, letter, state.currentCompany, state.printQueue.items(),
                              read.customers, [this](const std::string& text) {
                                  status_->setText(QString::fromStdString(text));
                                  QApplication::processEvents();
                              });
    }
    status_->hide();
    editor_->show();
    editor_->setFocus();
    editor_->document()->setModified(false);
    if (!result.skipped.empty()) {
        std::string text = "These queued customers got no letter:";
        for (const std::string& why : result.skipped) text += "\n" + why;
        prompts.Warn(kLetterCaption, text);
    }
}

void TLetterWiz::reject() {
    if (AskSaveChanges()) QDialog::reject();
}

void TLetterWiz::MergeFormat(const std::function<void(QTextCharFormat&)>& change) {
    QTextCharFormat format;
    change(format);
    // The selection changes; without one, what is typed next.
    editor_->mergeCurrentCharFormat(format);
    editor_->setFocus();
}

void TLetterWiz::Indent(int steps) {
    QTextCursor cursor = editor_->textCursor();
    QTextBlockFormat block = cursor.blockFormat();
    block.setLeftMargin(std::max(0.0, block.leftMargin() + steps * kIndentStep));
    cursor.setBlockFormat(block);
}

void TLetterWiz::ShowSelectionFormat() {
    const QFont font = editor_->currentFont();
    bold_->setChecked(font.bold());
    italic_->setChecked(font.italic());
    underline_->setChecked(font.underline());
    const QSignalBlocker blockName(fontName_);
    const QSignalBlocker blockSize(fontSize_);
    fontName_->setCurrentFont(font);
    fontSize_->setValue(static_cast<int>(font.pointSizeF()));
}

}  // namespace correspondence::ui
