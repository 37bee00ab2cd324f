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
</TS>
