#include "widgets/DataBrowser.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <optional>

#include "base/Windows1252.h"
#include "engine/RecordFile.h"
#include "widgets/PrinterCanvas.h"

namespace widgets {

namespace {

constexpr int kTextMargin = 2;  // pixels left of the first column
constexpr int kWheelRows = 3;   // rows scrolled per wheel notch
constexpr int kFilterProgressEvery = 100;

// The characters that position the browser at the key made of them alone.
bool IsPositioningCharacter(QChar ch) {
    const char16_t c = ch.unicode();
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           QStringView(u"ÄÖÜßäöü").contains(ch);
}

}  // namespace

TFvcBrowser::TFvcBrowser(base::PromptService& prompts, QWidget* parent)
    : QAbstractScrollArea(parent), prompts_(prompts) {
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed = PrinterCanvas::ToColumnFont(base::FontChoice{.family = "Courier New"});
    fixed.setPixelSize(13);
    setFont(fixed);

    const QPalette& pal = palette();
    color_ = pal.color(QPalette::Base);
    textColor_ = Qt::black;
    headerColor_ = footerColor_ = pal.color(QPalette::Button);
    headerTxtColor_ = footerTxtColor_ = pal.color(QPalette::ButtonText);
    highlightColor_ = pal.color(QPalette::Highlight);
    highlightTxtColor_ = pal.color(QPalette::HighlightedText);

    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, TFvcDataSource::kScrollScale);
    vertical->setSingleStep(1);
    vertical->setPageStep(8);
    connect(vertical, &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollBarAction(action); });
    connect(vertical, &QAbstractSlider::sliderReleased, this, [this] { UpdateScrollBars(); });
    connect(horizontalScrollBar(), &QAbstractSlider::valueChanged, this, [this](int value) {
        if (!updatingScrollBars_) SetHorizOfs(value);
    });
}

TFvcBrowser::~TFvcBrowser() = default;

// ---- data source --------------------------------------------------------------------------------

void TFvcBrowser::AttachDataSource(std::unique_ptr<TFvcDataSource> source) {
    source_ = std::move(source);
    rows_.clear();
    current_ = -1;
    horizOfs_ = 0;
    if (!source_) return;
    if (!firstInitDone_) {
        firstInitDone_ = true;
        if (OnFirstUserInit) OnFirstUserInit(*this);
    }
    Act([this] { ShowFirst(); });
}

void TFvcBrowser::DetachDataSource() {
    const bool hadRow = current_ >= 0;
    source_.reset();
    rows_.clear();
    current_ = -1;
    UpdateScrollBars();
    viewport()->update();
    if (hadRow && OnRowChanged) OnRowChanged(*this);
}

// ---- actions ------------------------------------------------------------------------------------

template <typename Action>
void TFvcBrowser::Act(Action action) {
    if (!source_) return;
    std::optional<BrowserEntry> before;
    if (current_ >= 0) before = EntryOf(rows_[current_]);
    failed_ = false;
    filterStopped_ = false;
    filterRejections_ = 0;
    source_->ForgetCursor();
    action();
    if (filterRejections_ > 0 && OnShowFilterWorking) {
        bool stop = false;
        OnShowFilterWorking(*this, 2, stop);
    }
    UpdateScrollBars();
    viewport()->update();
    std::optional<BrowserEntry> after;
    if (current_ >= 0) after = EntryOf(rows_[current_]);
    if (after != before && OnRowChanged) OnRowChanged(*this);
}

void TFvcBrowser::PositionAtKey(const std::string& key, int32_t recordNumber) {
    Act([&] { ShowAtOrAfter({key, recordNumber}, 0); });
}

void TFvcBrowser::SetKeyNumber(int keyNumber) {
    if (!source_) return;
    source_->SetKeyNumber(keyNumber);
    Act([this] { ShowFirst(); });
}

void TFvcBrowser::Refresh() {
    Act([this] {
        if (current_ < 0)
            ShowFirst();
        else
            ShowAtOrAfter(EntryOf(rows_[current_]), current_);
    });
}

void TFvcBrowser::First() {
    Act([this] { ShowFirst(); });
}

void TFvcBrowser::Last() {
    Act([this] { ShowLast(); });
}

int32_t TFvcBrowser::CurrentRecordNumber() const {
    return current_ >= 0 ? rows_[current_].recordNumber : 0;
}

int TFvcBrowser::CurrentKeyNumber() const {
    return source_ ? source_->keyNumber() : kNoKeyNumber;
}

std::string TFvcBrowser::CurrentKey() const {
    return current_ >= 0 ? rows_[current_].key : std::string();
}

int TFvcBrowser::RereadCurrentRecord(bool& found) {
    found = false;
    if (!source_) return kNoDataSource;
    if (current_ < 0) return static_cast<int>(engine::ErrorClass::Expected);
    failed_ = false;
    const engine::ErrorClass errorClass = source_->ReadRecord(rows_[current_].recordNumber, found);
    Check(errorClass);
    return static_cast<int>(errorClass);
}

int TFvcBrowser::RowAtPosition(int y) const {
    const int offset = y - headerHeight();
    if (offset < 0) return -1;
    const int row = offset / rowHeight();
    return row < static_cast<int>(rows_.size()) ? row : -1;
}

int32_t TFvcBrowser::RowCount() {
    if (!source_) return 0;
    int32_t count = 0;
    failed_ = false;
    if (!Check(source_->Count(count))) return 0;
    return count;
}

// ---- row supply ---------------------------------------------------------------------------------

bool TFvcBrowser::Check(engine::ErrorClass errorClass) {
    if (errorClass <= engine::ErrorClass::Expected) return true;
    if (!failed_) {
        failed_ = true;
        prompts_.Message(engine::kProgramCaption, engine::ErrorText(errorClass, source_->lastError()),
                         base::PromptIcon::Error, base::PromptButtons::Ok);
    }
    return false;
}

TFvcBrowser::Step TFvcBrowser::Accept(const BrowserEntry& entry, RowRec& row) {
    bool live = false;
    const engine::ErrorClass errorClass = source_->ReadRecord(entry.recordNumber, live);
    if (!Check(errorClass)) return Step::Failed;
    if (!live) return Step::Skip;  // a deleted record counts as not found
    row = RowRec{entry.key, entry.recordNumber, {}};
    if (filterEnabled_ && OnPerformFilter) {
        bool useIt = true;
        OnPerformFilter(*this, row, useIt);
        if (!useIt) {
            if (OnShowFilterWorking &&
                (filterRejections_ == 0 || (filterRejections_ + 1) % kFilterProgressEvery == 0)) {
                bool stop = false;
                OnShowFilterWorking(*this, filterRejections_ == 0 ? 0 : 1, stop);
                filterStopped_ = filterStopped_ || stop;
            }
            ++filterRejections_;
            return Step::Skip;
        }
    }
    if (OnBuildRow)
        OnBuildRow(*this, row);
    else
        row.text = kNoBuildRowText;
    return Step::Found;
}

TFvcBrowser::Step TFvcBrowser::Continue(engine::ErrorClass errorClass, BrowserEntry entry,
                                        bool forward, RowRec& row) {
    for (;;) {
        if (!Check(errorClass)) return Step::Failed;
        if (errorClass != engine::ErrorClass::None) return Step::End;
        const Step step = Accept(entry, row);
        if (step != Step::Skip) return step;
        if (filterStopped_) return Step::End;
        errorClass = forward ? source_->Next(entry) : source_->Prev(entry);
    }
}

TFvcBrowser::Step TFvcBrowser::SeekRow(const BrowserEntry& entry, RowRec& row) {
    BrowserEntry e = entry;
    const engine::ErrorClass errorClass = source_->Seek(e);
    return Continue(errorClass, e, true, row);
}

TFvcBrowser::Step TFvcBrowser::NextRow(const BrowserEntry& from, RowRec& row) {
    BrowserEntry e = from;
    const engine::ErrorClass errorClass = source_->Next(e);
    return Continue(errorClass, e, true, row);
}

TFvcBrowser::Step TFvcBrowser::PrevRow(const BrowserEntry& from, RowRec& row) {
    BrowserEntry e = from;
    const engine::ErrorClass errorClass = source_->Prev(e);
    return Continue(errorClass, e, false, row);
}

TFvcBrowser::Step TFvcBrowser::FirstRow(RowRec& row) {
    BrowserEntry e;
    const engine::ErrorClass errorClass = source_->First(e);
    return Continue(errorClass, e, true, row);
}

TFvcBrowser::Step TFvcBrowser::LastRow(RowRec& row) {
    BrowserEntry e;
    const engine::ErrorClass errorClass = source_->Last(e);
    return Continue(errorClass, e, false, row);
}

// ---- page building ------------------------------------------------------------------------------

void TFvcBrowser::FillAround(const RowRec& row, int desiredIndex) {
    const int wanted = visibleRowCount();
    if (OnPreCompletePage) OnPreCompletePage(*this, wanted);
    std::vector<RowRec> page{row};
    int index = 0;
    desiredIndex = std::clamp(desiredIndex, 0, wanted - 1);
    RowRec next;
    const auto more = [&](bool above) {
        if (failed_ || filterStopped_) return false;
        const Step step =
            above ? PrevRow(EntryOf(page.front()), next) : NextRow(EntryOf(page.back()), next);
        if (step != Step::Found) return false;
        if (above) {
            page.insert(page.begin(), next);
            ++index;
        } else {
            page.push_back(next);
        }
        return true;
    };
    while (index < desiredIndex && more(true)) {
    }
    while (static_cast<int>(page.size()) < wanted && more(false)) {
    }
    while (static_cast<int>(page.size()) < wanted && more(true)) {
    }
    rows_ = std::move(page);
    current_ = index;
    if (OnPostCompletePage) OnPostCompletePage(*this, static_cast<int>(rows_.size()));
}

void TFvcBrowser::ShowFirst() {
    RowRec row;
    rows_.clear();
    current_ = -1;
    if (FirstRow(row) == Step::Found) FillAround(row, 0);
}

void TFvcBrowser::ShowLast() {
    RowRec row;
    rows_.clear();
    current_ = -1;
    if (LastRow(row) == Step::Found) FillAround(row, visibleRowCount() - 1);
}

void TFvcBrowser::ShowAtOrAfter(const BrowserEntry& entry, int desiredIndex) {
    RowRec row;
    switch (SeekRow(entry, row)) {
        case Step::Found:
            FillAround(row, desiredIndex);
            break;
        case Step::End:  // nothing at or after it: the end of the list
            ShowLast();
            break;
        case Step::Skip:
        case Step::Failed:
            break;
    }
}

int TFvcBrowser::ScrollPage(int delta) {
    int scrolled = 0;
    RowRec row;
    for (; delta > 0 && !rows_.empty(); --delta, ++scrolled) {
        if (NextRow(EntryOf(rows_.back()), row) != Step::Found) break;
        rows_.erase(rows_.begin());
        rows_.push_back(row);
        --current_;
    }
    for (; delta < 0 && !rows_.empty(); ++delta, ++scrolled) {
        if (PrevRow(EntryOf(rows_.front()), row) != Step::Found) break;
        rows_.pop_back();
        rows_.insert(rows_.begin(), row);
        ++current_;
    }
    if (!rows_.empty()) current_ = std::clamp(current_, 0, static_cast<int>(rows_.size()) - 1);
    return scrolled;
}

void TFvcBrowser::MoveRows(int delta) {
    const int last = static_cast<int>(rows_.size()) - 1;
    for (; delta > 0; --delta) {
        if (current_ < last)
            ++current_;
        else if (ScrollPage(1) == 1)
            current_ = last;
        else
            break;
    }
    for (; delta < 0; ++delta) {
        if (current_ > 0)
            --current_;
        else if (ScrollPage(-1) == 1)
            current_ = 0;
        else
            break;
    }
}

void TFvcBrowser::Page(int direction) {
    if (rows_.empty()) return;
    const int index = current_;
    if (ScrollPage(direction * visibleRowCount()) == 0)
        current_ = direction > 0 ? static_cast<int>(rows_.size()) - 1 : 0;
    else
        current_ = index;
}

void TFvcBrowser::ScrollTo(int position) {
    if (position <= 0) return ShowFirst();
    if (position >= TFvcDataSource::kScrollScale) return ShowLast();
    BrowserEntry entry;
    if (!Check(source_->EntryAt(position, entry))) return;
    ShowAtOrAfter(entry, 0);
}

void TFvcBrowser::OnScrollBarAction(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            Act([this] { MoveRows(1); });
            break;
        case QAbstractSlider::SliderSingleStepSub:
            Act([this] { MoveRows(-1); });
            break;
        case QAbstractSlider::SliderPageStepAdd:
            Act([this] { Page(1); });
            break;
        case QAbstractSlider::SliderPageStepSub:
            Act([this] { Page(-1); });
            break;
        case QAbstractSlider::SliderToMinimum:
            First();
            break;
        case QAbstractSlider::SliderToMaximum:
            Last();
            break;
        case QAbstractSlider::SliderMove: {
            const int position = verticalScrollBar()->sliderPosition();
            Act([this, position] { ScrollTo(position); });
            break;
        }
        default:
            break;
    }
}

// ---- properties ---------------------------------------------------------------------------------

void TFvcBrowser::SetHeader(const QString& header) {
    const QString cut = header.left(kMaxHeaderLength);
    if (cut == header_) return;
    header_ = cut;
    Refresh();
    viewport()->update();
}

void TFvcBrowser::SetFooter(const QString& footer) {
    if (footer == footer_) return;
    footer_ = footer;
    Refresh();
    viewport()->update();
}

void TFvcBrowser::SetFilterEnabled(bool enabled) {
    if (enabled == filterEnabled_) return;
    filterEnabled_ = enabled;
    Refresh();
}

void TFvcBrowser::SetHorizOfs(int columns) {
    const int clamped = std::clamp(columns, 0, std::max(0, maxTextColumns() - visibleColumns()));
    if (clamped == horizOfs_) return;
    horizOfs_ = clamped;
    UpdateScrollBars();
    viewport()->update();
}

void TFvcBrowser::SetUseSeparator(bool on) {
    useSeparator_ = on;
    viewport()->update();
}

void TFvcBrowser::Recolor(QColor& member, const QColor& color) {
    member = color;
    viewport()->update();
}

// ---- geometry -----------------------------------------------------------------------------------

int TFvcBrowser::rowHeight() const {
    return std::max(1, QFontMetrics(font()).lineSpacing());
}

int TFvcBrowser::headerHeight() const {
    return header_.isEmpty() ? 0 : rowHeight();
}

int TFvcBrowser::footerHeight() const {
    return footer_.isEmpty() ? 0 : rowHeight();
}

int TFvcBrowser::charWidth() const {
    return std::max(1, QFontMetrics(font()).horizontalAdvance(QLatin1Char('M')));
}

int TFvcBrowser::visibleRowCount() const {
    const int space = viewport()->height() - headerHeight() - footerHeight();
    return std::max(1, space / rowHeight());
}

int TFvcBrowser::visibleColumns() const {
    return std::max(1, (viewport()->width() - kTextMargin) / charWidth());
}

int TFvcBrowser::maxTextColumns() const {
    qsizetype columns = std::max(header_.size(), footer_.size());
    for (const RowRec& row : rows_)
        columns = std::max(columns, QString::fromStdString(row.text).size());
    return static_cast<int>(columns);
}

void TFvcBrowser::UpdateScrollBars() {
    updatingScrollBars_ = true;
    QScrollBar* vertical = verticalScrollBar();
    if (!vertical->isSliderDown()) {
        int32_t position = 0;
        if (source_ && current_ >= 0 &&
            source_->PositionOf(EntryOf(rows_[current_]), position) != engine::ErrorClass::None)
            position = 0;
        vertical->setValue(position);
    }
    QScrollBar* horizontal = horizontalScrollBar();
    const int columns = visibleColumns();
    horizontal->setRange(0, std::max(0, maxTextColumns() - columns));
    horizontal->setPageStep(columns);
    horizOfs_ = std::min(horizOfs_, horizontal->maximum());
    horizontal->setValue(horizOfs_);
    updatingScrollBars_ = false;
}

// ---- painting -----------------------------------------------------------------------------------

void TFvcBrowser::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    const QRect area = viewport()->rect();
    painter.fillRect(area, color_);
    const QFontMetrics metrics(font());
    const int height = rowHeight();
    const int x = kTextMargin - horizOfs_ * charWidth();
    const int baseline = metrics.ascent() + metrics.leading() / 2;
    const auto line = [&](int top, int left, const QString& text, const QColor& back,
                          const QColor& fore) {
        if (back != color_) painter.fillRect(QRect(0, top, area.width(), height), back);
        painter.setPen(fore);
        painter.drawText(left, top + baseline, text);
    };
    const QColor rule = palette().color(QPalette::Mid);

    int top = 0;
    if (!header_.isEmpty()) {
        // The header holds the column titles, so it scrolls sideways with the rows.
        line(top, x, header_, headerColor_, headerTxtColor_);
        painter.setPen(rule);
        painter.drawLine(0, height - 1, area.width(), height - 1);
        top += height;
    }
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i, top += height) {
        const bool current = i == current_;
        line(top, x, QString::fromStdString(rows_[i].text), current ? highlightColor_ : color_,
             current ? highlightTxtColor_ : textColor_);
        if (current && hasFocus()) {
            painter.setPen(QPen(highlightTxtColor_, 1, Qt::DotLine));
            painter.drawRect(QRect(0, top, area.width() - 1, height - 1));
        }
        if (useSeparator_) {
            painter.setPen(rule);
            painter.drawLine(0, top + height - 1, area.width(), top + height - 1);
        }
    }
    if (!footer_.isEmpty()) {
        const int footerTop = area.height() - height;
        line(footerTop, kTextMargin, footer_, footerColor_, footerTxtColor_);
        painter.setPen(rule);
        painter.drawLine(0, footerTop, area.width(), footerTop);
    }
}

// ---- events -------------------------------------------------------------------------------------

void TFvcBrowser::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (source_ && static_cast<int>(rows_.size()) != visibleRowCount())
        Refresh();
    else
        UpdateScrollBars();
}

void TFvcBrowser::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange && source_) Refresh();
}

void TFvcBrowser::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    if (OnKeyDown) OnKeyDown(*this, key, event->modifiers());
    if (key == 0) return event->accept();
    QChar ch = event->text().isEmpty() ? QChar() : event->text().front();
    if (!ch.isNull() && OnKeyPress) {
        OnKeyPress(*this, ch);
        if (ch.isNull()) return event->accept();
    }
    if (!source_) return event->ignore();

    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (key) {
        case Qt::Key_Up:
            Act([this] { MoveRows(-1); });
            return;
        case Qt::Key_Down:
            Act([this] { MoveRows(1); });
            return;
        case Qt::Key_PageUp:
            Act([this] { Page(-1); });
            return;
        case Qt::Key_PageDown:
            Act([this] { Page(1); });
            return;
        case Qt::Key_Home:
            First();
            return;
        case Qt::Key_End:
            Last();
            return;
        case Qt::Key_Left:
            SetHorizOfs(control ? 0 : horizOfs_ - 1);
            return;
        case Qt::Key_Right:
            SetHorizOfs(control ? maxTextColumns() : horizOfs_ + 1);
            return;
        default:
            break;
    }
    if (ch == QLatin1Char('+')) return Refresh();
    if (IsPositioningCharacter(ch) && source_->keyNumber() != 0) {
        const std::optional<uint8_t> byte = base::CodePointToWin1252(ch.unicode());
        PositionAtKey(std::string(1, static_cast<char>(*byte)), 0);
        return;
    }
    event->ignore();
}

void TFvcBrowser::keyReleaseEvent(QKeyEvent* event) {
    int key = event->key();
    if (OnKeyUp) OnKeyUp(*this, key, event->modifiers());
    event->ignore();
}

void TFvcBrowser::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (OnMouseDown) OnMouseDown(*this, event->button(), event->modifiers(), at);
    setFocus(Qt::MouseFocusReason);
    const int row = RowAtPosition(at.y());
    if (event->button() == Qt::LeftButton && row >= 0) Act([this, row] { current_ = row; });
}

void TFvcBrowser::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) OnMouseMove(*this, event->modifiers(), event->position().toPoint());
}

void TFvcBrowser::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp)
        OnMouseUp(*this, event->button(), event->modifiers(), event->position().toPoint());
}

void TFvcBrowser::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = RowAtPosition(event->position().toPoint().y());
    if (row < 0) return;
    Act([this, row] { current_ = row; });
    if (OnDblClick) OnDblClick(*this);
}

void TFvcBrowser::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) Act([this, notches] { ScrollPage(-notches * kWheelRows); });
    event->accept();
}

void TFvcBrowser::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    if (OnEnter) OnEnter(*this);
}

void TFvcBrowser::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
    if (OnExit) OnExit(*this);
}

}  // namespace widgets
