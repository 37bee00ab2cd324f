#include "support/TestMain.h"

#include <QStandardPaths>

// Guards the fixture every other test relies on: nothing may reach the
// real home directory.
class TestEnvironment : public QObject
{
    Q_OBJECT
private slots:
    void writableLocationsAreIsolated_data()
    {
        QTest::addColumn<int>("location");
        QTest::newRow("data") << int(QStandardPaths::GenericDataLocation);
        QTest::newRow("config") << int(QStandardPaths::GenericConfigLocation);
        QTest::newRow("home") << int(QStandardPaths::HomeLocation);
        QTest::newRow("cache") << int(QStandardPaths::GenericCacheLocation);
    }
    void writableLocationsAreIsolated()
    {
        QFETCH(int, location);
        const QString path =
            QStandardPaths::writableLocation(QStandardPaths::StandardLocation(location));
        QVERIFY2(path.startsWith(glimora::test::isolatedRoot() + QLatin1Char('/')), qPrintable(path));
    }
    void appdataIsIsolated()
    {
        const QString appdata = qEnvironmentVariable("appdata");
        QVERIFY(appdata.startsWith(glimora::test::isolatedRoot() + QLatin1Char('/')));
    }
};

GLIMORA_TEST_MAIN(TestEnvironment)
#include "tst_environment.moc"
