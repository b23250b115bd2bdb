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
h1, h2, p, td, th, figcaption { overflow-wrap: anywhere; }
img { max-width: 100%; height: auto; }
table { border-collapse: collapse; }
th, td { border-bottom: 1px solid #ddd; padding: .3em .6em; text-align: left; vertical-align: middle; }
thead th { background: #f2f0f8; position: sticky; top: 0; }
th[data-type] { cursor: pointer; }
th[aria-sort="ascending"]::after { content: " \25B2"; }
th[aria-sort="descending"]::after { content: " \25BC"; }
td.amount, th.amount { text-align: right; white-space: nowrap; }
td.picture img { max-width: 96px; max-height: 96px; }
.missing { color: #8a1c1c; font-size: .9em; }
#search { margin: 0 0 1em 0; }
#q { font-size: 1em; padding: .3em; width: 22em; max-width: 100%; box-sizing: border-box; }
nav { margin-bottom: 1em; }
nav.pages a, nav.pages strong { display: inline-block; min-width: 1.8em; }
section { border-top: 2px solid #e4e0f0; padding: .5em 0 1.5em 0; }
section:target { background: #fff8e0; }
table.fields th { width: 12em; font-weight: normal; color: #555; }
.pictures img { margin: 0 .6em .6em 0; border: 1px solid #ccc; }
.pictures .first img { max-height: 70vh; }
.gallery { display: grid; grid-template-columns: repeat(auto-fill, minmax(150px, 1fr)); gap: 1em; }
.tile { margin: 0; text-align: center; }
.tile img { max-height: 200px; border: 1px solid #ccc; }
.tile .nopicture { height: 150px; line-height: 150px; background: #eee; color: #666; }
@media (max-width: 600px) {
  body { margin: .8em; }
  table#catalogue, table#catalogue tbody, table#catalogue tr, table#catalogue td { display: block; }
  table#catalogue thead { display: none; }
  table#catalogue tr { border: 1px solid #ddd; border-radius: 6px; margin: 0 0 .8em 0; padding: .4em; }
  table#catalogue td { border: 0; padding: .1em .3em; text-align: left; }
  table#catalogue td:empty { display: none; }
  table#catalogue td:not(.picture)::before { content: attr(data-label) ": "; color: #555; }
  table.fields, table.fields tbody, table.fields tr, table.fields th, table.fields td { display: block; width: auto; }
  table.fields th { border: 0; padding-bottom: 0; }
}
)";

// The list's script: the search box (every word, without regard to case or
// accents, folded as the catalogue folded each row's text) and the sortable
// headings (empty values last) over the whole collection, whose rows it reads
// from list/search.js once the user searches or sorts; the first 500 found
// are shown. Each page is complete without it.
const char* const page_script = R"(<script>
(function () {
  function fold(s) {
    return s.toLowerCase().normalize('NFKD').replace(/\p{M}/gu, '').replace(/\u0153/g, 'oe')
      .replace(/\u00e6/g, 'ae').replace(/\u00df/g, 'ss').replace(/\u00f8/g, 'o').replace(/\u0111/g, 'd');
  }
  var table = document.getElementById('catalogue');
  var base = table.getAttribute('data-base');
  var body = table.tBodies[0];
  var pageRows = Array.prototype.slice.call(body.rows);
  var heads = table.tHead.rows[0].cells;
  var box = document.getElementById('q');
  var count = document.getElementById('count');
  var pages = document.getElementById('pages');
  var ownCount = count.textContent;
  var all = null, waiting = [], column = -1, direction = 1, limit = 500;
  function load(then) {
    if (all) return then();
    waiting.push(then);
    if (waiting.length > 1) return;
    var script = document.createElement('script');
    script.src = base + 'list/search.js';
    script.onload = function () { all = window.catalogueRows || []; waiting.splice(0).forEach(function (f) { f(); }); };
    script.onerror = function () { count.textContent = 'The search cannot read list/search.js.'; };
    document.head.appendChild(script);
  }
  function rowOf(d) {
    var tr = document.createElement('tr');
    tr.setAttribute('data-text', d[2]);
    var picture = tr.insertCell(-1);
    picture.className = 'picture';
    if (d[1]) {
      var a = document.createElement('a'), img = document.createElement('img');
      a.href = base + d[0]; img.src = base + d[1]; img.alt = ''; img.loading = 'lazy';
      a.appendChild(img); picture.appendChild(a);
    }
    for (var i = 3; i < d.length; i++) {
      var td = tr.insertCell(-1), head = heads[i - 2];
      td.setAttribute('data-sort', d[i][1]);
      td.setAttribute('data-label', head.textContent);
      if (head.classList.contains('amount')) td.className = 'amount';
      if (i === 3) {
        var link = document.createElement('a');
        link.href = base + d[0]; link.textContent = d[i][0];
        td.appendChild(link);
      } else {
        td.textContent = d[i][0];
      }
    }
    return tr;
  }
  function show(rows) {
    while (body.firstChild) body.removeChild(body.firstChild);
    rows.forEach(function (row) { body.appendChild(row); });
  }
  function apply() {
    var words = fold(box.value).split(/\s+/).filter(Boolean);
    if (!words.length && column < 0) {
      show(pageRows);
      count.textContent = ownCount;
      if (pages) pages.hidden = false;
      return;
    }
    load(function () {
      var found = all.filter(function (d) { return words.every(function (w) { return d[2].indexOf(w) >= 0; }); });
      if (column >= 0) {
        var numeric = heads[column].getAttribute('data-type') === 'number';
        found.sort(function (a, b) {
          var x = a[column + 2][1], y = b[column + 2][1];
          if (x === '' || y === '') return x === y ? 0 : (x === '' ? 1 : -1);
          var c = numeric ? Number(x) - Number(y) : (x < y ? -1 : (x > y ? 1 : 0));
          return c * direction;
        });
      }
      show(found.slice(0, limit).map(rowOf));
      count.textContent = found.length + ' of ' + all.length + ' kaleidoscopes'
        + (found.length > limit ? '; the first ' + limit + ' are shown' : '');
      if (pages) pages.hidden = true;
    });
  }
  function sortBy(i) {
    direction = column === i ? -direction : 1;
    column = i;
    Array.prototype.forEach.call(heads, function (h, j) {
      if (h.hasAttribute('data-type'))
        h.setAttribute('aria-sort', j === i ? (direction > 0 ? 'ascending' : 'descending') : 'none');
    });
    apply();
  }
  Array.prototype.forEach.call(heads, function (h, i) {
    if (!h.hasAttribute('data-type')) return;
    h.tabIndex = 0;
    h.title = 'Sort the whole collection by this column';
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
    return is_price(field_member(field));
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

int list_page_count(int count)
{
    return qMax(1, (count + rows_per_list_page - 1) / rows_per_list_page);
}

int gallery_page_count(int count)
{
    return qMax(1, (count + tiles_per_gallery_page - 1) / tiles_per_gallery_page);
}

QString list_page_path(int page)
{
    return page <= 1 ? QStringLiteral("index.html") : QStringLiteral("list/%1.html").arg(page);
}

QString gallery_page_path(int page)
{
    return QStringLiteral("list/gallery-%1.html").arg(page);
}

int list_page_of(int number)
{
    return (number - 1) / rows_per_list_page + 1;
}

int gallery_page_of(int number)
{
    return (number - 1) / tiles_per_gallery_page + 1;
}

namespace {

// The way from a page of the list (1 is the catalogue's own folder) to the catalogue's folder.
QString base_of_list_page(int page)
{
    return page <= 1 ? QString() : QStringLiteral("../");
}

// "List · Gallery" and the page numbers, the page shown in bold.
QString page_navigation(bool gallery, int page, int pages, const QString& base)
{
    const auto path = [gallery](int n) { return gallery ? gallery_page_path(n) : list_page_path(n); };
    // The list's search hides its page numbers while it shows what it found.
    QString html
        = gallery ? QStringLiteral("<nav class=\"pages\">") : QStringLiteral("<nav class=\"pages\" id=\"pages\">");
    html += gallery ? QStringLiteral("<a href=\"") + base + list_page_path(1)
            + QStringLiteral("\">List</a> &middot; <strong>Gallery</strong>")
                    : QStringLiteral("<strong>List</strong> &middot; <a href=\"") + base + gallery_page_path(1)
            + QStringLiteral("\">Gallery</a>");
    if (pages > 1) {
        html += QStringLiteral(" &middot; Pages:");
        for (int n = 1; n <= pages; ++n)
            html += n == page ? QStringLiteral(" <strong aria-current=\"page\">%1</strong>").arg(n)
                              : QStringLiteral(" <a href=\"%1%2\">%3</a>").arg(base, path(n)).arg(n);
    }
    return html + QStringLiteral("</nav>\n");
}

// A text as a JavaScript string literal; "<" escaped as well, so that the
// literal could stand inside a page's script without ending it.
QString js_string(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20 || c == QLatin1Char('<') || c == QChar(0x2028) || c == QChar(0x2029))
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

// Every text of a record, folded as the search folds what is typed.
QString search_text(const ScopeRecord& r)
{
    QStringList texts;
    for (const TextMemberInfo& m : text_members())
        texts << folded_text(shown_text(r.*(m.field)));
    return texts.join(QLatin1Char('\t'));
}

}  // namespace

QString catalogue_index_head(const CatalogueOptions& options, int page)
{
    const int pages = list_page_count(options.count);
    const QString base = base_of_list_page(page);
    QString html
        = page_head(pages > 1 ? options.title + QStringLiteral(" (page %1 of %2)").arg(page).arg(pages) : options.title,
                    base + QStringLiteral("style.css"));
    html += QStringLiteral("<h1>") + html_escaped(options.title) + QStringLiteral("</h1>\n");
    html += QStringLiteral("<p>%1 kaleidoscopes.</p>\n").arg(options.count);
    html += page_navigation(false, page, pages, base);
    const int first = (page - 1) * rows_per_list_page + 1;
    const QString own = pages > 1 ? QStringLiteral("Kaleidoscopes %1 to %2 of %3")
                                        .arg(first)
                                        .arg(qMin(options.count, first + rows_per_list_page - 1))
                                        .arg(options.count)
                                  : QStringLiteral("%1 of %1 kaleidoscopes").arg(options.count);
    html += QStringLiteral("<div id=\"search\" hidden><label for=\"q\">Search all: </label>"
                           "<input id=\"q\" type=\"search\" autocomplete=\"off\"> <span id=\"count\">")
        + own + QStringLiteral("</span></div>\n");
    html += QStringLiteral("<table id=\"catalogue\" data-base=\"") + base
        + QStringLiteral("\">\n<thead><tr><th>Picture</th>");
    for (const int f : shown_fields(overview_fields(), options.include_prices))
        html += QStringLiteral("<th scope=\"col\" data-type=\"") + sort_type(f)
            + (is_price(f) ? QStringLiteral("\" class=\"amount\">") : QStringLiteral("\">"))
            + html_escaped(field_name(f)) + QStringLiteral("</th>");
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    return html;
}

QString catalogue_index_row(const CatalogueEntry& entry, const CatalogueOptions& options, int page)
{
    const ScopeRecord& r = entry.record;
    const QString base = base_of_list_page(page);
    const QString link = base + kaleidoscope_link(entry.number);
    QString html = QStringLiteral("<tr data-text=\"") + html_escaped(search_text(r))
        + QStringLiteral("\"><td class=\"picture\">");
    if (!entry.pictures.empty() && !entry.pictures.front().thumbnail.isEmpty())
        html += QStringLiteral("<a href=\"") + link + QStringLiteral("\"><img src=\"") + base
            + html_escaped(entry.pictures.front().thumbnail) + QStringLiteral("\" alt=\"\" loading=\"lazy\"></a>");
    html += QStringLiteral("</td>");
    bool first = true;
    for (const int f : shown_fields(overview_fields(), options.include_prices)) {
        const QString shown = field_value(r, f);
        const QString value = html_escaped(shown);
        html += QStringLiteral("<td") + (is_price(f) ? QStringLiteral(" class=\"amount\"") : QString())
            + QStringLiteral(" data-label=\"") + field_name(f) + QStringLiteral("\" data-sort=\"")
            + html_escaped(sort_key(r, f, shown)) + QStringLiteral("\">");
        if (first)
            html += QStringLiteral("<a href=\"") + link + QStringLiteral("\">")
                + (value.isEmpty() ? html_escaped(entry_name(entry)) : value) + QStringLiteral("</a>");
        else
            html += value;
        html += QStringLiteral("</td>");
        first = false;
    }
    return html + QStringLiteral("</tr>\n");
}

QString catalogue_index_tail(const CatalogueOptions& options, int page)
{
    Q_UNUSED(options);
    Q_UNUSED(page);
    return QStringLiteral("</tbody>\n</table>\n") + QString::fromLatin1(page_script)
        + QStringLiteral("</body>\n</html>\n");
}

QString gallery_page_head(const CatalogueOptions& options, int page)
{
    const int pages = gallery_page_count(options.count);
    QString html = page_head(options.title + QStringLiteral(": gallery")
                                 + (pages > 1 ? QStringLiteral(" (page %1 of %2)").arg(page).arg(pages) : QString()),
                             QStringLiteral("../style.css"));
    html += QStringLiteral("<h1>") + html_escaped(options.title) + QStringLiteral("</h1>\n");
    html += QStringLiteral("<p>%1 kaleidoscopes.</p>\n").arg(options.count);
    html += page_navigation(true, page, pages, QStringLiteral("../"));
    return html + QStringLiteral("<div class=\"gallery\">\n");
}

QString gallery_tile(const CatalogueEntry& entry)
{
    const QString link = QStringLiteral("../") + kaleidoscope_link(entry.number);
    const QString name = html_escaped(entry_name(entry));
    QString html = QStringLiteral("<figure class=\"tile\"><a href=\"") + link + QStringLiteral("\">");
    if (!entry.pictures.empty() && !entry.pictures.front().thumbnail.isEmpty())
        html += QStringLiteral("<img src=\"../") + html_escaped(entry.pictures.front().thumbnail)
            + QStringLiteral("\" alt=\"\" loading=\"lazy\">");
    else
        html += QStringLiteral("<div class=\"nopicture\">No picture</div>");
    html += QStringLiteral("</a><figcaption><a href=\"") + link + QStringLiteral("\">") + name
        + QStringLiteral("</a><br>") + html_escaped(shown_text(entry.record.artist))
        + QStringLiteral("</figcaption></figure>\n");
    return html;
}

QString gallery_page_tail(const CatalogueOptions& options, int page)
{
    return QStringLiteral("</div>\n")
        + page_navigation(true, page, gallery_page_count(options.count), QStringLiteral("../"))
        + QStringLiteral("</body>\n</html>\n");
}

QString search_data_head()
{
    return QStringLiteral("window.catalogueRows = [\n");
}

QString search_data_row(const CatalogueEntry& entry, const CatalogueOptions& options)
{
    const ScopeRecord& r = entry.record;
    QString line = QLatin1Char('[') + js_string(kaleidoscope_link(entry.number)) + QLatin1Char(',');
    line += js_string(entry.pictures.empty() ? QString() : entry.pictures.front().thumbnail) + QLatin1Char(',');
    line += js_string(search_text(r));
    bool first = true;
    for (const int f : shown_fields(overview_fields(), options.include_prices)) {
        const QString shown = field_value(r, f);
        line += QStringLiteral(",[") + js_string(first && shown.isEmpty() ? entry_name(entry) : shown)
            + QLatin1Char(',') + js_string(sort_key(r, f, shown)) + QLatin1Char(']');
        first = false;
    }
    return line + QStringLiteral("],\n");
}

QString search_data_tail()
{
    return QStringLiteral("];\n");
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

namespace {

// The pictures of a kaleidoscope, the first one large.
QString section_pictures(const CatalogueEntry& entry, const QString& name)
{
    QString html = QStringLiteral("<div class=\"pictures\">\n");
    int n = 0;
    for (const CataloguePicture& p : entry.pictures) {
        ++n;
        if (p.thumbnail.isEmpty()) {
            html += QStringLiteral("<p class=\"missing\">Picture %1, ").arg(n) + html_escaped(p.name)
                + QStringLiteral(", could not be read.</p>\n");
            continue;
        }
        const QString shown = n == 1 ? p.view : p.thumbnail;
        html += QStringLiteral("<a") + (n == 1 ? QStringLiteral(" class=\"first\"") : QString())
            + QStringLiteral(" href=\"../") + html_escaped(p.view) + QStringLiteral("\"><img src=\"../")
            + html_escaped(shown) + QStringLiteral("\" alt=\"Picture %1 of ").arg(n) + name
            + QStringLiteral("\" loading=\"lazy\"></a>\n");
    }
    return html + QStringLiteral("</div>\n");
}

}  // namespace

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
    html += QStringLiteral(" &middot; <a href=\"../") + list_page_path(list_page_of(entry.number))
        + QStringLiteral("\">List</a> &middot; <a href=\"../") + gallery_page_path(gallery_page_of(entry.number))
        + QStringLiteral("\">Gallery</a></nav>\n");
    if (!entry.pictures.empty())
        html += section_pictures(entry, name);
    // Only what the collector filled in.
    html += QStringLiteral("<table class=\"fields\">\n");
    for (int f = 1; f <= field_table_size; ++f) {
        if (!options.include_prices && is_price(f))
            continue;
        const QString value = field_value(r, f);
        if (value.isEmpty())
            continue;
        html += QStringLiteral("<tr><th scope=\"row\">");
        html += field_name(f);
        html += QStringLiteral("</th><td>");
        html += html_escaped(value);
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
    return html + QStringLiteral("</section>\n");
}

QString kaleidoscope_page_tail()
{
    return QStringLiteral("</body>\n</html>\n");
}

}  // namespace tessaran
