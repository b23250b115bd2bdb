// The colour settings: the scheme in force and the file it is kept in.
#include "appearance/color_settings.h"
#include "common/core_colors.h"
#include "common/gui_colors.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

class tst_color_settings : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_color_settings(); }

    void missing_file_falls_back()
    {
        QTemporaryDir dir;
        set_color_file_path(dir.filePath(QStringLiteral("nothing.dat")));
        set_current_colors(numbered_scheme());
        QString reason;
        QVERIFY(!load_colors(&reason));
        QCOMPARE(reason, QStringLiteral("No such file or directory"));
        QCOMPARE(current_colors(), builtin_colors());
    }

    void written_scheme_reads_back()
    {
        QTemporaryDir dir;
        set_color_file_path(dir.filePath(QStringLiteral("tessaran_colors.dat")));
        set_current_colors(numbered_scheme());
        QVERIFY(save_colors());
        set_current_colors({});
        QVERIFY(load_colors());
        QCOMPARE(current_colors(), numbered_scheme());
    }

    void one_entry_changes_alone()
    {
        set_current_colors(numbered_scheme());
        set_current_color(24, 65280);
        ColorScheme want = numbered_scheme();
        want[24] = 65280;
        QCOMPARE(current_colors(), want);
    }
};

QTEST_GUILESS_MAIN(tst_color_settings)
#include "tst_color_settings.moc"
