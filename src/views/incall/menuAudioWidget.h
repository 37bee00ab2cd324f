#pragma once

#include "engine/RJTypes.h"
#include "views/framework/CBaseWgt.h"

#include <QButtonGroup>

#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QSpacerItem;
class QVBoxLayout;

namespace rj_app::views {

// The microphone and speaker picker above the call toolbar's microphone
// button, with an entry that opens the audio settings. Filled once by
// refreshDevices; deletes itself when closed.
class menuAudioWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit menuAudioWidget(double scale, QWidget *parent = nullptr);
    ~menuAudioWidget() override;

    // Reads both device lists and the devices in use, then builds the form.
    void refreshDevices();

signals:
    void sigShowAudioSetting();

public slots:
    void slot_checked_mic(int nId);
    void slot_checked_speaker(int nId);
    void slot_clicked_showsets();

private:
    void buildForm();

    QLabel *m_pMicTitle = nullptr;
    QFrame *m_pMicLine = nullptr;
    QLabel *m_pSpeakerTitle = nullptr;
    QFrame *m_pSpeakerLine = nullptr;
    QPushButton *m_pBtnSettings = nullptr;
    QSpacerItem *m_pSpacer = nullptr;
    QVBoxLayout *m_pLayout = nullptr;
    QButtonGroup m_micGroup;
    QButtonGroup m_speakerGroup;
    std::vector<rj::engine::RJDevice> m_micList;
    rj::engine::RJDevice m_currentMic;
    std::vector<rj::engine::RJDevice> m_speakerList;
    rj::engine::RJDevice m_currentSpeaker;
};

} // namespace rj_app::views
