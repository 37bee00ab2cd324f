<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>rj_app::views::CLayoutPeopleSettingDlg</name>
        <message>
            <source>The request for sending conent is denied due to lack of permission.</source>
            <translation>The request for sending conent is denied due to lack of permission.</translation>
        </message>
        <message>
            <source>You have been muted by meeting host.</source>
            <translation>You have been muted by meeting host.</translation>
        </message>
        <message>
            <source>You are unmuted, other participants can hear you now.</source>
            <translation>You are unmuted, other participants can hear you now.</translation>
        </message>
        <message>
            <source>Microphone Muted</source>
            <translation>Microphone Muted</translation>
        </message>
        <message>
            <source>Speech request has been sent</source>
            <translation>Speech request has been sent</translation>
        </message>
        <message>
            <source>Video is stopped.</source>
            <translation>Video is stopped.</translation>
        </message>
        <message>
            <source>Video is enabled.</source>
            <translation>Video is enabled.</translation>
        </message>
        <message>
            <source>No microphone device available.</source>
            <translation>No microphone device available.</translation>
        </message>
        <message>
            <source>Current microphone: %1</source>
            <translation>Current microphone: %1</translation>
        </message>
        <message>
            <source>No speaker device available.</source>
            <translation>No speaker device available.</translation>
        </message>
        <message>
            <source>Current speaker: %1</source>
            <translation>Current speaker: %1</translation>
        </message>
        <message>
            <source>No camera device available.</source>
            <translation>No camera device available.</translation>
        </message>
        <message>
            <source>Current camera: %1</source>
            <translation>Current camera: %1</translation>
        </message>
        <message>
            <source>Network is not stable now, it may impact your conferencing experience.</source>
            <translation>Network is not stable now, it may impact your conferencing experience.</translation>
        </message>
        <message>
            <source>Network is in very poor status, recommend checking network or switching to better network.</source>
            <translation>Network is in very poor status, recommend checking network or switching to better network.</translation>
        </message>
        <message>
            <source>Network bandwidth is insufficient, it may impact your conferencing experience.</source>
            <translation>Network bandwidth is insufficient, it may impact your conferencing experience.</translation>
        </message>
        <message>
            <source>Network bandwidth is in serious shortage, recommend checking network bandwidth or switching to better network.</source>
            <translation>Network bandwidth is in serious shortage, recommend checking network bandwidth or switching to better network.</translation>
        </message>
        <message>
            <source>Not allowed to unmute.</source>
            <translation>Not allowed to unmute.</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>There is no microphone found and other can not listen to you. Please check microphone device.</source>
            <translation>There is no microphone found and other can not listen to you. Please check microphone device.</translation>
        </message>
        <message>
            <source>Meeting manager is unmuting you, do you agree?</source>
            <translation>Meeting manager is unmuting you, do you agree?</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CbackgroundWidget</name>
        <message>
            <source>Show PIP</source>
            <translation>Show PIP</translation>
        </message>
        <message>
            <source>Drawing</source>
            <translation>Drawing</translation>
        </message>
        <message>
            <source>Volume</source>
            <translation>Volume</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stop</translation>
        </message>
        <message>
            <source>Management</source>
            <translation>Management</translation>
        </message>
        <message>
            <source>Stop Sound</source>
            <translation>Stop Sound</translation>
        </message>
        <message>
            <source>Share Sound</source>
            <translation>Share Sound</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>Are you sure to stop?</source>
            <translation>Are you sure to stop?</translation>
        </message>
        <message>
            <source>Screenshot</source>
            <translation>Screenshot</translation>
        </message>
        <message>
            <source>Save successfully</source>
            <translation>Save successfully</translation>
        </message>
        <message>
            <source>Save failed</source>
            <translation>Save failed</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CSharingControls</name>
        <message>
            <source>Mute</source>
            <translation>Mute</translation>
        </message>
        <message>
            <source>Unmute</source>
            <translation>Unmute</translation>
        </message>
        <message>
            <source>Stop Video</source>
            <translation>Stop Video</translation>
        </message>
        <message>
            <source>Enable Video</source>
            <translation>Enable Video</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::WhiteBoardDlg</name>
        <message>
            <source>The picture is too large for the whiteboard.</source>
            <translation>The picture is too large for the whiteboard.</translation>
        </message>
        <message>
            <source>The whiteboard did not accept this picture.</source>
            <translation>The whiteboard did not accept this picture.</translation>
        </message>
        <message>
            <source>The picture could not be uploaded. Please try again.</source>
            <translation>The picture could not be uploaded. Please try again.</translation>
        </message>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
        <message>
            <source>Choose to upload picture</source>
            <translation>Choose to upload picture</translation>
        </message>
        <message>
            <source>Image files(*.jpg *.png *.jpeg);;All files (*.*)</source>
            <translation>Image files(*.jpg *.png *.jpeg);;All files (*.*)</translation>
        </message>
        <message>
            <source>WhiteBoardshot</source>
            <translation>WhiteBoardshot</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>Save successfully</source>
            <translation>Save successfully</translation>
        </message>
        <message>
            <source>Save failed</source>
            <translation>Save failed</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::WhiteBoardTopWidget</name>
        <message>
            <source>Drawing</source>
            <translation>Drawing</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stop</translation>
        </message>
        <message>
            <source>Show PIP</source>
            <translation>Show PIP</translation>
        </message>
        <message>
            <source>Form</source>
            <translation>Form</translation>
        </message>
        <message>
            <source>Mute</source>
            <translation>Mute</translation>
        </message>
        <message>
            <source>Stop Video</source>
            <translation>Stop Video</translation>
        </message>
        <message>
            <source>Management</source>
            <translation>Management</translation>
        </message>
        <message>
            <source>Volume</source>
            <translation>Volume</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::WhiteBoardWebWidget</name>
        <message>
            <source>Form</source>
            <translation>Form</translation>
        </message>
        <message>
            <source>The whiteboard cannot be shown: the web components are not available.</source>
            <translation>The whiteboard cannot be shown: the web components are not available.</translation>
        </message>
        <message>
            <source>web pages do not run as root without QTWEBENGINE_DISABLE_SANDBOX=1</source>
            <translation>web pages do not run as root without QTWEBENGINE_DISABLE_SANDBOX=1</translation>
        </message>
    </context>
</TS>
