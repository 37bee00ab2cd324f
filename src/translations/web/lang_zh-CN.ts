<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>rj_app::views::CWebBrowserLoadingForm</name>
        <message>
            <source>Trying to load...</source>
            <translation>正在加载...</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CWebBrowserLoadFailedForm</name>
        <message>
            <source>Failed to load, please check your network.</source>
            <translation>加载失败，请检查网络。</translation>
        </message>
        <message>
            <source>Reload</source>
            <translation>重新加载</translation>
        </message>
        <message>
            <source>Web pages cannot be shown: a part of the application is missing.</source>
            <translation>无法显示网页：应用程序缺少部分组件。</translation>
        </message>
        <message>
            <source>web pages do not run as root without QTWEBENGINE_DISABLE_SANDBOX=1</source>
            <translation>以 root 身份运行时，需设置 QTWEBENGINE_DISABLE_SANDBOX=1 才能显示网页</translation>
        </message>
    </context>
</TS>
