<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>rj_app::models::CCallController</name>
        <message>
            <source>Note</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Not registered to the video service, please try to log in again.</source>
            <translation>未注册到视频服务，请重新登录。</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CDownloadThread</name>
        <message>
            <source>update check failed</source>
            <translation>检查更新失败</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CUpdateGetJson</name>
        <message>
            <source>No answer within %1 ms.</source>
            <translation>%1 毫秒内没有应答。</translation>
        </message>
        <message>
            <source>The answer is larger than %1 bytes.</source>
            <translation>应答超过 %1 字节。</translation>
        </message>
        <message>
            <source>The server answered %1 %2.</source>
            <translation>服务器应答 %1 %2。</translation>
        </message>
        <message>
            <source>The answer is not JSON (%1).</source>
            <translation>应答不是 JSON（%1）。</translation>
        </message>
        <message>
            <source>The answer is not a JSON object.</source>
            <translation>应答不是 JSON 对象。</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CWebreportDetailsDlg</name>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Failed to copy details to the system clipboard</source>
            <translation>详情复制到系统剪贴板失败</translation>
        </message>
        <message>
            <source>Details have been copied to the system clipboard</source>
            <translation>详情已复制到系统剪贴板</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::FeedBackDlg</name>
        <message>
            <source>Another feedback is being uploaded. Please try again when it has finished.</source>
            <translation>另一条反馈正在上传，请在其完成后再试。</translation>
        </message>
    </context>
</TS>
