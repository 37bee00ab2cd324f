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
    <name>CJoinConfDlg</name>
    <message>
        <source>Join a Meeting</source>
        <translation>Join a Meeting</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Turn off Microphone</source>
        <translation>Turn off Microphone</translation>
    </message>
    <message>
        <source>Turn off Camera</source>
        <translation>Turn off Camera</translation>
    </message>
</context>
<context>
    <name>CJoinConfWidget</name>
    <message>
        <source>Join a Meeting</source>
        <translation>Join a Meeting</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Turn off Microphone</source>
        <translation>Turn off Microphone</translation>
    </message>
    <message>
        <source>Turn off Camera</source>
        <translation>Turn off Camera</translation>
    </message>
</context>
<context>
    <name>rj_app::views::CJoinConfDlg</name>
    <message>
        <source>Input meeting ID</source>
        <translation>Input meeting ID</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>Video Join</source>
        <translation>Video Join</translation>
    </message>
    <message>
        <source>Audio Join</source>
        <translation>Audio Join</translation>
    </message>
</context>
<context>
    <name>rj_app::views::CJoinConfWidget</name>
    <message>
        <source>Input meeting ID</source>
        <translation>Input meeting ID</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>Video Join</source>
        <translation>Video Join</translation>
    </message>
    <message>
        <source>Audio Join</source>
        <translation>Audio Join</translation>
    </message>
</context>
</TS>
