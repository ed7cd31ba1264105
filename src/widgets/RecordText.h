#pragma once
// The window side of record text: records hold Windows-1252 bytes, widgets hold QString. Edits
// bound to record fields accept only characters the code page can hold, so nothing typed is
// silently changed on its way into a record.

#include <QString>
#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace widgets {

QString ToRecordText(const std::string& win1252);
// Characters the code page cannot hold are dropped (the edits never let them in).
std::string FromRecordText(const QString& text);

// A character typed for a browser's incremental search, as keys hold it: upper-cased as the
// code page upper-cases it; characters outside the code page stay as they are.
QChar KeyCase(QChar ch);

// Limits the edit to characters of Windows-1252.
void AcceptOnlyRecordText(QLineEdit& edit);
// Limits the edit to `maxLength` characters of Windows-1252.
void ConfigureRecordTextEdit(QLineEdit& edit, int maxLength);

// Limits the memo to characters of Windows-1252 whose record text (lines ended by CR LF) fits in
// `maxLength`: a keystroke or a paste that would not fit is refused as a whole.
void ConfigureRecordTextMemo(QPlainTextEdit& memo, int maxLength);
// The memo's text as records hold it, lines ended by CR LF, and back.
std::string MemoRecordText(const QPlainTextEdit& memo);
void ShowMemoRecordText(QPlainTextEdit& memo, const std::string& win1252);

}  // namespace widgets
