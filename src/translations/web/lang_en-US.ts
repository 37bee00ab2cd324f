<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>rj_app::views::CWebBrowserLoadingForm</name>
        <message>
            <source>Trying to load...</source>
            <translation>Trying to load...</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CWebBrowserLoadFailedForm</name>
        <message>
            <source>Failed to load, please check your network.</source>
            <translation>Failed to load, please check your network.</translation>
        </message>
        <message>
            <source>Reload</source>
            <translation>Reload</translation>
        </message>
        <message>
            <source>Web pages cannot be shown: a part of the application is missing.</source>
            <translation>Web pages cannot be shown: a part of the application is missing.</translation>
        </message>
        <message>
            <source>web pages do not run as root without QTWEBENGINE_DISABLE_SANDBOX=1</source>
            <translation>web pages do not run as root without QTWEBENGINE_DISABLE_SANDBOX=1</translation>
        </message>
    </context>
</TS>
