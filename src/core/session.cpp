#include "session.h"

namespace tessaran {

Session Session::on_file(const QString& path)
{
    Session s;
    s.path = path;
    s.file_caption = database_caption(path);
    s.refresh_record_count();
    return s;
}

int Session::refresh_record_count()
{
    // Counts are 16-bit; a longer file is refused when it is opened.
    record_count = qMin(record_count_of(path), int(max_record_count));
    return record_count;
}

FileStatus Session::read(int n)
{
    return read_record(path, n, record);
}

FileStatus Session::write(int n) const
{
    return write_record(path, n, record);
}

QString Session::caption() const
{
    const QString sep = QStringLiteral("  ");
    return trim_blanks(file_caption) + sep + trim_blanks(record_caption) + sep + trim_blanks(ws.sort_caption) + sep
        + trim_blanks(selection_caption(ws.all, ws.selection));
}

}  // namespace tessaran
