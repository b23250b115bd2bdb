// Fuzz target: money and date texts as a user could type them, under one of
// several locales (the first byte chooses). Whatever is accepted must show
// and read back as the same amount or day.
#include "core/locale_dates.h"
#include "core/money.h"
#include "core/record_match.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdint>
#include <cstdlib>

using namespace tessaran;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > 200)
        return 0;
    static const QLocale locales[] = {
        QLocale(QLocale::English, QLocale::UnitedStates),  QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),         QLocale(QLocale::Japanese, QLocale::Japan),
        QLocale(QLocale::English, QLocale::UnitedKingdom), QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Hindi, QLocale::India),           QLocale(QLocale::Swedish, QLocale::Sweden),
    };
    QLocale::setDefault(locales[data[0] % 8]);
    const bool as_date = data[0] & 8;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    if (!as_date) {
        qint64 amount = 0;
        const MoneyParse r = parse_money(text, amount);
        const qint64 simple = money_from_text(text);
        if (r == MoneyParse::ok) {
            if (simple != amount)
                std::abort();
            qint64 back = 0;
            if (amount != 0 && (parse_money(money_text(amount), back) != MoneyParse::ok || back != amount))
                std::abort();
            if (parse_money(money_plain_text(amount), back) != MoneyParse::ok || back != amount)
                std::abort();
        }
    } else {
        const std::optional<QDate> d = parse_user_date(text);
        if (d && d->isValid()) {
            const double days = date_to_days(*d);
            if (days_to_date(days) != *d)
                std::abort();
            // A date shown in the short form reads back as itself.
            if (d->year() >= 1000 && d->year() <= 9999) {
                const std::optional<QDate> back = parse_user_date(short_date_text(*d));
                if (!back || *back != *d)
                    std::abort();
            }
        }
        (void)stored_date_days(text);
    }
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}
