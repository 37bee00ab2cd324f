<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>CSettingsForm</name>
        <message>
            <source>Call Rate</source>
            <translation>Call Rate</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Language</translation>
        </message>
        <message>
            <source>Snapshot Path:</source>
            <translation>Snapshot Path:</translation>
        </message>
        <message>
            <source>Change Path</source>
            <translation>Change Path</translation>
        </message>
        <message>
            <source>Diagnostics</source>
            <translation>Diagnostics</translation>
        </message>
        <message>
            <source>Feedback</source>
            <translation>Feedback</translation>
        </message>
        <message>
            <source>Application</source>
            <translation>Application</translation>
        </message>
        <message>
            <source>Login automatically when app starts up</source>
            <translation>Login automatically when app starts up</translation>
        </message>
        <message>
            <source>Answer incoming calls automatically</source>
            <translation>Answer incoming calls automatically</translation>
        </message>
        <message>
            <source>Start app when I start windows</source>
            <translation>Start app when I start windows</translation>
        </message>
        <message>
            <source>Automatic save a snapshot when close whiteboard</source>
            <translation>Automatic save a snapshot when close whiteboard</translation>
        </message>
        <message>
            <source>Use a separate window when viewing the video content shared by others</source>
            <translation>Use a separate window when viewing the video content shared by others</translation>
        </message>
        <message>
            <source>Disable prompt</source>
            <translation>Disable prompt</translation>
        </message>
        <message>
            <source>If checked, prompt information such as network status is not popup after joining conference.</source>
            <translation>If checked, prompt information such as network status is not popup after joining conference.</translation>
        </message>
        <message>
            <source>Full screen when entering a meeting</source>
            <translation>Full screen when entering a meeting</translation>
        </message>
        <message>
            <source>Disable Share</source>
            <translation>Disable Share</translation>
        </message>
        <message>
            <source>Join the meeting next time to take effect.</source>
            <translation>Join the meeting next time to take effect.</translation>
        </message>
        <message>
            <source>Intelligent Noise Reduction</source>
            <translation>Intelligent Noise Reduction</translation>
        </message>
        <message>
            <source>When enabled, noise other than people voice is reduced intelligently.</source>
            <translation>When enabled, noise other than people voice is reduced intelligently.</translation>
        </message>
        <message>
            <source>Render Type:</source>
            <translation>Render Type:</translation>
        </message>
        <message>
            <source>Auto</source>
            <translation>Auto</translation>
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
            <translation>Enable high frame rate video</translation>
        </message>
        <message>
            <source>If checked, the high frame rate 25fps is preferred in video tranfer.</source>
            <translation>If checked, the high frame rate 25fps is preferred in video tranfer.</translation>
        </message>
        <message>
            <source>Support 1080p</source>
            <translation>Support 1080p</translation>
        </message>
        <message>
            <source>Enable hard encode</source>
            <translation>Enable hard encode</translation>
        </message>
        <message>
            <source>Enable hard decode</source>
            <translation>Enable hard decode</translation>
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
            <translation>Please set the snapshot path</translation>
        </message>
    </context>
</TS>
