#include "selection_definition.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tessaran {

namespace {

// Amounts and days as text: a double holds neither 64-bit amounts nor every
// day count exactly as JSON's numbers go.
QString number(qint64 n)
{
    return QString::number(n);
}

std::optional<qint64> number_of(const QJsonValue& v)
{
    bool ok = false;
    const qint64 n = v.toString().toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

}  // namespace

QByteArray definition_bytes(const SelectionDefinition& d)
{
    const Criteria& c = d.criteria;
    QJsonArray texts;
    for (const QString& t : c.texts)
        texts.append(t);
    const QJsonObject o{
        {QStringLiteral("all"), d.all},
        {QStringLiteral("by_date"), c.by_date},
        {QStringLiteral("by_paid"), c.by_paid},
        {QStringLiteral("by_retail"), c.by_retail},
        {QStringLiteral("by_text"), c.by_text},
        {QStringLiteral("texts"), texts},
        {QStringLiteral("date_beg"), QString::number(c.date_beg, 'g', 17)},
        {QStringLiteral("date_end"), QString::number(c.date_end, 'g', 17)},
        {QStringLiteral("paid_min"), number(c.paid_min)},
        {QStringLiteral("paid_max"), number(c.paid_max)},
        {QStringLiteral("retail_min"), number(c.retail_min)},
        {QStringLiteral("retail_max"), number(c.retail_max)},
        {QStringLiteral("group"), int(c.group)},
        {QStringLiteral("group_value"), c.group_value},
        {QStringLiteral("sort"), int(d.sort)},
        {QStringLiteral("descending"), d.descending},
        {QStringLiteral("filter"), d.filter},
    };
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<SelectionDefinition> definition_from(const QByteArray& bytes)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    SelectionDefinition d;
    Criteria& c = d.criteria;
    const QJsonArray texts = o.value(QStringLiteral("texts")).toArray();
    if (texts.size() != text_slot_count)
        return std::nullopt;
    for (int k = 0; k < text_slot_count; ++k)
        c.texts[std::size_t(k)] = texts.at(k).toString();
    d.all = o.value(QStringLiteral("all")).toBool(true);
    c.by_date = o.value(QStringLiteral("by_date")).toBool();
    c.by_paid = o.value(QStringLiteral("by_paid")).toBool();
    c.by_retail = o.value(QStringLiteral("by_retail")).toBool();
    c.by_text = o.value(QStringLiteral("by_text")).toBool();
    bool dates_ok = false;
    bool end_ok = false;
    c.date_beg = o.value(QStringLiteral("date_beg")).toString().toDouble(&dates_ok);
    c.date_end = o.value(QStringLiteral("date_end")).toString().toDouble(&end_ok);
    const auto paid_min = number_of(o.value(QStringLiteral("paid_min")));
    const auto paid_max = number_of(o.value(QStringLiteral("paid_max")));
    const auto retail_min = number_of(o.value(QStringLiteral("retail_min")));
    const auto retail_max = number_of(o.value(QStringLiteral("retail_max")));
    const int group = o.value(QStringLiteral("group")).toInt(-1);
    const int sort = o.value(QStringLiteral("sort")).toInt(-1);
    if (!dates_ok || !end_ok || !paid_min || !paid_max || !retail_min || !retail_max || group < 0
        || group > int(GroupField::country) || sort < 0 || sort > int(SortField::website))
        return std::nullopt;
    c.paid_min = *paid_min;
    c.paid_max = *paid_max;
    c.retail_min = *retail_min;
    c.retail_max = *retail_max;
    c.group = GroupField(group);
    c.group_value = o.value(QStringLiteral("group_value")).toString();
    d.sort = SortField(sort);
    d.descending = o.value(QStringLiteral("descending")).toBool();
    d.filter = o.value(QStringLiteral("filter")).toString();
    return d;
}

}  // namespace tessaran
