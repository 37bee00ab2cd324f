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
    <name>CSelectShareContent</name>
    <message>
        <source>Choose to share content</source>
        <translation>选择共享内容</translation>
    </message>
    <message>
        <source>desktop</source>
        <translation>桌面</translation>
    </message>
    <message>
        <source>appwindow</source>
        <translation>应用窗口</translation>
    </message>
    <message>
        <source>Share Computer Sound</source>
        <translation>共享电脑声音</translation>
    </message>
    <message>
        <source>Preferred Fluency</source>
        <translation>流畅度优先</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>共享</translation>
    </message>
</context>
<context>
    <name>rj_app::views::CSelectShareContent</name>
    <message>
        <source>Other participants will be able to hear the audio being played on your computer</source>
        <translation>其他参会者将能听到您电脑上正在播放的声音</translation>
    </message>
    <message>
        <source>Ensure shared content fluency first</source>
        <translation>优先保证共享内容的流畅度</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Service is not connected, please wait...</source>
        <translation>服务未连接，请稍候...</translation>
    </message>
    <message>
        <source>Receiving whiteboard.</source>
        <translation>正在接收白板。</translation>
    </message>
</context>
<context>
    <name>CWidgetContents</name>
    <message>
        <source>Screen %1</source>
        <translation>屏幕 %1</translation>
    </message>
    <message>
        <source>WhiteBoard</source>
        <translation>白板</translation>
    </message>
</context>
</TS>
