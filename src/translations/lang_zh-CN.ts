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
    <name>CJoinConfDlg</name>
    <message>
        <source>Join a Meeting</source>
        <translation>加入会议</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Turn off Microphone</source>
        <translation>关闭麦克风</translation>
    </message>
    <message>
        <source>Turn off Camera</source>
        <translation>关闭摄像头</translation>
    </message>
</context>
<context>
    <name>CJoinConfWidget</name>
    <message>
        <source>Join a Meeting</source>
        <translation>加入会议</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Turn off Microphone</source>
        <translation>关闭麦克风</translation>
    </message>
    <message>
        <source>Turn off Camera</source>
        <translation>关闭摄像头</translation>
    </message>
</context>
<context>
    <name>rj_app::views::CJoinConfDlg</name>
    <message>
        <source>Input meeting ID</source>
        <translation>请输入会议号</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>加入</translation>
    </message>
    <message>
        <source>Video Join</source>
        <translation>视频入会</translation>
    </message>
    <message>
        <source>Audio Join</source>
        <translation>语音入会</translation>
    </message>
</context>
<context>
    <name>rj_app::views::CJoinConfWidget</name>
    <message>
        <source>Input meeting ID</source>
        <translation>请输入会议号</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>加入</translation>
    </message>
    <message>
        <source>Video Join</source>
        <translation>视频入会</translation>
    </message>
    <message>
        <source>Audio Join</source>
        <translation>语音入会</translation>
    </message>
</context>
</TS>
