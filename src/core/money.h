// Money: a 64-bit count of ten-thousandths. 0 means "no price given".
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace tessaran {

constexpr qint64 money_scale = 10000;
// Returned for text that is not a number; never stored.
constexpr qint64 invalid_money = -9999 * money_scale;

// Empty text gives 0; text that is not numeric gives invalid_money; otherwise the
// amount under the current locale (currency symbol, grouping, the locale's decimal
// point, a leading minus and the accounting form "($12.50)" accepted), exact
// decimal arithmetic, fractions past four places rounded half to even. An amount
// out of range gives 0.
qint64 money_from_text(const QString& text);
// The conversion above with its outcome; amount is set only for ok.
enum class MoneyParse { ok, empty, not_numeric, out_of_range };
MoneyParse parse_money(const QString& text, qint64& amount);

// 0 gives empty text; otherwise the locale's currency form; reads back exactly.
QString money_text(qint64 amount);
// Plain amount: no symbol, no grouping, the locale's decimal separator, no
// trailing zeros; 0 gives "0".
QString money_plain_text(qint64 amount);
// The same as Windows-1252 bytes, made without strings where the locale allows
// (the text export writes one for every price).
QByteArray money_plain_bytes(qint64 amount);

// An amount as a plain decimal with "." and no trailing zeros, as scripts
// read it: "125", "12.5", "-0.0001"; and such a decimal read back exactly
// (at most four places; nothing for anything else).
QString decimal_amount(qint64 amount);
std::optional<qint64> money_from_decimal(const QString& text);

}  // namespace tessaran
