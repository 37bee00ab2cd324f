// Looks of the meetings tab that a person sees at every scale: the schedule
// form follows the scale with its fonts, its date and time fields have drawn
// buttons, and a long meeting title in the list is cut before the row's
// buttons.

#include "support/TestMain.h"

#include "views/meetings/CConferenceItemWidget.h"
#include "views/meetings/CConferencesDelegate.h"
#include "views/meetings/CConferencesTablemodel.h"
#include "views/meetings/CConferencesSchedulePage.h"
#include "views/meetings/CConferencesScheduleDataEdit.h"
#include "views/meetings/CConferencesScheduleTimeEdit.h"

#include <QLabel>
#include <QPainter>
#include <QStandardItemModel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <memory>

namespace {

// Darkest pixel and count of the arrow's grey in a part of a picture.
struct Ink
{
    int darkest = 255;
    int arrow = 0;
};

Ink inkIn(const QImage &image, const QRect &area)
{
    Ink ink;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            ink.darkest = qMin(ink.darkest, qGray(c.rgb()));
            // The arrow is #919191, blended into white at its edges.
            if (qAbs(c.red() - 0x91) < 24 && c.red() == c.green() && c.green() == c.blue())
                ++ink.arrow;
        }
    }
    return ink;
}

} // namespace

class TestMeetingLooks : public QObject
{
    Q_OBJECT

private slots:
    // The fields' captions keep their whole text and the form's sizes follow
    // the scale; the time fields' step buttons and the date field's calendar
    // button are drawn with their arrows, without the platform's dark frames.
    void scheduleFormAtEveryScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }
    void scheduleFormAtEveryScale()
    {
        QFETCH(double, scale);
        CConferencesSchedulePage page(nullptr);
        page.resize(int(680 * scale), int(520 * scale));
        page.updateDpi(scale);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCoreApplication::processEvents();
        const auto px = [scale](int length) { return int(length * scale); };

        for (const char *name : {"label_meetingtitle", "label_starttime", "label_duration", "label_password",
                                 "label_description", "label_participaints"}) {
            auto *caption = page.findChild<QLabel *>(QLatin1String(name));
            QVERIFY2(caption->width() >= caption->fontMetrics().horizontalAdvance(caption->text()), name);
            QCOMPARE(caption->size(), QSize(px(110), px(30)));
        }
        auto *date = page.findChild<CConferencesScheduleDataEdit *>(QStringLiteral("dateEdit"));
        auto *time = page.findChild<CConferencesScheduleTimeEdit *>(QStringLiteral("timeEdit"));
        QCOMPARE(date->size(), QSize(px(160), px(30)));
        QCOMPARE(time->size(), QSize(px(160), px(30)));
        QCOMPARE(date->iconLabel()->size(), QSize(px(14), px(14)));

        QStyleOptionSpinBox option;
        option.initFrom(time);
        option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame
                             | QStyle::SC_SpinBoxEditField;
        option.buttonSymbols = time->buttonSymbols();
        option.frame = true;
        const QImage timeImage = time->grab().toImage();
        for (auto sub : {QStyle::SC_SpinBoxUp, QStyle::SC_SpinBoxDown}) {
            const QRect button = time->style()->subControlRect(QStyle::CC_SpinBox, &option, sub, time);
            // The sheet's width, and its separating line.
            QVERIFY2(qAbs(button.width() - px(22)) <= 1, qPrintable(QString::number(button.width())));
            const Ink ink = inkIn(timeImage, button.adjusted(1, 1, -1, -1));
            QVERIFY2(ink.darkest > 120, qPrintable(QString::number(ink.darkest)));
            QVERIFY(ink.arrow > 0);
        }
        const QImage dateImage = date->grab().toImage();
        const Ink dateInk = inkIn(dateImage, QRect(date->width() - px(26) + 1, 1, px(26) - 2, date->height() - 2));
        QVERIFY2(dateInk.darkest > 120, qPrintable(QString::number(dateInk.darkest)));
        QVERIFY(dateInk.arrow > 0);
    }

    void participantNamesReadable_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("name");
        for (double scale : {1.0, 1.5, 2.0}) {
            for (const char *name : {"Alice Chen", "Carol Wu"})
                QTest::addRow("%s at %g", name, scale) << scale << QString::fromLatin1(name);
        }
    }

    // A participant's cell shows the name in full under the avatar, on two
    // lines where one is too narrow, at every scale.
    void participantNamesReadable()
    {
        QFETCH(double, scale);
        QFETCH(QString, name);
        CConferencesDelegate delegate;
        delegate.updateDpi(scale);
        QStandardItemModel model(1, 1);
        const QModelIndex index = model.index(0, 0);
        model.setData(index, name, CConferencesTablemodel::NameRole);
        model.setData(index, int(participantItemData::Participant), CConferencesTablemodel::TypeRole);
        QStyleOptionViewItem option;
        option.rect = QRect(QPoint(0, 0), delegate.sizeHint(option, index));
        QImage cell(option.rect.size(), QImage::Format_RGB32);
        cell.fill(Qt::white);
        {
            QPainter painter(&cell);
            delegate.paint(&painter, option, index);
        }
        QFont font;
        font.setPixelSize(CConferencesDelegate::namePixelSize(scale));
        const QFontMetrics metrics(font);
        const QRect area = CConferencesDelegate::nameRect(option.rect, scale);
        const QStringList lines = metrics.horizontalAdvance(name) <= area.width()
                                      ? QStringList{name}
                                      : name.split(QLatin1Char(' '));
        QCOMPARE(CConferencesDelegate::nameLines(name, metrics, area.width()), lines);

        // The ink below the avatar: as wide as the widest line, as tall as
        // the lines.
        QRect ink;
        for (int y = area.top(); y < cell.height(); ++y) {
            for (int x = 0; x < cell.width(); ++x) {
                if (qGray(cell.pixel(x, y)) < 150)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        int widest = 0;
        for (const QString &line : lines)
            widest = qMax(widest, metrics.horizontalAdvance(line));
        QVERIFY2(ink.width() >= widest - 3, qPrintable(QStringLiteral("%1 < %2").arg(ink.width()).arg(widest)));
        if (lines.size() > 1)
            QVERIFY2(ink.height() > metrics.height(), qPrintable(QString::number(ink.height())));
        QVERIFY(ink.bottom() < cell.height());
    }

    // A title too long for its row is cut with "..." before the row's
    // buttons; the label still holds the whole title, shown as its tip.
    void longTitleElidedBeforeButtons_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("1") << 1.0;
        QTest::newRow("2") << 2.0;
    }
    void longTitleElidedBeforeButtons()
    {
        QFETCH(double, scale);
        conferenceItemData data;
        data.type = Schedule;
        data.conference.name = QStringLiteral("Quarterly planning of the whole department ").repeated(4).trimmed();
        data.conference.numericId = 6001;
        data.conference.applicantDisplayName = QStringLiteral("Alice Example");
        CConferenceItemWidget row;
        row.initUI();
        row.updateDpi(scale);
        row.setData(data);
        row.resize(int(660 * scale), int(70 * scale));
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        QCoreApplication::processEvents();

        QLabel *title = nullptr;
        for (QLabel *label : row.findChildren<QLabel *>()) {
            if (label->text() == data.conference.name)
                title = label;
        }
        QVERIFY(title);
        QCOMPARE(title->toolTip(), data.conference.name);
        int firstButton = row.width();
        for (QPushButton *button : row.findChildren<QPushButton *>()) {
            if (button->isVisible())
                firstButton = qMin(firstButton, button->geometry().left());
        }
        QVERIFY(firstButton < row.width());
        QVERIFY2(title->geometry().right() < firstButton,
                 qPrintable(QStringLiteral("%1 >= %2").arg(title->geometry().right()).arg(firstButton)));
        // Still as wide as the row allows, not squeezed away.
        QVERIFY(title->width() > title->fontMetrics().horizontalAdvance(QStringLiteral("Quarterly planning")));
    }
};

GLIMORA_TEST_MAIN(TestMeetingLooks)
#include "tst_meetinglooks.moc"
