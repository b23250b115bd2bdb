#include "web_catalogue_pages.h"

#include "collection_index.h"
#include "field_text.h"
#include "money.h"
#include "record_file.h"
#include "record_match.h"

#include <algorithm>

namespace tessaran {

namespace {

const char* const page_style
    = R"(body { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; margin: 1.5em; color: #222; line-height: 1.4; }
h1 { color: #3a2a6a; font-size: 1.6em; }
h2 { color: #3a2a6a; font-size: 1.3em; }
h3 { font-size: 1.05em; }
a { color: #3a2a6a; }
table { border-collapse: collapse; }
th, td { border-bottom: 1px solid #ddd; padding: .3em .6em; text-align: left; vertical-align: middle; }
thead th { background: #f2f0f8; position: sticky; top: 0; }
th[data-type] { cursor: pointer; }
th[aria-sort="ascending"]::after { content: " \25B2"; }
th[aria-sort="descending"]::after { content: " \25BC"; }
td.amount { text-align: right; white-space: nowrap; }
td.picture img { max-width: 96px; max-height: 96px; }
.missing { color: #8a1c1c; font-size: .9em; }
#search { margin: 0 0 1em 0; }
#q { font-size: 1em; padding: .3em; width: 22em; }
section { border-top: 2px solid #e4e0f0; padding: .5em 0 1.5em 0; }
section:target { background: #fff8e0; }
table.fields th { width: 12em; font-weight: normal; color: #555; }
.pictures img { margin: 0 .6em .6em 0; border: 1px solid #ccc; }
nav { margin-bottom: 1em; }
)";

// The overview page's script: the search box (every word, without regard to
// case or accents, folded as the catalogue folded each row's text) and the
// sortable headings (empty values last). The table is complete without it.
const char* const page_script = R"(<script>
(function () {
  function fold(s) {
    return s.toLowerCase().normalize('NFKD').replace(/\p{M}/gu, '').replace(/\u0153/g, 'oe')
      .replace(/\u00e6/g, 'ae').replace(/\u00df/g, 'ss').replace(/\u00f8/g, 'o').replace(/\u0111/g, 'd');
  }
  var table = document.getElementById('catalogue');
  var body = table.tBodies[0];
  var rows = Array.prototype.slice.call(body.rows);
  var box = document.getElementById('q');
  var count = document.getElementById('count');
  function apply() {
    var words = fold(box.value).split(/\s+/).filter(Boolean);
    var shown = 0;
    rows.forEach(function (row) {
      var text = row.getAttribute('data-text');
      var match = words.every(function (w) { return text.indexOf(w) >= 0; });
      row.hidden = !match;
      if (match) shown++;
    });
    count.textContent = shown + ' of ' + rows.length + ' kaleidoscopes';
  }
  var heads = table.tHead.rows[0].cells;
  var column = -1, direction = 1;
  function sortBy(i) {
    direction = column === i ? -direction : 1;
    column = i;
    var numeric = heads[i].getAttribute('data-type') === 'number';
    rows.sort(function (a, b) {
      var x = a.cells[i].getAttribute('data-sort'), y = b.cells[i].getAttribute('data-sort');
      if (x === '' || y === '') return x === y ? 0 : (x === '' ? 1 : -1);
      var c = numeric ? Number(x) - Number(y) : (x < y ? -1 : (x > y ? 1 : 0));
      return c * direction;
    });
    rows.forEach(function (row) { body.appendChild(row); });
    Array.prototype.forEach.call(heads, function (h, j) {
      if (h.hasAttribute('data-type'))
        h.setAttribute('aria-sort', j === i ? (direction > 0 ? 'ascending' : 'descending') : 'none');
    });
  }
  Array.prototype.forEach.call(heads, function (h, i) {
    if (!h.hasAttribute('data-type')) return;
    h.tabIndex = 0;
    h.title = 'Sort by this column';
    h.addEventListener('click', function () { sortBy(i); });
    h.addEventListener('keydown', function (e) {
      if (e.key === 'Enter' || e.key === ' ') { e.preventDefault(); sortBy(i); }
    });
  });
  box.addEventListener('input', function () {
    apply();
    history.replaceState(null, '', box.value ? '#q=' + encodeURIComponent(box.value) : location.pathname);
  });
  var asked = /^#q=(.*)$/.exec(location.hash);
  // A search the address cannot hold (a broken escape) is left out, not fatal.
  if (asked) { try { box.value = decodeURIComponent(asked[1]); } catch (e) { box.value = ''; } }
  document.getElementById('search').hidden = false;
  apply();
})();
</script>
)";

bool is_price(int field)
{
    const Member m = field_member(field);
    return m == m_price_paid || m == m_price_retail;
}

QString field_value(const ScopeRecord& r, int field)
{
    const Member m = field_member(field);
    if (m == m_price_paid)
        return money_text(r.price_paid);
    if (m == m_price_retail)
        return money_text(r.price_retail);
    return shown_text(r.*(text_member_info(m)->field));
}

// The key a heading sorts by: folded text, the date's day number (empty
// without a date that reads), or the amount. value is the field as shown.
QString sort_key(const ScopeRecord& r, int field, const QString& value)
{
    const Member m = field_member(field);
    if (m == m_price_paid)
        return QString::number(r.price_paid);
    if (m == m_price_retail)
        return QString::number(r.price_retail);
    if (m == m_date_bought) {
        const std::optional<double> days = stored_date_days(value);
        return days ? QString::number(qint64(*days)) : QString();
    }
    return folded_text(value);
}

QString sort_type(int field)
{
    const Member m = field_member(field);
    return (m == m_date_bought || is_price(field)) ? QStringLiteral("number") : QStringLiteral("text");
}

std::vector<int> shown_fields(const std::vector<int>& fields, bool include_prices)
{
    std::vector<int> shown;
    for (const int f : fields) {
        if (include_prices || !is_price(f))
            shown.push_back(f);
    }
    return shown;
}

// A stored text with its line breaks, as HTML.
QString paragraph_text(const QString& stored)
{
    QString text = html_escaped(shown_text(stored));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

// style is the style sheet's address from the page.
QString page_head(const QString& title, const QString& style)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>")
        + html_escaped(title) + QStringLiteral("</title>\n<link rel=\"stylesheet\" href=\"") + style
        + QStringLiteral("\">\n</head>\n<body>\n");
}

QString entry_name(const CatalogueEntry& entry)
{
    const QString name = shown_text(entry.record.scopename);
    return name.isEmpty() ? QStringLiteral("Kaleidoscope %1").arg(entry.number) : name;
}

}  // namespace

QString html_escaped(const QString& text)
{
    // Most texts hold nothing to escape: they are used as they are.
    const auto special = [](QChar c) {
        return c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('&') || c == QLatin1Char('"')
            || c == QLatin1Char('\'');
    };
    if (std::none_of(text.begin(), text.end(), special))
        return text;
    QString out = text.toHtmlEscaped();
    return out.replace(QLatin1Char('\''), QStringLiteral("&#39;"));
}

QString kaleidoscope_page_path(int number)
{
    return QStringLiteral("k/%1.html").arg((number - 1) / kaleidoscopes_per_page + 1);
}

QString kaleidoscope_link(int number)
{
    return kaleidoscope_page_path(number) + QStringLiteral("#k") + QString::number(number);
}

QString catalogue_style_sheet()
{
    return QString::fromLatin1(page_style);
}

QString catalogue_index_head(const CatalogueOptions& options)
{
    QString html = page_head(options.title, QStringLiteral("style.css"));
    html += QStringLiteral("<h1>") + html_escaped(options.title) + QStringLiteral("</h1>\n");
    html += QStringLiteral("<p>%1 kaleidoscopes.</p>\n").arg(options.count);
    html += QStringLiteral("<div id=\"search\" hidden><label for=\"q\">Search: </label>"
                           "<input id=\"q\" type=\"search\" autocomplete=\"off\"> <span id=\"count\"></span></div>\n");
    html += QStringLiteral("<table id=\"catalogue\">\n<thead><tr><th>Picture</th>");
    for (const int f : shown_fields(overview_fields(), options.include_prices))
        html += QStringLiteral("<th scope=\"col\" data-type=\"") + sort_type(f) + QStringLiteral("\">")
            + html_escaped(field_name(f)) + QStringLiteral("</th>");
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    return html;
}

QString catalogue_index_row(const CatalogueEntry& entry, const CatalogueOptions& options)
{
    const ScopeRecord& r = entry.record;
    const QString page = kaleidoscope_link(entry.number);
    QStringList texts;
    for (const TextMemberInfo& m : text_members())
        texts << folded_text(shown_text(r.*(m.field)));
    QString html = QStringLiteral("<tr data-text=\"") + html_escaped(texts.join(QLatin1Char('\t')))
        + QStringLiteral("\"><td class=\"picture\">");
    if (!entry.pictures.empty() && !entry.pictures.front().thumbnail.isEmpty())
        html += QStringLiteral("<a href=\"") + page + QStringLiteral("\"><img src=\"")
            + html_escaped(entry.pictures.front().thumbnail) + QStringLiteral("\" alt=\"\" loading=\"lazy\"></a>");
    html += QStringLiteral("</td>");
    bool first = true;
    for (const int f : shown_fields(overview_fields(), options.include_prices)) {
        const QString shown = field_value(r, f);
        const QString value = html_escaped(shown);
        html += QStringLiteral("<td") + (is_price(f) ? QStringLiteral(" class=\"amount\"") : QString())
            + QStringLiteral(" data-sort=\"") + html_escaped(sort_key(r, f, shown)) + QStringLiteral("\">");
        if (first)
            html += QStringLiteral("<a href=\"") + page + QStringLiteral("\">")
                + (value.isEmpty() ? html_escaped(entry_name(entry)) : value) + QStringLiteral("</a>");
        else
            html += value;
        html += QStringLiteral("</td>");
        first = false;
    }
    return html + QStringLiteral("</tr>\n");
}

QString catalogue_index_tail(const CatalogueOptions& options)
{
    Q_UNUSED(options);
    return QStringLiteral("</tbody>\n</table>\n") + QString::fromLatin1(page_script)
        + QStringLiteral("</body>\n</html>\n");
}

QString kaleidoscope_page_head(int first, const CatalogueOptions& options)
{
    const int last = qMin(first + kaleidoscopes_per_page - 1, options.count);
    QString html = page_head(QStringLiteral("Kaleidoscopes %1 to %2 - ").arg(first).arg(last) + options.title,
                             QStringLiteral("../style.css"));
    html += QStringLiteral("<nav><a href=\"../index.html\">") + html_escaped(options.title)
        + QStringLiteral("</a> &middot; kaleidoscopes %1 to %2 of %3</nav>\n").arg(first).arg(last).arg(options.count);
    return html;
}

QString kaleidoscope_section(const CatalogueEntry& entry, const CatalogueOptions& options)
{
    const ScopeRecord& r = entry.record;
    const QString name = html_escaped(entry_name(entry));
    // Links between sections go through their pages, as the neighbour may lie on the next one.
    const auto link = [](int number) { return QStringLiteral("../") + kaleidoscope_link(number); };
    QString html;
    html.reserve(4096);
    html += QStringLiteral("<section id=\"k%1\">\n<h2>").arg(entry.number) + name + QStringLiteral("</h2>\n<nav>");
    html += QStringLiteral("%1 of %2").arg(entry.number).arg(options.count);
    if (entry.number > 1)
        html += QStringLiteral(" &middot; <a href=\"") + link(entry.number - 1) + QStringLiteral("\">Previous</a>");
    if (entry.number < options.count)
        html += QStringLiteral(" &middot; <a href=\"") + link(entry.number + 1) + QStringLiteral("\">Next</a>");
    html += QStringLiteral(" &middot; <a href=\"../index.html\">Catalogue</a></nav>\n<table class=\"fields\">\n");
    for (int f = 1; f <= field_table_size; ++f) {
        if (!options.include_prices && is_price(f))
            continue;
        html += QStringLiteral("<tr><th scope=\"row\">");
        html += field_name(f);
        html += QStringLiteral("</th><td>");
        html += html_escaped(field_value(r, f));
        html += QStringLiteral("</td></tr>\n");
    }
    html += QStringLiteral("</table>\n");
    const std::pair<const char*, const QString*> notes[]
        = {{"Special features", &r.specfeatures}, {"Comments", &r.comments}};
    for (const auto& [caption, text] : notes) {
        if (!shown_text(*text).isEmpty())
            html += QStringLiteral("<h3>") + QString::fromLatin1(caption) + QStringLiteral("</h3>\n<p>")
                + paragraph_text(*text) + QStringLiteral("</p>\n");
    }
    if (!entry.pictures.empty()) {
        html += QStringLiteral("<h3>Pictures</h3>\n<div class=\"pictures\">\n");
        int n = 0;
        for (const CataloguePicture& p : entry.pictures) {
            ++n;
            if (p.thumbnail.isEmpty()) {
                html += QStringLiteral("<p class=\"missing\">Picture %1, ").arg(n) + html_escaped(p.name)
                    + QStringLiteral(", could not be read.</p>\n");
                continue;
            }
            html += QStringLiteral("<a href=\"../") + html_escaped(p.view) + QStringLiteral("\"><img src=\"../")
                + html_escaped(p.thumbnail) + QStringLiteral("\" alt=\"Picture %1 of ").arg(n) + name
                + QStringLiteral("\" loading=\"lazy\"></a>\n");
        }
        html += QStringLiteral("</div>\n");
    }
    return html + QStringLiteral("</section>\n");
}

QString kaleidoscope_page_tail()
{
    return QStringLiteral("</body>\n</html>\n");
}

}  // namespace tessaran
