<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>rj_app::models::CUCMApiManager</name>
        <message>
            <source>The server&apos;s answer could not be read.</source>
            <translation>无法读取服务器的应答。</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CSaveFailureNotice</name>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>The setting could not be saved: %1</source>
            <translation>设置无法保存：%1</translation>
        </message>
    </context>
</TS>
