#include "widgets/FileFilter.h"

#include <QStringList>

namespace widgets {

namespace {

QString AnyCasePattern(const QString& pattern) {
    if (pattern.contains(u'[')) return pattern;
    QString result;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            result += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            result += c;
    }
    return result;
}

// One filter: "Name (pattern pattern)", or the patterns alone.
QString AnyCaseFilter(const QString& filter) {
    const qsizetype open = filter.lastIndexOf(u'(');
    const bool named = open >= 0 && filter.endsWith(u')');
    const QString patterns = named ? filter.mid(open + 1, filter.size() - open - 2) : filter;
    QStringList rewritten;
    for (const QString& pattern : patterns.split(u' ', Qt::SkipEmptyParts))
        rewritten << AnyCasePattern(pattern);
    const QString joined = rewritten.join(u' ');
    return named ? filter.left(open + 1) + joined + QLatin1Char(')') : joined;
}

}  // namespace

QString AnyCaseFileFilter(std::string_view filter) {
    const QString text = QString::fromUtf8(filter.data(), qsizetype(filter.size()));
    QStringList filters;
    for (const QString& one : text.split(QStringLiteral(";;"))) filters << AnyCaseFilter(one);
    return filters.join(QStringLiteral(";;"));
}

}  // namespace widgets
