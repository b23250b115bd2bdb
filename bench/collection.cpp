#include "collection.h"

#include "core/criteria.h"
#include "core/locale_dates.h"
#include "core/vocabularies.h"

#include <QDate>
#include <QSaveFile>
#include <QStringList>

#include <random>

namespace tessaran::bench {

namespace {

const QStringList last_names
    = {"Adams",    "Baker",      "Bennett",  "Brooks",    "Carter",   "Chen",    "Collins",    "Cooper",  "Davidson",
       "Dawson",   "Ellis",      "Evans",    "Fischer",   "Foster",   "Garcia",  "Gibson",     "Gordon",  "Graham",
       "Hansen",   "Harper",     "Hayes",    "Henderson", "Hughes",   "Jackson", "Jensen",     "Johnson", "Keller",
       "Kennedy",  "Larsen",     "Lawson",   "Lopez",     "Marshall", "Martin",  "Meyer",      "Miller",  "Morgan",
       "Murphy",   "Nakamura",   "Nelson",   "Olsen",     "Palmer",   "Parker",  "Peterson",   "Porter",  "Quinn",
       "Reed",     "Reynolds",   "Richter",  "Robinson",  "Russell",  "Sanders", "Schmidt",    "Shaw",    "Simmons",
       "Sullivan", "Tanaka",     "Thompson", "Turner",    "Walker",   "Watson",  "Weber",      "Wheeler", "Wilson",
       "Young",    "Zimmermann", "Ångström", "Müller",    "Núñez",    "Øster",   "Søndergaard"};
const QStringList first_names
    = {"Alice", "Ben",  "Carla", "David", "Eva",  "Frank", "Greta", "Hugo", "Iris", "Jon",  "Karin", "Luis",
       "Mara",  "Nils", "Olga",  "Paul",  "Rosa", "Sam",   "Tara",  "Uwe",  "Vera", "Walt", "Yuki",  "Zoë"};
const QStringList words
    = {"Aurora",   "Cascade",  "Nebula", "Prism",   "Ember",  "Tide",  "Garden", "Crystal", "Lantern",  "Orbit",
       "Mosaic",   "Solstice", "Ripple", "Harbor",  "Meadow", "Comet", "Velvet", "Glacier", "Saffron",  "Echo",
       "Twilight", "Juniper",  "Quartz", "Monsoon", "Cobalt", "Amber", "Willow", "Zephyr",  "Obsidian", "Coral"};
const QStringList cities
    = {"Portland", "Santa Fe", "Asheville", "Sedona", "Boulder", "Taos", "Savannah", "Burlington", "Monterey",
       "Galena",   "Hamburg",  "Kyoto",     "Lyon",   "Bruges",  "Bath", "Halifax",  "Cairns",     "Nelson"};
const QStringList states = {"OR", "NM", "NC", "AZ", "CO", "GA", "VT", "CA", "IL", "Hamburg", "Kyoto", "Rhône"};
const QStringList countries
    = {"USA",       "USA",        "USA", "USA", "Canada", "Germany", "Japan", "France", "Belgium", "United Kingdom",
       "Australia", "New Zealand"};
const QStringList store_kinds
    = {"Gallery", "Kaleidoscopes", "Fine Crafts", "Art Glass", "Studio Shop", "Toys & Optics"};
const QStringList sentences = {
    "Oil-filled cell with dichroic glass and hand-blown ampoules.",
    "Three-mirror system gives a full-field image that turns smoothly.",
    "Brass body, polished by hand; the cell rotates on a nylon bearing.",
    "Bought at the spring show; the artist signed the box as well.",
    "Wheel scope with two interchangeable wheels of fused glass.",
    "Slight scratch near the eyepiece, no effect on the image.",
    "Mirrors are first-surface, the image is crisp even in low light.",
    "Part of a limited series; certificate kept with the receipts.",
    "Stand of walnut with a turned base; the scope lifts off.",
    "Colours shift from deep blue to amber as the cell turns.",
    "A gift for our anniversary, found in a small shop by the harbour.",
    "Polyangular mirrors, adjustable from 3 to 12 points.",
};

struct Rng {
    std::mt19937 gen;
    explicit Rng(int seed) : gen(std::uint32_t(seed) * 2654435761u + 12345u) { }
    int below(int n) { return int(gen() % std::uint32_t(n)); }
    const QString& pick(const QStringList& l) { return l.at(below(int(l.size()))); }
};

void put(ScopeRecord& r, Member m, const QString& value)
{
    const TextMemberInfo* info = text_member_info(m);
    r.*(info->field) = fixed_text(value, info->width);
}

// Vocabulary of a member's pick-list, empty for plain text members.
QStringList vocabulary_of(Member m)
{
    for (const TextSlot& s : text_slots())
        if (s.caption && s.member == m && s.list > 0)
            return vocabulary(s.list);
    return {};
}

QString long_text(Rng& rng, int max_sentences)
{
    QString t;
    const int n = rng.below(max_sentences + 1);
    for (int k = 0; k < n; ++k) {
        if (!t.isEmpty())
            t += QLatin1Char(' ');
        t += rng.pick(sentences);
    }
    return t.left(500);
}

qint64 amount(Rng& rng, int min_dollars, int max_dollars)
{
    const qint64 cents = qint64(min_dollars) * 100 + rng.below((max_dollars - min_dollars) * 100);
    return cents * 100;
}

}  // namespace

ScopeRecord bench_record(int i)
{
    Rng rng(i);
    ScopeRecord r;
    const QString last = rng.pick(last_names);
    const QString first = rng.pick(first_names);
    put(r, m_scopename,
        rng.pick(words) + QLatin1Char(' ') + rng.pick(words) + QLatin1Char(' ') + QString::number(1 + rng.below(99)));
    put(r, m_artist, last + QStringLiteral(", ") + first);
    put(r, m_studio, rng.below(3) == 0 ? QString() : last + QStringLiteral(" ") + rng.pick(store_kinds));
    if (rng.below(20) != 0) {
        const QDate d = QDate(1985, 1, 1).addDays(rng.below(40 * 365));
        put(r, m_date_bought, short_date_text(d));
    }
    if (rng.below(30) != 0) {
        r.price_paid = amount(rng, 25, 3000);
        r.price_retail = r.price_paid + amount(rng, 0, 800);
    }
    const QString city = rng.pick(cities);
    put(r, m_salesperson, rng.pick(first_names) + QLatin1Char(' ') + rng.pick(last_names));
    put(r, m_store, rng.pick(words) + QLatin1Char(' ') + rng.pick(store_kinds));
    put(r, m_street,
        QString::number(1 + rng.below(9000)) + QLatin1Char(' ') + rng.pick(words) + QStringLiteral(" Street"));
    put(r, m_city, city);
    put(r, m_state, rng.pick(states));
    put(r, m_zip, QString::number(10000 + rng.below(89999)));
    put(r, m_country, rng.pick(countries));
    put(r, m_phone, QStringLiteral("(%1) 555-%2").arg(200 + rng.below(700)).arg(1000 + rng.below(8999)));
    put(r, m_fax,
        rng.below(4) == 0 ? QStringLiteral("(%1) 555-%2").arg(200 + rng.below(700)).arg(1000 + rng.below(8999))
                          : QString());
    put(r, m_email, last.toLower() + QStringLiteral("@example.com"));
    put(r, m_www, QStringLiteral("www.") + last.toLower() + QStringLiteral("-scopes.example"));
    for (Member m : {m_scopetype, m_extmat, m_celltype, m_objects, m_mirrors, m_edition, m_signed, m_symmetry}) {
        const QStringList vocab = vocabulary_of(m);
        if (!vocab.isEmpty())
            put(r, m, rng.pick(vocab));
    }
    put(r, m_extclr, rng.pick(QStringList{"Blue", "Red", "Brass", "Black", "Green", "Silver", "Walnut", "Amber"}));
    put(r, m_scopeyear, QString::number(1970 + rng.below(55)));
    put(r, m_specfeatures, long_text(rng, 4));
    put(r, m_comments, long_text(rng, 8));
    r.image_count = qint16(rng.below(11));
    for (int k = 1; k <= r.image_count; ++k)
        r.image_files[size_t(k)]
            = fixed_text(QStringLiteral("/home/collector/pictures/scope%1_%2.jpg").arg(i).arg(k), image_slot_width);
    return r;
}

bool write_collection(const QString& path, int count, QString& error,
                      const std::function<void(ScopeRecord&, int)>& adjust)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        error = out.errorString();
        return false;
    }
    QByteArray chunk;
    for (int i = 1; i <= count; ++i) {
        ScopeRecord r = bench_record(i);
        if (adjust)
            adjust(r, i);
        chunk += encode_record(r);
        if (chunk.size() > (1 << 20) || i == count) {
            if (out.write(chunk) != chunk.size()) {
                error = out.errorString();
                return false;
            }
            chunk.clear();
        }
    }
    if (!out.commit()) {
        error = out.errorString();
        return false;
    }
    return true;
}

}  // namespace tessaran::bench
