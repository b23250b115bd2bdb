#include "gui_editor_fixture.h"
#include "appearance/color_settings.h"
#include "gui_controls.h"

#include "core/color_file.h"
#include "core/sorting.h"
#include "core/working_set.h"

#include <QtTest>
#include <QtWidgets>

namespace tessaran::test {

EditorFixture::EditorFixture(const QList<ScopeRecord>& records, bool sort_by_artist)
    : startup(std::make_unique<QWidget>()), db(records)
{
    startup->setObjectName(QStringLiteral("frm_main"));
    session = db.session();
    if (session.record_count() > 0)
        session.ws().reset_to_all(session.record_count());
    if (sort_by_artist)
        sort_working_set(session.path(), session.ws(), SortField::artist, false);
    color_path = QDir(db.dir()).filePath(QString::fromLatin1(user_color_file_name));
    write_color_file(color_path, builtin_colors());
    set_color_file_path(color_path);
    set_current_colors(builtin_colors());
}

EditorFixture::~EditorFixture()
{
    drop();
}

RecordEditor* EditorFixture::open()
{
    drop();
    ed = new RecordEditor(session, startup.get());
    return ed;
}

bool EditorFixture::show_active()
{
    ed->show();
    ed->activateWindow();
    return QTest::qWaitForWindowActive(ed);
}

void EditorFixture::drop()
{
    delete ed;
    ed = nullptr;
}

void type_into(QLineEdit* field, const QString& text)
{
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}

void press_tab(QWidget* window)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : window, Qt::Key_Tab);
}

RecordEditor* editor()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* ed = qobject_cast<RecordEditor*>(w))
            return ed;
    }
    return nullptr;
}

QList<ScopeRecord> five_records()
{
    return {make_record("Alpha", "Smith, Ann", "1/5/2000", 1000000), make_record("Bravo", "Jones, Bob"),
            make_record("Charlie", "smithers, Carl", "6/1/2001", 2500000),
            make_record("Delta", "Brown, Dee", "12/31/2001", 500000), make_record("Echo", "Adams SMITH", "3/3/2003")};
}

PictureStrip* picture_strip(const RecordEditor* ed)
{
    return control<PictureStrip>(ed, QStringLiteral("frame_images"));
}

}  // namespace tessaran::test
