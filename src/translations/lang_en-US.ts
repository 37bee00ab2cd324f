<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>rj_app::views::AlertDlg</name>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>rj_app::views::CLoginDlg</name>
    <message>
        <source>PRODUCT_NAME</source>
        <translation>Glimora</translation>
    </message>
</context>
<context>
    <name>CSelectShareContent</name>
    <message>
        <source>Choose to share content</source>
        <translation>Choose to share content</translation>
    </message>
    <message>
        <source>desktop</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>appwindow</source>
        <translation>Application windows</translation>
    </message>
    <message>
        <source>Share Computer Sound</source>
        <translation>Share Computer Sound</translation>
    </message>
    <message>
        <source>Preferred Fluency</source>
        <translation>Preferred Fluency</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Share</translation>
    </message>
</context>
<context>
    <name>rj_app::views::CSelectShareContent</name>
    <message>
        <source>Other participants will be able to hear the audio being played on your computer</source>
        <translation>Other participants will be able to hear the audio being played on your computer</translation>
    </message>
    <message>
        <source>Ensure shared content fluency first</source>
        <translation>Ensure shared content fluency first</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Service is not connected, please wait...</source>
        <translation>Service is not connected, please wait...</translation>
    </message>
    <message>
        <source>Receiving whiteboard.</source>
        <translation>Receiving whiteboard.</translation>
    </message>
</context>
<context>
    <name>CWidgetContents</name>
    <message>
        <source>Screen %1</source>
        <translation>Screen %1</translation>
    </message>
    <message>
        <source>WhiteBoard</source>
        <translation>WhiteBoard</translation>
    </message>
</context>
</TS>
