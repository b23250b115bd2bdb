#include "session.h"

#include "record_changes.h"

#include <cstring>

namespace tessaran {

Session Session::on_file(const QString& path)
{
    Session s;
    s.path = path;
    s.refresh_record_count();
    s.note_file_state();
    return s;
}

int Session::refresh_record_count()
{
    // Counts are 16-bit; a longer file is refused when it is opened. A record
    // another program left unfinished at the end is no record to show.
    record_count = qMin(whole_record_count(path), int(max_record_count));
    return record_count;
}

FileStatus Session::read(int n)
{
    return read_record(path, n, record);
}

FileStatus Session::read_shown(int n)
{
    return read_record(path, n, record, &shown_bytes);
}

void Session::note_file_state()
{
    known_stamp = file_stamp(path);
    changed_elsewhere = false;
}

bool Session::file_changed_since_noted() const
{
    return file_stamp(path) != known_stamp;
}

bool Session::unchanged_since_shown(int n) const
{
    if (file_stamp(path).size != known_stamp.size)
        return false;
    if (n < 1)
        return true;
    ScopeRecord stored;
    QByteArray bytes;
    return read_record(path, n, stored, &bytes) && bytes == shown_bytes;
}

int Session::position_holding(const QByteArray& bytes) const
{
    RecordScanner scan;
    if (bytes.size() != rec_len_bytes || !scan.open(path))
        return 0;
    for (int p = 1; p <= ws.count(); ++p) {
        const char* raw = scan.raw(ws.record_at(p));
        if (raw && std::memcmp(raw, bytes.constData(), size_t(rec_len_bytes)) == 0)
            return p;
    }
    return 0;
}

int Session::position_of_changed(const QByteArray& bytes, int was_record) const
{
    RecordScanner scan;
    if (bytes.size() != rec_len_bytes || !scan.open(path))
        return 0;
    const char* was = bytes.constData();
    const QByteArrayView name = trimmed_member_bytes(was, m_scopename);
    const QByteArrayView artist = trimmed_member_bytes(was, m_artist);
    int same_place = 0;
    int same_names = 0;
    int named_alike = 0;
    for (int p = 1; p <= ws.count(); ++p) {
        const int n = ws.record_at(p);
        const char* raw = scan.raw(n);
        if (!raw)
            continue;
        if (n == was_record && same_kaleidoscope(was, raw))
            same_place = p;
        if (trimmed_member_bytes(raw, m_scopename) == name && trimmed_member_bytes(raw, m_artist) == artist) {
            same_names = p;
            ++named_alike;
        }
    }
    if (same_place > 0)
        return same_place;
    return named_alike == 1 ? same_names : 0;
}

FileStatus Session::write(int n) const
{
    return write_record(path, n, record);
}

QString Session::caption() const
{
    const QString sep = QStringLiteral("  ");
    // A position past the working set is a record being added.
    const QString record
        = ws.position() > ws.count() ? adding_caption(ws.position()) : position_caption(ws.position(), ws.count());
    QString text = trim_blanks(database_caption(path)) + sep + record + sep + trim_blanks(ws.sort_caption()) + sep
        + trim_blanks(selection_caption(ws.all(), ws.selection().criteria));
    if (read_only)
        text += sep + QStringLiteral("[Read-only]");
    if (changed_elsewhere)
        text += sep + QStringLiteral("[Changed by another program]");
    return text;
}

}  // namespace tessaran
