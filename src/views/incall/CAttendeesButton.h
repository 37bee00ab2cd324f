#pragma once

#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>

class QLabel;
class QSpacerItem;
class TestAttendees;

// The toolbar's "Attendees" button: an icon with the number of participants
// beside it and the caption below. While refreshing (a connected meeting on a
// server of its own, after a real login) it asks for the participants every
// 10 seconds; the toolbar opens the attendees window on clicked() and decides
// with setShowAllowed whether the button may show at all.
class CAttendeesButton : public QWidget
{
    Q_OBJECT
public:
    explicit CAttendeesButton(QWidget *parent = nullptr);
    ~CAttendeesButton() override;

    // Called by the toolbar on its call-status changes. startRefresh returns
    // at once; the first request goes out from the event loop.
    void startRefresh();
    void stopRefresh();
    // Whether the owner lets the button show at all (the toolbar does not
    // while the conference-management button takes its place). While it
    // does, the button shows unless the last answer listed nobody. Hidden
    // until the owner allows it.
    void setShowAllowed(bool allowed);
    bool isShowAllowed() const { return m_bShowAllowed; }
    // Called by the toolbar on DPI changes.
    void setScale(double s);

signals:
    void clicked();

public slots:
    void slot_timeout();
    void slot_tokenChanged();
    void slot_getParticipants_succeed();
    void retranslateUi();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    friend class ::TestAttendees;

    // Not for a "ROZ" server, nor after a skipped login.
    static bool refreshAllowed();
    void applyScale(double s);
    void applyVisibility();

    QLabel *m_pLabelCaption = nullptr;
    QSpacerItem *m_pBottomSpacer = nullptr;
    QPixmap m_pixmapIcon;
    QString m_qstrNumber = QStringLiteral("0");
    QTimer m_refreshTimer;
    double m_dScale = 0;
    bool m_bShowAllowed = false;
    bool m_bNobodyListed = false; // the last answer for this meeting listed nobody
};
