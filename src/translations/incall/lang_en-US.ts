<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>rj_app::views::CLayoutToolbarDlg</name>
        <message>
            <source>Show PIP</source>
            <translation>Show PIP</translation>
        </message>
        <message>
            <source>Hang Up</source>
            <translation>Hang Up</translation>
        </message>
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
        <message>
            <source>Layout</source>
            <translation>Layout</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Share</translation>
        </message>
        <message>
            <source>More</source>
            <translation>More</translation>
        </message>
        <message>
            <source>Volume</source>
            <translation>Volume</translation>
        </message>
        <message>
            <source>Leave</source>
            <translation>Leave</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>Are you sure to leave the meeting?</source>
            <translation>Are you sure to leave the meeting?</translation>
        </message>
    </context>
    <context>
        <name>CNumberButton</name>
        <message>
            <source>Form</source>
            <translation>Form</translation>
        </message>
        <message>
            <source>Management</source>
            <translation>Management</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::menuAudioWidget</name>
        <message>
            <source>Select microphone</source>
            <translation>Select microphone</translation>
        </message>
        <message>
            <source>Select speaker</source>
            <translation>Select speaker</translation>
        </message>
        <message>
            <source>Audio setting</source>
            <translation>Audio setting</translation>
        </message>
        <message>
            <source>System Default</source>
            <translation>System Default</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::menuVideoWidget</name>
        <message>
            <source>Select camera</source>
            <translation>Select camera</translation>
        </message>
        <message>
            <source>Video setting</source>
            <translation>Video setting</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CMenuMoreWidget</name>
        <message>
            <source>Speech Request</source>
            <translation>Speech Request</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CConfMngtDlg</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
    </context>
</TS>
