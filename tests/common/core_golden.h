// Golden outputs: what the program and tessaran-rnd write, recorded once and
// compared after every change of structure. Set TESSARAN_WRITE_GOLDEN=1 to
// record them again on purpose (tests/golden/ in the source tree).
#pragma once

#include <QByteArray>
#include <QString>

namespace tessaran::test {

// Output made comparable across runs: the temporary folder it names becomes
// "<DIR>" and date-and-time stamps become "<STAMP>"; every other byte stays.
QByteArray normalised_output(QByteArray text, const QString& dir);

// Compares text with tests/golden/NAME (or records it); empty when they agree,
// else what differs, for QVERIFY2.
QString golden_difference(const QString& name, const QByteArray& text);

// The same for a large output kept only as its SHA-256 and size (NAME.sha256).
QString golden_hash_difference(const QString& name, const QByteArray& text);

}  // namespace tessaran::test
