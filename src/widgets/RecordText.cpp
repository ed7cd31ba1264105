#include "widgets/RecordText.h"

#include <QLineEdit>
#include <QValidator>

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

QChar KeyCase(QChar ch) {
    const auto byte = base::CodePointToWin1252(ch.unicode());
    if (!byte) return ch;
    return QChar(base::Win1252ToCodePoint(
        static_cast<uint8_t>(base::Win1252Upper(static_cast<char>(*byte)))));
}

}  // namespace widgets
