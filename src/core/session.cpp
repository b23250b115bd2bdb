#include "session.h"

#include "record_changes.h"

#include <cstring>

namespace tessaran {

Session Session::on_file(const QString& path)
{
    Session s;
    s.path_ = path;
    s.refresh_record_count();
    s.note_file_state();
    return s;
}

int Session::refresh_record_count()
{
    // Counts are 16-bit; a longer file is refused when it is opened. A record
    // another program left unfinished at the end is no record to show.
    record_count_ = qMin(whole_record_count(path_), int(max_record_count));
    return record_count_;
}

FileStatus Session::read(int n)
{
    return read_record(path_, n, record_);
}

FileStatus Session::read_shown(int n)
{
    return read_record(path_, n, record_, &shown_bytes_);
}

void Session::open_read_only(const QString& holder)
{
    lock_.reset();
    read_only_ = true;
    holder_ = holder;
}

bool Session::notice_outside_change()
{
    // This window's own writes were noted when it made them.
    if (changed_elsewhere_ || !file_changed_since_noted())
        return false;
    changed_elsewhere_ = true;
    return true;
}

bool Session::keep_claim()
{
    if (read_only_)
        return false;
    if (!claim_left_behind())
        return true;
    LockHolder holder;
    const LockOutcome outcome = lock_->take(path_, &holder);
    if (outcome == LockOutcome::taken)
        return true;
    lock_.reset();
    if (outcome == LockOutcome::unavailable)
        return true;  // nobody else claims it; a write says itself why it fails
    open_read_only(holder_text(holder));
    return false;
}

FileStatus Session::read_at(int pos)
{
    if (pos > record_count_) {
        start_new_record();
        return FileStatus();
    }
    const std::vector<int>& numbers = ws_.records();
    const int n = pos >= 1 && pos < int(numbers.size()) ? numbers[std::size_t(pos)] : 0;
    return n > 0 ? read(n) : FileStatus::failure(QStringLiteral("no such record"));
}

void Session::note_file_state()
{
    known_stamp_ = file_stamp(path_);
    changed_elsewhere_ = false;
}

bool Session::file_changed_since_noted() const
{
    return file_stamp(path_) != known_stamp_;
}

bool Session::unchanged_since_shown(int n) const
{
    if (file_stamp(path_).size != known_stamp_.size)
        return false;
    if (n < 1)
        return true;
    ScopeRecord stored;
    QByteArray bytes;
    return read_record(path_, n, stored, &bytes) && bytes == shown_bytes_;
}

int Session::position_holding(const QByteArray& bytes) const
{
    RecordScanner scan;
    if (bytes.size() != rec_len_bytes || !scan.open(path_))
        return 0;
    for (int p = 1; p <= ws_.count(); ++p) {
        const char* raw = scan.raw(ws_.record_at(p));
        if (raw && std::memcmp(raw, bytes.constData(), size_t(rec_len_bytes)) == 0)
            return p;
    }
    return 0;
}

int Session::position_of_changed(const QByteArray& bytes, int was_record) const
{
    RecordScanner scan;
    if (bytes.size() != rec_len_bytes || !scan.open(path_))
        return 0;
    const char* was = bytes.constData();
    const QByteArrayView name = trimmed_member_bytes(was, m_scopename);
    const QByteArrayView artist = trimmed_member_bytes(was, m_artist);
    int same_place = 0;
    int same_names = 0;
    int named_alike = 0;
    for (int p = 1; p <= ws_.count(); ++p) {
        const int n = ws_.record_at(p);
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

QString Session::caption() const
{
    const QString sep = QStringLiteral("  ");
    // A position past the working set is a record being added.
    const QString place
        = ws_.position() > ws_.count() ? adding_caption(ws_.position()) : position_caption(ws_.position(), ws_.count());
    QString text = trim_blanks(database_caption(path_)) + sep + place + sep + trim_blanks(ws_.sort_caption()) + sep
        + trim_blanks(selection_caption(ws_.all(), ws_.selection().criteria));
    if (read_only_)
        text += sep + QStringLiteral("[Read-only]");
    if (changed_elsewhere_)
        text += sep + QStringLiteral("[Changed by another program]");
    return text;
}

}  // namespace tessaran
