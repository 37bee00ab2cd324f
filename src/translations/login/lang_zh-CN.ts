<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>CLoginDlg</name>
        <message>
            <source>Settings</source>
            <translation>设置</translation>
        </message>
    </context>
    <context>
        <name>CLoginInfoForm</name>
        <message>
            <source>Login</source>
            <translation>登录</translation>
        </message>
        <message>
            <source>Server</source>
            <translation>服务器</translation>
        </message>
        <message>
            <source>Please Input Server Address</source>
            <translation>请输入服务器地址</translation>
        </message>
        <message>
            <source>Account</source>
            <translation>账号</translation>
        </message>
        <message>
            <source>Please Input Your Account</source>
            <translation>请输入账号</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>密码</translation>
        </message>
        <message>
            <source>Please Input Your Password</source>
            <translation>请输入密码</translation>
        </message>
        <message>
            <source>Port</source>
            <translation>端口</translation>
        </message>
        <message>
            <source>Please Input Port Number (Optional)</source>
            <translation>请输入端口号（可选）</translation>
        </message>
        <message>
            <source>HTTPS</source>
            <translation>HTTPS</translation>
        </message>
        <message>
            <source>More</source>
            <translation>更多</translation>
        </message>
        <message>
            <source>Skipped Login</source>
            <translation>跳过登录</translation>
        </message>
        <message>
            <source>Guest Join Meeting</source>
            <translation>访客入会</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLoginInfoForm</name>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>The value of port can only be number from 1 to 65535.</source>
            <translation>端口只能是 1 到 65535 之间的数字。</translation>
        </message>
    </context>
    <context>
        <name>CLoginJoinConfForm</name>
        <message>
            <source>Join Meeting</source>
            <translation>加入会议</translation>
        </message>
        <message>
            <source>Server</source>
            <translation>服务器</translation>
        </message>
        <message>
            <source>Please Input Server Address</source>
            <translation>请输入服务器地址</translation>
        </message>
        <message>
            <source>Meeting Number</source>
            <translation>会议号</translation>
        </message>
        <message>
            <source>Please Input Meeting Number</source>
            <translation>请输入会议号</translation>
        </message>
        <message>
            <source>Display Name</source>
            <translation>显示名称</translation>
        </message>
        <message>
            <source>Please Input Display Name</source>
            <translation>请输入显示名称</translation>
        </message>
        <message>
            <source>Meeting Password(Optional)</source>
            <translation>会议密码（可选）</translation>
        </message>
        <message>
            <source>Please Input Meeting Password (Optional)</source>
            <translation>请输入会议密码</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>返回</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLoginJoinConfForm</name>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>The username can not be empty.</source>
            <translation>用户名不能为空。</translation>
        </message>
        <message>
            <source>The length of username can not exceed %1.</source>
            <translation>用户名长度不能超过 %1。</translation>
        </message>
        <message>
            <source>The username can not contain ", &lt;, &gt;.</source>
            <translation>用户名不能包含 "、&lt;、&gt;。</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>返回</translation>
        </message>
    </context>
    <context>
        <name>CLoginChangePasswordForm</name>
        <message>
            <source>Form</source>
            <translation>Form</translation>
        </message>
        <message>
            <source>Please change the password for security</source>
            <translation>为了账号安全，请修改密码</translation>
        </message>
        <message>
            <source>New Password</source>
            <translation>新密码</translation>
        </message>
        <message>
            <source>Please Input Your Password</source>
            <translation>请输入密码</translation>
        </message>
        <message>
            <source>Confirm Password</source>
            <translation>确认密码</translation>
        </message>
        <message>
            <source>Next</source>
            <translation>下一步</translation>
        </message>
        <message>
            <source>Skip</source>
            <translation>跳过</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLoginChangePasswordForm</name>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Confirm Password is not consistent with New Password.</source>
            <translation>确认密码与新密码不一致。</translation>
        </message>
        <message>
            <source>The password length is %1-%2 characters
The following special characters can be input %3
Please input at least %4 combinations by upper case letters, numbers and special characters</source>
            <translation>密码长度为 %1-%2 个字符
可输入以下特殊字符 %3
请至少使用大写字母、数字和特殊字符中的 %4 种组合</translation>
        </message>
        <message>
            <source>The new and old password is the same.</source>
            <translation>新密码与旧密码相同。</translation>
        </message>
        <message>
            <source>Change new password failed.</source>
            <translation>修改新密码失败。</translation>
        </message>
    </context>
    <context>
        <name>CContainerSettingsFormWidget</name>
        <message>
            <source>Settings</source>
            <translation>设置</translation>
        </message>
    </context>
</TS>
