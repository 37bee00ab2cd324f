// The call layout's geometry and its choice of mode, as pure functions.

#include "support/TestMain.h"

#include "views/incall/CLayoutPeopleSettingDlgGeometry.h"

using namespace rj_app::views::layout;
using namespace rj_app::enums;

class TestLayoutGeometry : public QObject
{
    Q_OBJECT

private slots:
    void layoutSize_data();
    void layoutSize();
    void tiledLayoutStaysInsideTheDialog();
    void modeChoice_data();
    void modeChoice();
};

void TestLayoutGeometry::layoutSize_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QRect>("layout");       // relative origin and size
    QTest::addColumn<QSize>("content");      // tiled modes
    QTest::addColumn<QSize>("people");       // tiled modes
    QTest::addColumn<bool>("widened");

    // Content above two people cells.
    QTest::newRow("tiled, the worked example")
        << int(LayoutMode_RemotePreferredContent) << QSize(1026, 581) << QRect(0, 0, 1025, 581)
        << QSize(828, 466) << QSize(205, 115) << true;
    QTest::newRow("tiled whiteboard, as wide as the dialog")
        << int(LayoutMode_RemotePreferredWhiteBoard) << QSize(1276, 1000) << QRect(0, 70, 1276, 860)
        << QSize(1276, 717) << QSize(255, 143) << false;
    QTest::newRow("tiled, people cells limited to a fifth of the width")
        << int(LayoutMode_RemotePreferredContent) << QSize(400, 1000) << QRect(0, 365, 400, 270)
        << QSize(400, 225) << QSize(80, 45) << false;
    QTest::newRow("tiled in a wide, low window: five people cells across")
        << int(LayoutMode_RemotePreferredContent) << QSize(2000, 300) << QRect(667, 0, 665, 300)
        << QSize(400, 225) << QSize(133, 75) << true;

    // One area of 16:9.
    QTest::newRow("normal, exactly 16:9")
        << int(LayoutMode_NormalPeople) << QSize(1280, 720) << QRect(0, 0, 1280, 720) << QSize() << QSize() << false;
    QTest::newRow("normal, wide: limited by the height")
        << int(LayoutMode_NormalPeople) << QSize(1276, 581) << QRect(122, 0, 1032, 581) << QSize() << QSize()
        << false;
    QTest::newRow("content only, tall: limited by the width")
        << int(LayoutMode_RemoteContentOnly) << QSize(800, 900) << QRect(0, 225, 800, 450) << QSize() << QSize()
        << false;
    QTest::newRow("local content")
        << int(LayoutMode_LocalContent) << QSize(1000, 1000) << QRect(0, 219, 1000, 562) << QSize() << QSize()
        << false;
    QTest::newRow("no height") << int(LayoutMode_NormalPeople) << QSize(800, 0) << QRect(400, 0, 0, 0) << QSize()
                               << QSize() << false;
    QTest::newRow("tiled, no height") << int(LayoutMode_RemotePreferredContent) << QSize(800, 0)
                                      << QRect(400, 0, 0, 0) << QSize(0, 0) << QSize(0, 0) << false;
    QTest::newRow("nothing") << int(LayoutMode_NormalPeople) << QSize(0, 0) << QRect(0, 0, 0, 0) << QSize()
                             << QSize() << false;
}

void TestLayoutGeometry::layoutSize()
{
    QFETCH(int, mode);
    QFETCH(QSize, dialog);
    QFETCH(QRect, layout);
    QFETCH(QSize, content);
    QFETCH(QSize, people);
    QFETCH(bool, widened);

    const LayoutSize s = calculateLayoutSize(mode, dialog.width(), dialog.height());
    QCOMPARE(QRect(s.relativeX, s.relativeY, s.layoutWidth, s.layoutHeight), layout);
    if (content.isValid()) {
        QCOMPARE(QSize(s.contentWidth, s.contentHeight), content);
        QCOMPARE(QSize(s.peopleWidth, s.peopleHeight), people);
    }
    QCOMPARE(s.widenedToPeopleCells, widened);
    QVERIFY(!s.narrowedToDialog);
}

// Over many window shapes the tiled layout is at least five people cells
// wide, never wider or higher than the dialog, and its parts fit in it.
void TestLayoutGeometry::tiledLayoutStaysInsideTheDialog()
{
    for (int w = 50; w <= 4000; w += 97) {
        for (int h = 50; h <= 3000; h += 89) {
            const LayoutSize s = calculateLayoutSize(LayoutMode_RemotePreferredWhiteBoard, w, h);
            const QByteArray where = QByteArray::number(w) + "x" + QByteArray::number(h);
            QVERIFY2(s.layoutWidth <= w && s.layoutHeight <= h, where.constData());
            QVERIFY2(s.layoutWidth >= kMinPeopleCellsAcross * s.peopleWidth, where.constData());
            QVERIFY2(s.contentWidth <= s.layoutWidth, where.constData());
            QVERIFY2(s.contentHeight + s.peopleHeight == s.layoutHeight, where.constData());
            QVERIFY2(s.relativeX >= 0 && s.relativeY >= 0, where.constData());
        }
    }
}

void TestLayoutGeometry::modeChoice_data()
{
    QTest::addColumn<bool>("audioOnly");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("separate");
    QTest::addColumn<bool>("token");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("expected");

    const int normal = LayoutMode_NormalPeople;
    const int preferred = LayoutMode_RemotePreferredContent;
    const int contentOnly = LayoutMode_RemoteContentOnly;
    const int boardPreferred = LayoutMode_RemotePreferredWhiteBoard;
    const int boardOnly = LayoutMode_RemoteWhiteBoardOnly;
    const int localContent = LayoutMode_LocalContent;
    const int localBoard = LayoutMode_LocalWhiteBoard;
    const int audio = LayoutMode_AudioOnly;

    QTest::newRow("audio only wins over content") << true << 1 << false << true << contentOnly << audio;
    QTest::newRow("audio only while sending") << true << 3 << false << true << localContent << audio;
    QTest::newRow("no content") << false << 0 << false << true << contentOnly << normal;
    QTest::newRow("no content after an audio stretch") << false << 0 << false << false << audio << normal;

    QTest::newRow("content arrives") << false << 1 << false << false << normal << contentOnly;
    QTest::newRow("content, preferred kept") << false << 1 << false << false << preferred << preferred;
    QTest::newRow("content, content only kept") << false << 1 << false << false << contentOnly << contentOnly;
    QTest::newRow("content after sending a screen") << false << 1 << false << false << localContent << contentOnly;
    QTest::newRow("content in its own window") << false << 1 << true << false << normal << normal;
    QTest::newRow("content in its own window after sending a screen")
        << false << 1 << true << false << localContent << normal;
    QTest::newRow("content in its own window after sending a whiteboard")
        << false << 1 << true << true << localBoard << normal;
    QTest::newRow("content in its own window, a tiled mode left over")
        << false << 1 << true << false << preferred << normal;

    QTest::newRow("whiteboard without token") << false << 2 << false << false << normal << normal;
    QTest::newRow("whiteboard without token, preferred left") << false << 2 << false << false << boardPreferred
                                                              << normal;
    QTest::newRow("whiteboard arrives") << false << 2 << false << true << normal << boardOnly;
    QTest::newRow("whiteboard, preferred kept") << false << 2 << false << true << boardPreferred << boardPreferred;
    QTest::newRow("whiteboard, board only kept") << false << 2 << false << true << boardOnly << boardOnly;
    QTest::newRow("whiteboard after content") << false << 2 << false << true << contentOnly << boardOnly;
    QTest::newRow("whiteboard in its own window") << false << 2 << true << true << normal << normal;
    QTest::newRow("whiteboard in its own window after sending") << false << 2 << true << true << localBoard << normal;

    QTest::newRow("sending a screen") << false << 3 << false << false << contentOnly << localContent;
    QTest::newRow("sending a screen, own window") << false << 3 << true << true << normal << localContent;
    QTest::newRow("sending a whiteboard") << false << 4 << false << true << normal << localBoard;
    QTest::newRow("sending a whiteboard, own window") << false << 4 << true << false << boardOnly << localBoard;
    QTest::newRow("unknown status") << false << 9 << false << true << preferred << normal;
}

void TestLayoutGeometry::modeChoice()
{
    QFETCH(bool, audioOnly);
    QFETCH(int, status);
    QFETCH(bool, separate);
    QFETCH(bool, token);
    QFETCH(int, current);
    QFETCH(int, expected);

    ModeInputs in;
    in.audioOnly = audioOnly;
    in.contentStatus = status;
    in.separateContentWindow = separate;
    in.hasWhiteBoardToken = token;
    in.currentMode = current;
    QCOMPARE(int(chooseLayoutMode(in)), expected);
}

GLIMORA_TEST_MAIN(TestLayoutGeometry)
#include "tst_layoutgeometry.moc"
