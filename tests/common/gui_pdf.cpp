#include "gui_pdf.h"

#include <QtTest>

namespace tessaran::test {

QString pdf_text(const QString& path)
{
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList pdf_pages(const QString& path)
{
    QStringList pages = pdf_text(path).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

}  // namespace tessaran::test
