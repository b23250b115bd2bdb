#include "sheet_text.h"

#include "core/scope_record.h"

#include <QList>

namespace tessaran {

namespace {

// One paragraph, wrapped at its blanks.
void wrap_paragraph(const QString& s, double width, const TextWidth& measure, QStringList& out)
{
    const qsizetype len = s.size();
    QList<qsizetype> blanks;  // 0-based positions of the blanks
    for (qsizetype i = 0; i < len; ++i)
        if (s.at(i) == QLatin1Char(' '))
            blanks << i;

    auto piece = [&s](qsizetype from, qsizetype to_incl) { return trim_blanks(s.mid(from, to_incl - from + 1)); };

    qsizetype start = 0;
    for (qsizetype k = 0; k < blanks.size(); ++k) {
        const qsizetype bk = blanks[k];
        if (bk < start)
            continue;
        if (measure(s.mid(start, bk - start + 1)) <= width)
            continue;
        // The text up to this blank is too wide: end the line at the previous
        // blank, when there is one with words before it on this line.
        const qsizetype prev = k > 0 ? blanks[k - 1] : -1;
        if (prev >= start && !piece(start, prev).isEmpty()) {
            out << piece(start, prev);
            start = prev + 1;
            if (measure(s.mid(start, bk - start + 1)) <= width)
                continue;
        }
        // A single word wider than the line stands alone on its line.
        const QString word = piece(start, bk);
        if (!word.isEmpty())
            out << word;
        start = bk + 1;
    }
    if (start >= len)
        return;
    if (measure(s.mid(start)) <= width) {
        out << piece(start, len - 1);
        return;
    }
    const qsizetype last_blank = blanks.isEmpty() ? -1 : blanks.last();
    if (last_blank >= start && !piece(start, last_blank).isEmpty()) {
        out << piece(start, last_blank);
        start = last_blank + 1;
    }
    const QString rest = piece(start, len - 1);
    if (!rest.isEmpty())
        out << rest;
}

}  // namespace

QStringList long_text_lines(const QString& text, double width, const TextWidth& measure)
{
    QStringList out;
    QString t = trim_blanks(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QChar(0), QLatin1Char(' '));
    t = trim_blanks(t);
    if (t.isEmpty())
        return out;
    const QStringList paragraphs = t.split(QLatin1Char('\n'));
    for (const QString& p : paragraphs) {
        QString para = p;
        para.replace(QLatin1Char('\t'), QLatin1Char(' '));
        para = trim_blanks(para);
        if (para.isEmpty()) {
            out << QString();  // an empty line between paragraphs stays
            continue;
        }
        wrap_paragraph(para, width, measure, out);
    }
    return out;
}

}  // namespace tessaran
