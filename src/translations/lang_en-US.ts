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
</TS>
