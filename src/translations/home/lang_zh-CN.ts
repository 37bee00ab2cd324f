<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>rj_app::views::CHomeDlg</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
        <message>
            <source>Join a Meeting</source>
            <translation>加入会议</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>加入</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>设置</translation>
        </message>
        <message>
            <source>Meetings</source>
            <translation>会议</translation>
        </message>
        <message>
            <source>Contacts</source>
            <translation>联系人</translation>
        </message>
        <message>
            <source>Online</source>
            <translation>在线</translation>
        </message>
        <message>
            <source>Offline</source>
            <translation>离线</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Changes are not saved, Are you sure you want to leave?</source>
            <translation>更改尚未保存，确定要离开吗？</translation>
        </message>
        <message>
            <source>Your account logged in on another device at %1. This session finished automatically.</source>
            <translation>您的账号于 %1 在其他设备登录，本次会话已自动结束。</translation>
        </message>
        <message>
            <source>Are you sure to close app?</source>
            <translation>确定要关闭应用吗？</translation>
        </message>
        <message>
            <source>Server unreachable</source>
            <translation>无法连接服务器</translation>
        </message>
    </context>
    <context>
        <name>CHomeExitButton</name>
        <message>
            <source>Exit</source>
            <translation>退出</translation>
        </message>
    </context>
    <context>
        <name>CEmptyForm</name>
        <message>
            <source>Form</source>
            <translation>Form</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CMyInfoDlg</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
        <message>
            <source>Account:</source>
            <translation>账号：</translation>
        </message>
        <message>
            <source>User ID</source>
            <translation>用户 ID</translation>
        </message>
        <message>
            <source>Organization</source>
            <translation>组织</translation>
        </message>
        <message>
            <source>Unit</source>
            <translation>部门</translation>
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
            <source>Change Password</source>
            <translation>修改密码</translation>
        </message>
        <message>
            <source>Logout</source>
            <translation>注销</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Invalid input format</source>
            <translation>输入格式无效</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CMyPasswordDlg</name>
        <message>
            <source>Change Password</source>
            <translation>修改密码</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>密码</translation>
        </message>
        <message>
            <source>Old password</source>
            <translation>旧密码</translation>
        </message>
        <message>
            <source>Ask administrator to reset if forget</source>
            <translation>忘记密码请联系管理员重置</translation>
        </message>
        <message>
            <source>New password</source>
            <translation>新密码</translation>
        </message>
        <message>
            <source>Confirm password</source>
            <translation>确认密码</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Old password is wrong!</source>
            <translation>旧密码错误！</translation>
        </message>
        <message>
            <source>The new and old password is the same.</source>
            <translation>新密码与旧密码相同。</translation>
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
可以输入以下特殊字符 %3
请至少输入大写字母、数字和特殊字符中的 %4 种组合</translation>
        </message>
        <message>
            <source>Change new password failed.</source>
            <translation>修改密码失败。</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CMyHeadpicDlg</name>
        <message>
            <source>Photo</source>
            <translation>头像</translation>
        </message>
        <message>
            <source>Best size 800x800 and within 1MB</source>
            <translation>最佳尺寸 800x800，大小不超过 1MB</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>打开</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>上传</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>提示</translation>
        </message>
        <message>
            <source>Upload picture failed.</source>
            <translation>上传图片失败。</translation>
        </message>
        <message>
            <source>Upload picture succeeded</source>
            <translation>上传图片成功</translation>
        </message>
    </context>
</TS>
