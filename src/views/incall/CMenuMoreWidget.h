#pragma once

#include <QWidget>

class QPushButton;
class QVBoxLayout;

namespace rj_app::views {

// The "More" popup of the call toolbar. Its one entry, shown while the host
// keeps the local microphone muted, asks the host to let this participant
// speak. After a request it hides itself, so that its opener can show it
// again; it deletes itself when closed.
class CMenuMoreWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CMenuMoreWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CMenuMoreWidget() override;

    void setRequestSpeakVisible(bool visible);
    bool isRequestSpeakVisible() const { return m_bRequestSpeakVisible; }

signals:
    void signal_clicked_requestSpeak();

public slots:
    void slot_clicked_requestSpeak();

private:
    QVBoxLayout *m_vLayout = nullptr;
    QPushButton *m_pBtnRequestSpeak = nullptr;
    bool m_bRequestSpeakVisible = false;
};

} // namespace rj_app::views
