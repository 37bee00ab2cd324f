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
    <name>rj_app::views::CLayoutCellCoverDlg</name>
    <message>
        <source>%1&apos;s Screen Sharing</source>
        <translation>%1&apos;s Screen Sharing</translation>
    </message>
</context>
</TS>
