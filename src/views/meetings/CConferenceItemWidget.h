#pragma once

#include "views/meetings/ConferenceType.h"

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

// One row of the meeting list: type pill, title, start, number, applicant and
// the actions that the meeting's type and ownership allow. A left click
// outside the buttons asks for the meeting's details. Its looks come from the
// main page's style sheet through the children's object names and the pill's
// "meetingType" property, so a row parses no sheet of its own.
class CConferenceItemWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CConferenceItemWidget(QWidget *parent = nullptr);

    void initUI();
    void setData(const conferenceItemData &data);
    const conferenceItemData &data() const { return m_data; }
    // Sets the pill text by type and the captions again.
    void retranslate();
    void updateDpi(double scale);

signals:
    void signal_MeetingDetail_clicked();
    void signal_Join_clicked();
    void signal_Delete_clicked();       // ends a running meeting
    void signal_Edit_clicked();
    void signal_DeleteEdit_clicked();   // deletes a scheduled meeting

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void setType(int type);

    conferenceItemData m_data;
    double m_scale = 1.0;
    int m_shownType = -1;   // the type the pill is styled for

    QLabel *m_pLblType = nullptr;
    QLabel *m_pLblTitle = nullptr;
    QLabel *m_pLblTimeCaption = nullptr;
    QLabel *m_pLblTime = nullptr;
    QLabel *m_pLblIdCaption = nullptr;
    QLabel *m_pLblId = nullptr;
    QLabel *m_pLblApplicantCaption = nullptr;
    QLabel *m_pLblApplicant = nullptr;
    QPushButton *m_pBtnJoin = nullptr;
    QPushButton *m_pBtnEnd = nullptr;
    QPushButton *m_pBtnEdit = nullptr;
    QPushButton *m_pBtnDelete = nullptr;

    QHBoxLayout *m_pRootLayout = nullptr;
    QVBoxLayout *m_pLeftLayout = nullptr;
    QHBoxLayout *m_pTitleLayout = nullptr;
    QHBoxLayout *m_pDetailsLayout = nullptr;
    QHBoxLayout *m_pTimeLayout = nullptr;
    QHBoxLayout *m_pIdLayout = nullptr;
    QHBoxLayout *m_pApplicantLayout = nullptr;
    QHBoxLayout *m_pButtonLayout = nullptr;
};
