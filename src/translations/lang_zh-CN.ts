<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>rj_app::views::AlertDlg</name>
    <message>
        <source>Note</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
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
        <translation>%1的屏幕共享</translation>
    </message>
</context>
</TS>
