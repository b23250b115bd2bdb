// Reading back printed output: the text of a PDF through pdftotext -layout.
#pragma once

#include <QString>
#include <QStringList>

namespace tessaran::test {

QString pdf_text(const QString& path);
// The text of each page (form feeds split pages; a blank tail is dropped).
QStringList pdf_pages(const QString& path);

}  // namespace tessaran::test
