// The record editor's field table: one control name per text member.
#include "core/editor_fields.h"

#include <QtTest>

using namespace tessaran;

class tst_editor_fields : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<int>("member");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << int(m_scopename) << "tb_scopename";
        QTest::newRow("date") << int(m_date_bought) << "tb_date_bought";
        QTest::newRow("web site") << int(m_www) << "tb_www";
        QTest::newRow("listed") << int(m_scopetype) << "combo_scopetype";
        QTest::newRow("colour is typed") << int(m_extclr) << "tb_extclr";
        QTest::newRow("signed (a keyword in C++)") << int(m_signed) << "combo_signed";
        QTest::newRow("year is typed") << int(m_scopeyear) << "tb_scopeyear";
        QTest::newRow("last") << int(m_comments) << "tb_comments";
    }
    void names()
    {
        QFETCH(int, member);
        QFETCH(QString, name);
        QCOMPARE(editor_field_name(*text_member_info(Member(member))), name);
    }

    void every_member_has_its_own_control()
    {
        QSet<QString> names;
        int listed = 0;
        for (const TextMemberInfo& m : text_members()) {
            names << editor_field_name(m);
            listed += is_listed_member(m.member) ? 1 : 0;
        }
        QCOMPARE(names.size(), 27);
        QCOMPARE(listed, 8);
    }
};

QTEST_GUILESS_MAIN(tst_editor_fields)
#include "tst_editor_fields.moc"
