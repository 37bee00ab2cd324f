<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>rj_app::views::CLayoutToolbarDlg</name>
        <message>
            <source>Show PIP</source>
            <translation>显示画中画</translation>
        </message>
        <message>
            <source>Hang Up</source>
            <translation>挂断</translation>
        </message>
        <message>
            <source>Mute</source>
            <translation>静音</translation>
        </message>
        <message>
            <source>Unmute</source>
            <translation>解除静音</translation>
        </message>
        <message>
            <source>Stop Video</source>
            <translation>停止视频</translation>
        </message>
        <message>
            <source>Enable Video</source>
            <translation>开启视频</translation>
        </message>
        <message>
            <source>Layout</source>
            <translation>布局</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>共享</translation>
        </message>
        <message>
            <source>More</source>
            <translation>更多</translation>
        </message>
        <message>
            <source>Volume</source>
            <translation>音量</translation>
        </message>
        <message>
            <source>Leave</source>
            <translation>离开</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Are you sure to leave the meeting?</source>
            <translation>确定要离开会议吗？</translation>
        </message>
    </context>
    <context>
        <name>CNumberButton</name>
        <message>
            <source>Form</source>
            <translation>窗体</translation>
        </message>
        <message>
            <source>Management</source>
            <translation>会控</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::menuAudioWidget</name>
        <message>
            <source>Select microphone</source>
            <translation>选择麦克风</translation>
        </message>
        <message>
            <source>Select speaker</source>
            <translation>选择扬声器</translation>
        </message>
        <message>
            <source>Audio setting</source>
            <translation>音频设置</translation>
        </message>
        <message>
            <source>System Default</source>
            <translation>系统默认</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::menuVideoWidget</name>
        <message>
            <source>Select camera</source>
            <translation>选择摄像头</translation>
        </message>
        <message>
            <source>Video setting</source>
            <translation>视频设置</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CMenuMoreWidget</name>
        <message>
            <source>Speech Request</source>
            <translation>申请发言</translation>
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
