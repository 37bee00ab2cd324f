<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>rj_app::models::CUCMApiManager</name>
    <message>
        <source>Unsupported API version(%1).</source>
        <translation>Unsupported API version(%1).</translation>
    </message>
    <message>
        <source>Invalid token(%1).</source>
        <translation>Invalid token(%1).</translation>
    </message>
    <message>
        <source>Invalid parameter(%1).</source>
        <translation>Invalid parameter(%1).</translation>
    </message>
    <message>
        <source>The parameter exceeds the setting range(%1).</source>
        <translation>The parameter exceeds the setting range(%1).</translation>
    </message>
    <message>
        <source>Invalid media type, only &quot;application/json&quot; is supported(%1).</source>
        <translation>Invalid media type, only &quot;application/json&quot; is supported(%1).</translation>
    </message>
    <message>
        <source>You don&apos;t have permission to perform this operation(%1).</source>
        <translation>You don&apos;t have permission to perform this operation(%1).</translation>
    </message>
    <message>
        <source>Misspelling of the field name in the JSON string(%1).</source>
        <translation>Misspelling of the field name in the JSON string(%1).</translation>
    </message>
    <message>
        <source>Internal error(%1).</source>
        <translation>Internal error(%1).</translation>
    </message>
    <message>
        <source>Meeting does not exist(%1).</source>
        <translation>Meeting does not exist(%1).</translation>
    </message>
    <message>
        <source>The meeting is being initiated or in progress(%1).</source>
        <translation>The meeting is being initiated or in progress(%1).</translation>
    </message>
    <message>
        <source>The meeting has ended or has been deleted(%1).</source>
        <translation>The meeting has ended or has been deleted(%1).</translation>
    </message>
</context>
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
    <name>rj_app::views::CallWaitingWidget</name>
    <message>
        <source>Waiting...# </source>
        <translation>Waiting...# </translation>
    </message>
    <message>
        <source> now</source>
        <translation> now</translation>
    </message>
</context>
<context>
    <name>rj_app::views::CompactWidget</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>rj_app::views::CRemoteContentDlg</name>
    <message>
        <source>PRODUCT_NAME</source>
        <translation>Glimora</translation>
    </message>
</context>
<context>
    <name>rj_app::views::CMediaStatisticsDlg</name>
    <message>
        <source>Media Statistics</source>
        <translation>Media Statistics</translation>
    </message>
    <message>
        <source>Media Direction</source>
        <translation>Media Direction</translation>
    </message>
    <message>
        <source>Codec</source>
        <translation>Codec</translation>
    </message>
    <message>
        <source>Line Rate
(kbps)</source>
        <translation>Line Rate
(kbps)</translation>
    </message>
    <message>
        <source>Actual Line Rate
(kbps)</source>
        <translation>Actual Line Rate
(kbps)</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>Frame Rate
(fps)</source>
        <translation>Frame Rate
(fps)</translation>
    </message>
    <message>
        <source>Packet Lost Rate</source>
        <translation>Packet Lost Rate</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Encryption</translation>
    </message>
    <message>
        <source>Audio In</source>
        <translation>Audio In</translation>
    </message>
    <message>
        <source>Audio Out</source>
        <translation>Audio Out</translation>
    </message>
    <message>
        <source>Video In</source>
        <translation>Video In</translation>
    </message>
    <message>
        <source>Video Out</source>
        <translation>Video Out</translation>
    </message>
    <message>
        <source>Content In</source>
        <translation>Content In</translation>
    </message>
    <message>
        <source>Content Out</source>
        <translation>Content Out</translation>
    </message>
    <message>
        <source>White Board In</source>
        <translation>White Board In</translation>
    </message>
    <message>
        <source>White Board Out</source>
        <translation>White Board Out</translation>
    </message>
    <message>
        <source>Encrypted</source>
        <translation>Encrypted</translation>
    </message>
    <message>
        <source>Not encrypted</source>
        <translation>Not encrypted</translation>
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
<context>
    <name>CContactsListview</name>
    <message>
        <source>(Me)</source>
        <translation>(Me)</translation>
    </message>
    <message>
        <source>Add contacts</source>
        <translation>Add contacts</translation>
    </message>
    <message>
        <source>Organization</source>
        <translation>Organization</translation>
    </message>
    <message>
        <source>My contacts</source>
        <translation>My contacts</translation>
    </message>
</context>
<context>
    <name>CContactsAddDelegate</name>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Added</source>
        <translation>Added</translation>
    </message>
</context>
</TS>
