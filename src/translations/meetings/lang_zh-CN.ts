<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>rj_app::views::CConferencesWidget</name>
        <message>
            <source>Note</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Are you sure to delete meeting?</source>
            <translation>确定删除会议吗？</translation>
        </message>
        <message>
            <source>Are you sure to terminate meeting?</source>
            <translation>确定结束会议吗？</translation>
        </message>
    </context>
    <context>
        <name>CConferencesErrorPage</name>
        <message>
            <source>Error</source>
            <translation>错误</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>返回</translation>
        </message>
    </context>
    <context>
        <name>CConferencesSelectuserPage</name>
        <message>
            <source>Back</source>
            <translation>返回</translation>
        </message>
        <message>
            <source>Ok</source>
            <translation>确定</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CContactsWidget</name>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>视频</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>音频</translation>
        </message>
        <message>
            <source>Account</source>
            <translation>账号</translation>
        </message>
        <message>
            <source>Call ID</source>
            <translation>呼叫号码</translation>
        </message>
        <message>
            <source>Mobile</source>
            <translation>手机</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>邮箱</translation>
        </message>
        <message>
            <source>Telephone</source>
            <translation>电话</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>搜索</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Sure you want to delete contact?</source>
            <translation>确定删除该联系人吗？</translation>
        </message>
        <message>
            <source>The contact list could not be loaded.</source>
            <translation>无法加载联系人列表。</translation>
        </message>
        <message>
            <source>The user directory could not be loaded.</source>
            <translation>无法加载用户目录。</translation>
        </message>
    </context>
</TS>
