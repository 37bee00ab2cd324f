#pragma once

#include <QApplication>
#include <QString>
#include <QTest>

namespace glimora::test {

// Points "appdata", HOME and the XDG directories at one fresh temporary
// directory before the application object exists, so no test touches the
// user's real files and tests never see one another's.
void isolateEnvironment();

// The temporary root made by isolateEnvironment().
QString isolatedRoot();

// Qt's style sheet parser warns, and goes on, when it cannot read a rule (a
// colour with an alpha written as rgb(), say); the widget then shows
// something else than meant. Counts those warnings from here on, passing
// every message on to the handler installed before. A web page that outlives
// the web engine's profile at exit fails the run as well.
void watchStyleSheetWarnings();
// The exit status of a test run: `status`, or a failure when the style
// sheet parser warned.
int styleSheetCheckedStatus(int status);

} // namespace glimora::test

#define GLIMORA_TEST_MAIN(TestObject)                      \
    int main(int argc, char *argv[])                       \
    {                                                      \
        glimora::test::isolateEnvironment();               \
        QApplication::setApplicationName(QStringLiteral("glimora")); \
        QApplication app(argc, argv);                      \
        glimora::test::watchStyleSheetWarnings();          \
        TestObject tc;                                     \
        QTEST_SET_MAIN_SOURCE_PATH                         \
        return glimora::test::styleSheetCheckedStatus(     \
            QTest::qExec(&tc, argc, argv));                \
    }
