#include "core_golden.h"

#include <QtTest>

namespace tessaran::test {

namespace {

QString golden_path(const QString& name)
{
    return QStringLiteral(TESSARAN_SOURCE_DIR "/tests/golden/") + name;
}

bool recording()
{
    return qEnvironmentVariableIsSet("TESSARAN_WRITE_GOLDEN");
}

QString record(const QString& name, const QByteArray& bytes)
{
    QFile f(golden_path(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return QStringLiteral("cannot record %1: %2").arg(f.fileName(), f.errorString());
    return QString();
}

QByteArray recorded(const QString& name, QString* error)
{
    QFile f(golden_path(name));
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("no golden output %1 (record it with TESSARAN_WRITE_GOLDEN=1)").arg(f.fileName());
        return QByteArray();
    }
    return f.readAll();
}

}  // namespace

QByteArray normalised_output(QByteArray text, const QString& dir)
{
    if (!dir.isEmpty())
        text.replace(QFile::encodeName(dir), "<DIR>");
    static const QRegularExpression stamp(QStringLiteral("\\d{1,2}/\\d{1,2}/\\d{4} \\d{1,2}:\\d{2}:\\d{2}( [AP]M)?"));
    // Through Latin-1, which gives every byte back as it was: an output in
    // Windows-1252 is compared byte for byte, not as replacement characters.
    return QString::fromLatin1(text).replace(stamp, QStringLiteral("<STAMP>")).toLatin1();
}

QString golden_difference(const QString& name, const QByteArray& text)
{
    if (recording())
        return record(name, text);
    QString error;
    const QByteArray expected = recorded(name, &error);
    if (!error.isEmpty())
        return error;
    if (expected == text)
        return QString();
    const QList<QByteArray> want = expected.split('\n');
    const QList<QByteArray> got = text.split('\n');
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i) {
        if (want.value(i) != got.value(i))
            return QStringLiteral("%1 differs at line %2:\n  golden: %3\n  now:    %4")
                .arg(name)
                .arg(i + 1)
                .arg(QString::fromUtf8(want.value(i)), QString::fromUtf8(got.value(i)));
    }
    return QStringLiteral("%1 differs").arg(name);
}

QString golden_hash_difference(const QString& name, const QByteArray& text)
{
    const QByteArray line = QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex() + ' '
        + QByteArray::number(text.size()) + '\n';
    if (recording())
        return record(name + ".sha256", line);
    QString error;
    const QByteArray expected = recorded(name + ".sha256", &error);
    if (!error.isEmpty())
        return error;
    return expected == line
        ? QString()
        : QStringLiteral("%1 differs: golden %2, now %3")
              .arg(name, QString::fromLatin1(expected.trimmed()), QString::fromLatin1(line.trimmed()));
}

}  // namespace tessaran::test
