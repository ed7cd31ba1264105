#pragma once
// TFvcBrowser: the data browser, the list of the manager windows. It shows the entries of one key
// of one file block, one row per entry, between optional header and footer lines, and holds only
// the page of rows on screen. The window supplies each row's text (OnBuildRow) and may hide rows
// (OnPerformFilter); the browser reads entries and records through the engine itself.
//
// Keyboard (after the window's OnKeyDown / OnKeyPress, while a data source is attached): arrows,
// Page Up / Down, Home / End (also with Ctrl) move the current row; Left / Right scroll the text
// sideways by one column, with Ctrl to its start or end; a typed letter, digit or one of
// "ÄÖÜßäöü" positions at the first key at or after that one-character key; "+" refreshes.
// The vertical scroll bar runs 0..63 through the engine's position estimates.

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/PromptService.h"
#include "widgets/BrowserDataSource.h"

namespace widgets {

// One row of the page (the argument of the row events).
struct RowRec {
    std::string key;  // the index key of the row (raw bytes; empty in record-number order)
    int32_t recordNumber = 0;
    std::string text;  // UTF-8, set by OnBuildRow
};

class TFvcBrowser : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kNoKeyNumber = 65535;
    static constexpr int kNoDataSource = 5;
    static constexpr int kMaxHeaderLength = 128;
    static constexpr char kNoBuildRowText[] = "You do not have an OnBuildRow event defined";

    // Engine errors above class 1 are reported through `prompts` as "Class %d error.  Isam
    // Error %d" under the program's title.
    explicit TFvcBrowser(base::PromptService& prompts, QWidget* parent = nullptr);
    ~TFvcBrowser() override;

    // ---- events --------------------------------------------------------------------------------
    std::function<void(TFvcBrowser&, RowRec&)> OnBuildRow;
    std::function<void(TFvcBrowser&, RowRec&, bool& useIt)> OnPerformFilter;
    std::function<void(TFvcBrowser&)> OnRowChanged;
    std::function<void(TFvcBrowser&)> OnDblClick;
    std::function<void(TFvcBrowser&)> OnFirstUserInit;
    std::function<void(TFvcBrowser&)> OnEnter;
    std::function<void(TFvcBrowser&)> OnExit;
    // Set `key` to 0 (or `ch` to a null character) to keep the browser from handling it;
    // OnKeyPress may also replace the character (the managers upper-case it).
    std::function<void(TFvcBrowser&, int& key, Qt::KeyboardModifiers)> OnKeyDown;
    std::function<void(TFvcBrowser&, QChar& ch)> OnKeyPress;
    std::function<void(TFvcBrowser&, int& key, Qt::KeyboardModifiers)> OnKeyUp;
    std::function<void(TFvcBrowser&, Qt::MouseButton, Qt::KeyboardModifiers, QPoint)> OnMouseDown;
    std::function<void(TFvcBrowser&, Qt::KeyboardModifiers, QPoint)> OnMouseMove;
    std::function<void(TFvcBrowser&, Qt::MouseButton, Qt::KeyboardModifiers, QPoint)> OnMouseUp;
    // Around each page fill, with the number of rows wanted (before) or filled (after).
    std::function<void(TFvcBrowser&, int rows)> OnPreCompletePage;
    std::function<void(TFvcBrowser&, int rows)> OnPostCompletePage;
    // While a filtered fill searches: callState 0 when it begins, 1 after every 100 rejected
    // rows, 2 when it ends. Setting `stop` ends the search with the rows found so far.
    std::function<void(TFvcBrowser&, int callState, bool& stop)> OnShowFilterWorking;

    // ---- data source ---------------------------------------------------------------------------
    // The browser takes the source, shows its first rows and raises OnFirstUserInit the first
    // time it gets one; the window positions it afterwards.
    void AttachDataSource(std::unique_ptr<TFvcDataSource> source);
    void DetachDataSource();
    TFvcDataSource* dataSource() const { return source_.get(); }

    // ---- operations ----------------------------------------------------------------------------
    // Makes the first row at or after (key, record number) current, at the top of the page.
    void PositionAtKey(const std::string& key, int32_t recordNumber = 0);
    // Switches to another key's order and shows its first rows; the window positions it after.
    void SetKeyNumber(int keyNumber);
    void Refresh();  // rereads the page, keeping the current row
    void First();
    void Last();
    int32_t CurrentRecordNumber() const;  // 0 without a current row
    int CurrentKeyNumber() const;         // 65535 without a data source
    std::string CurrentKey() const;
    // Reads the current row's record into the record buffer again; answers the error class (5
    // without a data source); `found` tells whether a live record was read.
    int RereadCurrentRecord(bool& found);
    // The row index under a vertical position of the viewport, -1 when none.
    int RowAtPosition(int y) const;
    // The number of entries of the source (UsedKeys or UsedRecords); 0 without one.
    int32_t RowCount();

    const std::vector<RowRec>& rows() const { return rows_; }
    int currentRow() const { return current_; }  // index into rows(), -1 when empty
    int visibleRowCount() const;

    // ---- properties ----------------------------------------------------------------------------
    QString header() const { return header_; }
    void SetHeader(const QString& header);  // cut to 128 characters; repaints when it changed
    QString footer() const { return footer_; }
    void SetFooter(const QString& footer);
    bool filterEnabled() const { return filterEnabled_; }
    void SetFilterEnabled(bool enabled);
    int horizOfs() const { return horizOfs_; }  // first text column shown
    void SetHorizOfs(int columns);
    bool useSeparator() const { return useSeparator_; }
    void SetUseSeparator(bool on);

    QColor color() const { return color_; }
    void SetColor(const QColor& c) { Recolor(color_, c); }
    QColor textColor() const { return textColor_; }
    void SetTextColor(const QColor& c) { Recolor(textColor_, c); }
    QColor headerColor() const { return headerColor_; }
    void SetHeaderColor(const QColor& c) { Recolor(headerColor_, c); }
    QColor headerTxtColor() const { return headerTxtColor_; }
    void SetHeaderTxtColor(const QColor& c) { Recolor(headerTxtColor_, c); }
    QColor footerColor() const { return footerColor_; }
    void SetFooterColor(const QColor& c) { Recolor(footerColor_, c); }
    QColor footerTxtColor() const { return footerTxtColor_; }
    void SetFooterTxtColor(const QColor& c) { Recolor(footerTxtColor_, c); }
    QColor highlightColor() const { return highlightColor_; }
    void SetHighlightColor(const QColor& c) { Recolor(highlightColor_, c); }
    QColor highlightTxtColor() const { return highlightTxtColor_; }
    void SetHighlightTxtColor(const QColor& c) { Recolor(highlightTxtColor_, c); }

    int rowHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Step { Found, Skip, End, Failed };

    // Runs one user-visible action: the engine cursor is sought afresh, the scroll bars and the
    // picture follow, and OnRowChanged is raised when the current record changed.
    template <typename Action>
    void Act(Action action);

    // Row supply: the accepted row at or after / after / before an entry, or the first / last.
    Step SeekRow(const BrowserEntry& entry, RowRec& row);
    Step NextRow(const BrowserEntry& from, RowRec& row);
    Step PrevRow(const BrowserEntry& from, RowRec& row);
    Step FirstRow(RowRec& row);
    Step LastRow(RowRec& row);
    // Goes on from the answer of a data-source step until a row is accepted or the end is met.
    Step Continue(engine::ErrorClass errorClass, BrowserEntry entry, bool forward, RowRec& row);
    // Reads a candidate's record, filters and builds it; Skip when the row is not shown.
    Step Accept(const BrowserEntry& entry, RowRec& row);
    bool Check(
        engine::ErrorClass errorClass);  // reports unexpected errors; true when the step may go on

    // Page building; each runs inside Act.
    void FillAround(const RowRec& row, int desiredIndex);
    void ShowFirst();
    void ShowLast();
    void ShowAtOrAfter(const BrowserEntry& entry, int desiredIndex);
    int ScrollPage(int delta);  // rows scrolled; positive: towards the end
    void MoveRows(int delta);
    void Page(int direction);
    void ScrollTo(int position);
    void OnScrollBarAction(int action);

    BrowserEntry EntryOf(const RowRec& row) const { return {row.key, row.recordNumber}; }
    void UpdateScrollBars();
    int headerHeight() const;
    int footerHeight() const;
    int charWidth() const;
    int maxTextColumns() const;
    int visibleColumns() const;
    void Recolor(QColor& member, const QColor& color);

    base::PromptService& prompts_;
    std::unique_ptr<TFvcDataSource> source_;
    std::vector<RowRec> rows_;
    int current_ = -1;
    bool firstInitDone_ = false;
    bool failed_ = false;         // an error was reported during the running action
    bool filterStopped_ = false;  // OnShowFilterWorking asked to stop the running search
    bool updatingScrollBars_ = false;
    int filterRejections_ = 0;  // rows the filter hid during the running action

    QString header_;
    QString footer_;
    bool filterEnabled_ = false;
    int horizOfs_ = 0;
    bool useSeparator_ = false;
    QColor color_;
    QColor textColor_;
    QColor headerColor_;
    QColor headerTxtColor_;
    QColor footerColor_;
    QColor footerTxtColor_;
    QColor highlightColor_;
    QColor highlightTxtColor_;
};

}  // namespace widgets
