<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>rj_app::models::CCallController</name>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>Not registered to the video service, please try to log in again.</source>
            <translation>Not registered to the video service, please try to log in again.</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CDownloadThread</name>
        <message>
            <source>update check failed</source>
            <translation>update check failed</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CUpdateGetJson</name>
        <message>
            <source>No answer within %1 ms.</source>
            <translation>No answer within %1 ms.</translation>
        </message>
        <message>
            <source>The answer is larger than %1 bytes.</source>
            <translation>The answer is larger than %1 bytes.</translation>
        </message>
        <message>
            <source>The server answered %1 %2.</source>
            <translation>The server answered %1 %2.</translation>
        </message>
        <message>
            <source>The answer is not JSON (%1).</source>
            <translation>The answer is not JSON (%1).</translation>
        </message>
        <message>
            <source>The answer is not a JSON object.</source>
            <translation>The answer is not a JSON object.</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CWebreportDetailsDlg</name>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Failed to copy details to the system clipboard</source>
            <translation>Failed to copy details to the system clipboard</translation>
        </message>
        <message>
            <source>Details have been copied to the system clipboard</source>
            <translation>Details have been copied to the system clipboard</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::FeedBackDlg</name>
        <message>
            <source>Another feedback is being uploaded. Please try again when it has finished.</source>
            <translation>Another feedback is being uploaded. Please try again when it has finished.</translation>
        </message>
    </context>
</TS>
