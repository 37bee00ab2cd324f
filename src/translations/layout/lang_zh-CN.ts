<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>rj_app::views::CLayoutPeopleSettingDlg</name>
        <message>
            <source>The request for sending conent is denied due to lack of permission.</source>
            <translation>由于缺少权限，发送内容的请求被拒绝。</translation>
        </message>
        <message>
            <source>You have been muted by meeting host.</source>
            <translation>您已被主持人静音。</translation>
        </message>
        <message>
            <source>You are unmuted, other participants can hear you now.</source>
            <translation>您已解除静音，其他参会者现在可以听到您的声音。</translation>
        </message>
        <message>
            <source>Microphone Muted</source>
            <translation>麦克风已静音</translation>
        </message>
        <message>
            <source>Speech request has been sent</source>
            <translation>发言申请已发送</translation>
        </message>
        <message>
            <source>Video is stopped.</source>
            <translation>视频已停止。</translation>
        </message>
        <message>
            <source>Video is enabled.</source>
            <translation>视频已开启。</translation>
        </message>
        <message>
            <source>No microphone device available.</source>
            <translation>没有可用的麦克风设备。</translation>
        </message>
        <message>
            <source>Current microphone: %1</source>
            <translation>当前麦克风：%1</translation>
        </message>
        <message>
            <source>No speaker device available.</source>
            <translation>没有可用的扬声器设备。</translation>
        </message>
        <message>
            <source>Current speaker: %1</source>
            <translation>当前扬声器：%1</translation>
        </message>
        <message>
            <source>No camera device available.</source>
            <translation>没有可用的摄像头设备。</translation>
        </message>
        <message>
            <source>Current camera: %1</source>
            <translation>当前摄像头：%1</translation>
        </message>
        <message>
            <source>Network is not stable now, it may impact your conferencing experience.</source>
            <translation>当前网络不稳定，可能会影响您的会议体验。</translation>
        </message>
        <message>
            <source>Network is in very poor status, recommend checking network or switching to better network.</source>
            <translation>网络状况很差，建议检查网络或切换到更好的网络。</translation>
        </message>
        <message>
            <source>Network bandwidth is insufficient, it may impact your conferencing experience.</source>
            <translation>网络带宽不足，可能会影响您的会议体验。</translation>
        </message>
        <message>
            <source>Network bandwidth is in serious shortage, recommend checking network bandwidth or switching to better network.</source>
            <translation>网络带宽严重不足，建议检查网络带宽或切换到更好的网络。</translation>
        </message>
        <message>
            <source>Not allowed to unmute.</source>
            <translation>不允许解除静音。</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>There is no microphone found and other can not listen to you. Please check microphone device.</source>
            <translation>未找到麦克风，其他人无法听到您的声音。请检查麦克风设备。</translation>
        </message>
        <message>
            <source>Meeting manager is unmuting you, do you agree?</source>
            <translation>会议主持人正在为您解除静音，是否同意？</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CbackgroundWidget</name>
        <message>
            <source>Show PIP</source>
            <translation>显示画中画</translation>
        </message>
        <message>
            <source>Drawing</source>
            <translation>批注</translation>
        </message>
        <message>
            <source>Volume</source>
            <translation>音量</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Management</source>
            <translation>会控</translation>
        </message>
        <message>
            <source>Stop Sound</source>
            <translation>停止共享声音</translation>
        </message>
        <message>
            <source>Share Sound</source>
            <translation>共享声音</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Are you sure to stop?</source>
            <translation>确定要停止吗？</translation>
        </message>
        <message>
            <source>Screenshot</source>
            <translation>截图</translation>
        </message>
        <message>
            <source>Save successfully</source>
            <translation>保存成功</translation>
        </message>
        <message>
            <source>Save failed</source>
            <translation>保存失败</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CSharingControls</name>
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
    </context>
    <context>
        <name>rj_app::views::WhiteBoardDlg</name>
        <message>
            <source>The picture is too large for the whiteboard.</source>
            <translation>图片太大，白板无法使用。</translation>
        </message>
        <message>
            <source>The whiteboard did not accept this picture.</source>
            <translation>白板不接受这张图片。</translation>
        </message>
        <message>
            <source>The picture could not be uploaded. Please try again.</source>
            <translation>图片上传失败，请重试。</translation>
        </message>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
        <message>
            <source>Choose to upload picture</source>
            <translation>选择要上传的图片</translation>
        </message>
        <message>
            <source>Image files(*.jpg *.png *.jpeg);;All files (*.*)</source>
            <translation>图片文件(*.jpg *.png *.jpeg);;所有文件 (*.*)</translation>
        </message>
        <message>
            <source>WhiteBoardshot</source>
            <translation>白板截图</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Save successfully</source>
            <translation>保存成功</translation>
        </message>
        <message>
            <source>Save failed</source>
            <translation>保存失败</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::WhiteBoardTopWidget</name>
        <message>
            <source>Drawing</source>
            <translation>绘图</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Show PIP</source>
            <translation>显示画中画</translation>
        </message>
        <message>
            <source>Form</source>
            <translation>窗体</translation>
        </message>
        <message>
            <source>Mute</source>
            <translation>静音</translation>
        </message>
        <message>
            <source>Stop Video</source>
            <translation>停止视频</translation>
        </message>
        <message>
            <source>Management</source>
            <translation>会控</translation>
        </message>
        <message>
            <source>Volume</source>
            <translation>音量</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::WhiteBoardWebWidget</name>
        <message>
            <source>Form</source>
            <translation>窗体</translation>
        </message>
        <message>
            <source>The whiteboard cannot be shown: the web components are not available.</source>
            <translation>无法显示白板：网页组件不可用。</translation>
        </message>
        <message>
            <source>web pages do not run as root without QTWEBENGINE_DISABLE_SANDBOX=1</source>
            <translation>以 root 身份运行时，需设置 QTWEBENGINE_DISABLE_SANDBOX=1 才能显示网页</translation>
        </message>
    </context>
</TS>
