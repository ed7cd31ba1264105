#include "widgets/RecordText.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QValidator>
#include <algorithm>

#include "base/Windows1252.h"

namespace widgets {

namespace {

class Win1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (char32_t c : input.toUcs4()) {
            if (!base::CodePointToWin1252(c)) return Invalid;
        }
        return Acceptable;
    }
};

std::string LinesToRecordText(const QString& text) {
    QString lines = text;
    lines.replace('\n', "\r\n");
    return FromRecordText(lines);
}

// Keeps the memo's last accepted text and puts it back when a change does not fit. A text shown
// from a record is accepted as it is, and a change that does not lengthen it always is.
class MemoLimit : public QObject {
public:
    MemoLimit(QPlainTextEdit& memo, int maxLength)
        : QObject(&memo), memo_(memo), maxLength_(maxLength) {
        setObjectName("MemoLimit");
        connect(&memo, &QPlainTextEdit::textChanged, this, &MemoLimit::TextChanged);
    }

    void Accept(const QString& text) { kept_ = text; }

private:
    bool Fits(const QString& text) const {
        for (char32_t c : text.toUcs4()) {
            if (!base::CodePointToWin1252(c)) return false;
        }
        const size_t length = LinesToRecordText(text).size();
        return static_cast<int>(length) <= maxLength_ || length <= LinesToRecordText(kept_).size();
    }

    void TextChanged() {
        const QString text = memo_.toPlainText();
        if (text == kept_ || Fits(text)) {
            kept_ = text;
            return;
        }
        // The cursor goes back to where the refused change began.
        const int cursor =
            std::clamp(memo_.textCursor().position() - static_cast<int>(text.size() - kept_.size()),
                       0, static_cast<int>(kept_.size()));
        const QSignalBlocker blocker(memo_);
        memo_.setPlainText(kept_);
        QTextCursor at = memo_.textCursor();
        at.setPosition(cursor);
        memo_.setTextCursor(at);
    }

    QPlainTextEdit& memo_;
    int maxLength_;
    QString kept_;
};

}  // namespace

QString ToRecordText(const std::string& win1252) {
    return QString::fromStdString(base::Win1252ToUtf8(win1252));
}

std::string FromRecordText(const QString& text) {
    std::string bytes;
    for (char32_t c : text.toUcs4()) {
        if (auto byte = base::CodePointToWin1252(c)) bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

void AcceptOnlyRecordText(QLineEdit& edit) {
    edit.setValidator(new Win1252Validator(&edit));
}

void ConfigureRecordTextEdit(QLineEdit& edit, int maxLength) {
    edit.setMaxLength(maxLength);
    AcceptOnlyRecordText(edit);
}

void ConfigureRecordTextMemo(QPlainTextEdit& memo, int maxLength) {
    new MemoLimit(memo, maxLength);
}

std::string MemoRecordText(const QPlainTextEdit& memo) {
    return LinesToRecordText(memo.toPlainText());
}

void ShowMemoRecordText(QPlainTextEdit& memo, const std::string& win1252) {
    QString text = ToRecordText(win1252);
    text.replace("\r\n", "\n");
    // Only MemoLimit names a child of a memo so.
    if (auto* limit = memo.findChild<QObject*>("MemoLimit", Qt::FindDirectChildrenOnly))
        static_cast<MemoLimit*>(limit)->Accept(text);
    memo.setPlainText(text);
}

QChar KeyCase(QChar ch) {
    const auto byte = base::CodePointToWin1252(ch.unicode());
    if (!byte) return ch;
    return QChar(base::Win1252ToCodePoint(
        static_cast<uint8_t>(base::Win1252Upper(static_cast<char>(*byte)))));
}

}  // namespace widgets
