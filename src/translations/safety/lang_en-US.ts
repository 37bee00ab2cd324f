<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>rj_app::models::CUCMApiManager</name>
        <message>
            <source>The server&apos;s answer could not be read.</source>
            <translation>The server&apos;s answer could not be read.</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CSaveFailureNotice</name>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>The setting could not be saved: %1</source>
            <translation>The setting could not be saved: %1</translation>
        </message>
    </context>
</TS>
