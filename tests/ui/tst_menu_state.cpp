// The start-up window's menus while another window is in charge.
#include "ui/menu_state.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;

class tst_menu_state : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        window = new QMainWindow;
        QMenu* file = window->menuBar()->addMenu(QStringLiteral("&File"));
        file->menuAction()->setObjectName(QStringLiteral("mnu_kbase"));
        QMenu* help = window->menuBar()->addMenu(QStringLiteral("&Help"));
        help->menuAction()->setObjectName(QStringLiteral("mnu_help"));
        for (const char* name : {"mnu_olddatabase", "mnu_exit", "mnu_colors"})
            file->addAction(QString::fromLatin1(name))->setObjectName(QString::fromLatin1(name));
        for (const char* name : {"mnu_topics", "mnu_about"})
            help->addAction(QString::fromLatin1(name))->setObjectName(QString::fromLatin1(name));
        // The file menu and its items are held; help is not.
        set_startup_window(window, [file] { return file->actions() << file->menuAction(); });
    }

    void cleanup()
    {
        delete window;
        window = nullptr;
        QVERIFY(startup_window() == nullptr);  // a deleted window is forgotten
    }

    void safe_without_window()
    {
        set_startup_window(nullptr);
        hide_startup_menus();
        show_startup_menus();
        QVERIFY(action(QStringLiteral("mnu_exit"))->isEnabled());
    }

    void hide_spares_help_items_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("open") << "mnu_olddatabase" << false;
        QTest::newRow("exit") << "mnu_exit" << false;
        QTest::newRow("colours") << "mnu_colors" << false;
        QTest::newRow("group") << "mnu_kbase" << false;
        QTest::newRow("help group") << "mnu_help" << true;
        QTest::newRow("topics") << "mnu_topics" << true;
        QTest::newRow("about") << "mnu_about" << true;
    }

    void hide_spares_help_items()
    {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        hide_startup_menus();
        QCOMPARE(action(name)->isEnabled(), enabled);
        show_startup_menus();
        QVERIFY(action(name)->isEnabled());
    }

private:
    QAction* action(const QString& name) const { return window->findChild<QAction*>(name); }
    QMainWindow* window = nullptr;
};

QTEST_MAIN(tst_menu_state)
#include "tst_menu_state.moc"
