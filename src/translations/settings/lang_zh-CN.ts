<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>CSettingsForm</name>
        <message>
            <source>Call Rate</source>
            <translation>呼叫速率</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>语言</translation>
        </message>
        <message>
            <source>Snapshot Path:</source>
            <translation>截图路径：</translation>
        </message>
        <message>
            <source>Change Path</source>
            <translation>更改路径</translation>
        </message>
        <message>
            <source>Diagnostics</source>
            <translation>诊断</translation>
        </message>
        <message>
            <source>Feedback</source>
            <translation>反馈</translation>
        </message>
        <message>
            <source>Application</source>
            <translation>应用程序</translation>
        </message>
        <message>
            <source>Login automatically when app starts up</source>
            <translation>应用启动时自动登录</translation>
        </message>
        <message>
            <source>Answer incoming calls automatically</source>
            <translation>自动接听来电</translation>
        </message>
        <message>
            <source>Start app when I start windows</source>
            <translation>开机时启动应用</translation>
        </message>
        <message>
            <source>Automatic save a snapshot when close whiteboard</source>
            <translation>关闭白板时自动保存快照</translation>
        </message>
        <message>
            <source>Use a separate window when viewing the video content shared by others</source>
            <translation>使用单独窗口查看他人共享的视频内容</translation>
        </message>
        <message>
            <source>Disable prompt</source>
            <translation>禁用提示</translation>
        </message>
        <message>
            <source>If checked, prompt information such as network status is not popup after joining conference.</source>
            <translation>勾选后，入会后不再弹出网络状态等提示信息。</translation>
        </message>
        <message>
            <source>Full screen when entering a meeting</source>
            <translation>入会时全屏</translation>
        </message>
        <message>
            <source>Disable Share</source>
            <translation>禁用共享</translation>
        </message>
        <message>
            <source>Join the meeting next time to take effect.</source>
            <translation>下次入会时生效。</translation>
        </message>
        <message>
            <source>Intelligent Noise Reduction</source>
            <translation>智能降噪</translation>
        </message>
        <message>
            <source>When enabled, noise other than people voice is reduced intelligently.</source>
            <translation>启用后，将智能降低人声以外的噪音。</translation>
        </message>
        <message>
            <source>Render Type:</source>
            <translation>渲染方式：</translation>
        </message>
        <message>
            <source>Auto</source>
            <translation>自动</translation>
        </message>
        <message>
            <source>D3D</source>
            <translation>D3D</translation>
        </message>
        <message>
            <source>GDI</source>
            <translation>GDI</translation>
        </message>
        <message>
            <source>Enable high frame rate video</source>
            <translation>启用高帧率视频</translation>
        </message>
        <message>
            <source>If checked, the high frame rate 25fps is preferred in video tranfer.</source>
            <translation>勾选后，视频传输优先使用25fps高帧率。</translation>
        </message>
        <message>
            <source>Support 1080p</source>
            <translation>支持1080p</translation>
        </message>
        <message>
            <source>Enable hard encode</source>
            <translation>启用硬件编码</translation>
        </message>
        <message>
            <source>Enable hard decode</source>
            <translation>启用硬件解码</translation>
        </message>
        <message>
            <source>English_Language</source>
            <translation>English</translation>
        </message>
        <message>
            <source>Simplified-Chinese_Language</source>
            <translation>简体中文</translation>
        </message>
        <message>
            <source>Please set the snapshot path</source>
            <translation>请设置截图路径</translation>
        </message>
    </context>
</TS>
