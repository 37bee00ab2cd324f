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

} // namespace glimora::test

#define GLIMORA_TEST_MAIN(TestObject)                      \
    int main(int argc, char *argv[])                       \
    {                                                      \
        glimora::test::isolateEnvironment();               \
        QApplication::setApplicationName(QStringLiteral("glimora")); \
        QApplication app(argc, argv);                      \
        TestObject tc;                                     \
        QTEST_SET_MAIN_SOURCE_PATH                         \
        return QTest::qExec(&tc, argc, argv);              \
    }
