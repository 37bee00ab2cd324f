<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>rj_app::views::CMainDlgManager</name>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Unknown error(%1).</source>
            <translation>Unknown error(%1).</translation>
        </message>
        <message>
            <source>Sdk is not initialized(%1).</source>
            <translation>Sdk is not initialized(%1).</translation>
        </message>
        <message>
            <source>Bad format for sdk(%1).</source>
            <translation>Bad format for sdk(%1).</translation>
        </message>
        <message>
            <source>The operation is only supported in a conference(%1).</source>
            <translation>The operation is only supported in a conference(%1).</translation>
        </message>
        <message>
            <source>Bad parameter for sdk(%1).</source>
            <translation>Bad parameter for sdk(%1).</translation>
        </message>
        <message>
            <source>Failed to register(%1).</source>
            <translation>Failed to register(%1).</translation>
        </message>
        <message>
            <source>Internal error in sdk(%1).</source>
            <translation>Internal error in sdk(%1).</translation>
        </message>
        <message>
            <source>Server unreachable, please try again later(%1).</source>
            <translation>Server unreachable, please try again later(%1).</translation>
        </message>
        <message>
            <source>Invalid server(%1).</source>
            <translation>Invalid server(%1).</translation>
        </message>
        <message>
            <source>The other party has hung up(%1).</source>
            <translation>The other party has hung up(%1).</translation>
        </message>
        <message>
            <source>The other party is busy(%1).</source>
            <translation>The other party is busy(%1).</translation>
        </message>
        <message>
            <source>Call timeout(%1).</source>
            <translation>Call timeout(%1).</translation>
        </message>
        <message>
            <source>Not login(%1).</source>
            <translation>Not login(%1).</translation>
        </message>
        <message>
            <source>Call timeout, terminate the call(%1).</source>
            <translation>Call timeout, terminate the call(%1).</translation>
        </message>
        <message>
            <source>Failed to resolve domain, please check if the domain service setting is correct(%1).</source>
            <translation>Failed to resolve domain, please check if the domain service setting is correct(%1).</translation>
        </message>
        <message>
            <source>Invalid token(%1).</source>
            <translation>Invalid token(%1).</translation>
        </message>
        <message>
            <source>Operation failure(%1).</source>
            <translation>Operation failure(%1).</translation>
        </message>
        <message>
            <source>Internal error(%1).</source>
            <translation>Internal error(%1).</translation>
        </message>
        <message>
            <source>Invalid username or password.</source>
            <translation>Invalid username or password.</translation>
        </message>
        <message>
            <source>Account is locked(%1).</source>
            <translation>Account is locked(%1).</translation>
        </message>
        <message>
            <source>Account is not used(%1).</source>
            <translation>Account is not used(%1).</translation>
        </message>
        <message>
            <source>Failed to connect to media server(%1).</source>
            <translation>Failed to connect to media server(%1).</translation>
        </message>
        <message>
            <source>No resource(%1).</source>
            <translation>No resource(%1).</translation>
        </message>
        <message>
            <source>The device is not in allow list(%1).</source>
            <translation>The device is not in allow list(%1).</translation>
        </message>
        <message>
            <source>The number of concurrent calls reaches maximum(%1).</source>
            <translation>The number of concurrent calls reaches maximum(%1).</translation>
        </message>
        <message>
            <source>Invalid URL address(%1).</source>
            <translation>Invalid URL address(%1).</translation>
        </message>
        <message>
            <source>Invalid registration password(%1).</source>
            <translation>Invalid registration password(%1).</translation>
        </message>
        <message>
            <source>Invalid registration username(%1).</source>
            <translation>Invalid registration username(%1).</translation>
        </message>
        <message>
            <source>Registration identification is used(%1).</source>
            <translation>Registration identification is used(%1).</translation>
        </message>
        <message>
            <source>The registration username and authentication username are inconsistent(%1).</source>
            <translation>The registration username and authentication username are inconsistent(%1).</translation>
        </message>
        <message>
            <source>An error occurred in the registration server(%1).</source>
            <translation>An error occurred in the registration server(%1).</translation>
        </message>
        <message>
            <source>The endpoint is not registerred(%1).</source>
            <translation>The endpoint is not registerred(%1).</translation>
        </message>
        <message>
            <source>Failed to connect to ROZ(%1).</source>
            <translation>Failed to connect to ROZ(%1).</translation>
        </message>
        <message>
            <source>Failed to connect to ZOV(%1).</source>
            <translation>Failed to connect to ZOV(%1).</translation>
        </message>
        <message>
            <source>The call is forbidden by ZOV(%1).</source>
            <translation>The call is forbidden by ZOV(%1).</translation>
        </message>
        <message>
            <source>The contact is offline(%1).</source>
            <translation>The contact is offline(%1).</translation>
        </message>
        <message>
            <source>The meeting can not be activated(%1).</source>
            <translation>The meeting can not be activated(%1).</translation>
        </message>
        <message>
            <source>Invalid parameter(%1).</source>
            <translation>Invalid parameter(%1).</translation>
        </message>
        <message>
            <source>Invalid meeting room password(%1).</source>
            <translation>Invalid meeting room password(%1).</translation>
        </message>
        <message>
            <source>The meeting room password is required(%1).</source>
            <translation>The meeting room password is required(%1).</translation>
        </message>
        <message>
            <source>No media resource(%1).</source>
            <translation>No media resource(%1).</translation>
        </message>
        <message>
            <source>Failed to create meeting room(%1).</source>
            <translation>Failed to create meeting room(%1).</translation>
        </message>
        <message>
            <source>No permission to create meeting room(%1).</source>
            <translation>No permission to create meeting room(%1).</translation>
        </message>
        <message>
            <source>The meeting room is existed(%1).</source>
            <translation>The meeting room is existed(%1).</translation>
        </message>
        <message>
            <source>Creating meeting room is forbidden(%1).</source>
            <translation>Creating meeting room is forbidden(%1).</translation>
        </message>
        <message>
            <source>The meeting is locked(%1).</source>
            <translation>The meeting is locked(%1).</translation>
        </message>
        <message>
            <source>Network unavailable. Please check and try again(%1).</source>
            <translation>Network unavailable. Please check and try again(%1).</translation>
        </message>
        <message>
            <source>Meeting ended or terminated by meeting host(%1).</source>
            <translation>Meeting ended or terminated by meeting host(%1).</translation>
        </message>
        <message>
            <source>Invalid server address.</source>
            <translation>Invalid server address.</translation>
        </message>
        <message>
            <source>Failed to login(%1).</source>
            <translation>Failed to login(%1).</translation>
        </message>
        <message>
            <source>Received error(%1).</source>
            <translation>Received error(%1).</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLayoutBackgroundDlg</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
        <message>
            <source>Connecting...</source>
            <translation>Connecting...</translation>
        </message>
        <message>
            <source>Incoming call</source>
            <translation>Incoming call</translation>
        </message>
        <message>
            <source>Connected</source>
            <translation>Connected</translation>
        </message>
        <message>
            <source>Call ended</source>
            <translation>Call ended</translation>
        </message>
        <message>
            <source>Answer</source>
            <translation>Answer</translation>
        </message>
        <message>
            <source>Decline</source>
            <translation>Decline</translation>
        </message>
        <message>
            <source>Leave</source>
            <translation>Leave</translation>
        </message>
    </context>
    <context>
        <name>main</name>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Another process of the application is logging in.</source>
            <translation>Another process of the application is logging in.</translation>
        </message>
        <message>
            <source>Another meeting is running on the application.</source>
            <translation>Another meeting is running on the application.</translation>
        </message>
    </context>
</TS>
