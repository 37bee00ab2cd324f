<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>rj_app::views::CMainDlgManager</name>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Unknown error(%1).</source>
            <translation>未知错误(%1)。</translation>
        </message>
        <message>
            <source>Sdk is not initialized(%1).</source>
            <translation>SDK未初始化(%1)。</translation>
        </message>
        <message>
            <source>Bad format for sdk(%1).</source>
            <translation>SDK格式错误(%1)。</translation>
        </message>
        <message>
            <source>The operation is only supported in a conference(%1).</source>
            <translation>该操作仅在会议中支持(%1)。</translation>
        </message>
        <message>
            <source>Bad parameter for sdk(%1).</source>
            <translation>SDK参数错误(%1)。</translation>
        </message>
        <message>
            <source>Failed to register(%1).</source>
            <translation>注册失败(%1)。</translation>
        </message>
        <message>
            <source>Internal error in sdk(%1).</source>
            <translation>SDK内部错误(%1)。</translation>
        </message>
        <message>
            <source>Server unreachable, please try again later(%1).</source>
            <translation>服务器不可达，请稍后重试(%1)。</translation>
        </message>
        <message>
            <source>Invalid server(%1).</source>
            <translation>无效的服务器(%1)。</translation>
        </message>
        <message>
            <source>The other party has hung up(%1).</source>
            <translation>对方已挂断(%1)。</translation>
        </message>
        <message>
            <source>The other party is busy(%1).</source>
            <translation>对方忙(%1)。</translation>
        </message>
        <message>
            <source>Call timeout(%1).</source>
            <translation>呼叫超时(%1)。</translation>
        </message>
        <message>
            <source>Not login(%1).</source>
            <translation>未登录(%1)。</translation>
        </message>
        <message>
            <source>Call timeout, terminate the call(%1).</source>
            <translation>呼叫超时，结束呼叫(%1)。</translation>
        </message>
        <message>
            <source>Failed to resolve domain, please check if the domain service setting is correct(%1).</source>
            <translation>域名解析失败，请检查域名服务设置是否正确(%1)。</translation>
        </message>
        <message>
            <source>Invalid token(%1).</source>
            <translation>令牌无效(%1)。</translation>
        </message>
        <message>
            <source>Operation failure(%1).</source>
            <translation>操作失败(%1)。</translation>
        </message>
        <message>
            <source>Internal error(%1).</source>
            <translation>内部错误(%1)。</translation>
        </message>
        <message>
            <source>Invalid username or password.</source>
            <translation>用户名或密码错误。</translation>
        </message>
        <message>
            <source>Account is locked(%1).</source>
            <translation>账号已锁定(%1)。</translation>
        </message>
        <message>
            <source>Account is not used(%1).</source>
            <translation>账号未启用(%1)。</translation>
        </message>
        <message>
            <source>Failed to connect to media server(%1).</source>
            <translation>连接媒体服务器失败(%1)。</translation>
        </message>
        <message>
            <source>No resource(%1).</source>
            <translation>没有资源(%1)。</translation>
        </message>
        <message>
            <source>The device is not in allow list(%1).</source>
            <translation>设备不在允许列表中(%1)。</translation>
        </message>
        <message>
            <source>The number of concurrent calls reaches maximum(%1).</source>
            <translation>并发呼叫数已达上限(%1)。</translation>
        </message>
        <message>
            <source>Invalid URL address(%1).</source>
            <translation>无效的URL地址(%1)。</translation>
        </message>
        <message>
            <source>Invalid registration password(%1).</source>
            <translation>注册密码无效(%1)。</translation>
        </message>
        <message>
            <source>Invalid registration username(%1).</source>
            <translation>注册用户名无效(%1)。</translation>
        </message>
        <message>
            <source>Registration identification is used(%1).</source>
            <translation>注册标识已被使用(%1)。</translation>
        </message>
        <message>
            <source>The registration username and authentication username are inconsistent(%1).</source>
            <translation>注册用户名与认证用户名不一致(%1)。</translation>
        </message>
        <message>
            <source>An error occurred in the registration server(%1).</source>
            <translation>注册服务器发生错误(%1)。</translation>
        </message>
        <message>
            <source>The endpoint is not registerred(%1).</source>
            <translation>终端未注册(%1)。</translation>
        </message>
        <message>
            <source>Failed to connect to ROZ(%1).</source>
            <translation>连接ROZ失败(%1)。</translation>
        </message>
        <message>
            <source>Failed to connect to ZOV(%1).</source>
            <translation>连接ZOV失败(%1)。</translation>
        </message>
        <message>
            <source>The call is forbidden by ZOV(%1).</source>
            <translation>呼叫被ZOV禁止(%1)。</translation>
        </message>
        <message>
            <source>The contact is offline(%1).</source>
            <translation>联系人不在线(%1)。</translation>
        </message>
        <message>
            <source>The meeting can not be activated(%1).</source>
            <translation>会议无法激活(%1)。</translation>
        </message>
        <message>
            <source>Invalid parameter(%1).</source>
            <translation>参数无效(%1)。</translation>
        </message>
        <message>
            <source>Invalid meeting room password(%1).</source>
            <translation>会议室密码错误(%1)。</translation>
        </message>
        <message>
            <source>The meeting room password is required(%1).</source>
            <translation>需要会议室密码(%1)。</translation>
        </message>
        <message>
            <source>No media resource(%1).</source>
            <translation>没有媒体资源(%1)。</translation>
        </message>
        <message>
            <source>Failed to create meeting room(%1).</source>
            <translation>创建会议室失败(%1)。</translation>
        </message>
        <message>
            <source>No permission to create meeting room(%1).</source>
            <translation>没有创建会议室的权限(%1)。</translation>
        </message>
        <message>
            <source>The meeting room is existed(%1).</source>
            <translation>会议室已存在(%1)。</translation>
        </message>
        <message>
            <source>Creating meeting room is forbidden(%1).</source>
            <translation>禁止创建会议室(%1)。</translation>
        </message>
        <message>
            <source>The meeting is locked(%1).</source>
            <translation>会议已锁定(%1)。</translation>
        </message>
        <message>
            <source>Network unavailable. Please check and try again(%1).</source>
            <translation>网络不可用，请检查后重试(%1)。</translation>
        </message>
        <message>
            <source>Meeting ended or terminated by meeting host(%1).</source>
            <translation>会议已结束或被主持人终止(%1)。</translation>
        </message>
        <message>
            <source>Invalid server address.</source>
            <translation>无效的服务器地址。</translation>
        </message>
        <message>
            <source>Failed to login(%1).</source>
            <translation>登录失败(%1)。</translation>
        </message>
        <message>
            <source>Received error(%1).</source>
            <translation>收到错误(%1)。</translation>
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
            <translation>正在连接...</translation>
        </message>
        <message>
            <source>Incoming call</source>
            <translation>来电</translation>
        </message>
        <message>
            <source>Connected</source>
            <translation>已连接</translation>
        </message>
        <message>
            <source>Call ended</source>
            <translation>通话已结束</translation>
        </message>
        <message>
            <source>Answer</source>
            <translation>接听</translation>
        </message>
        <message>
            <source>Decline</source>
            <translation>拒绝</translation>
        </message>
        <message>
            <source>Leave</source>
            <translation>离开</translation>
        </message>
    </context>
    <context>
        <name>main</name>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Another process of the application is logging in.</source>
            <translation>应用程序的另一个进程正在登录。</translation>
        </message>
        <message>
            <source>Another meeting is running on the application.</source>
            <translation>应用程序中正在进行另一个会议。</translation>
        </message>
    </context>
</TS>
