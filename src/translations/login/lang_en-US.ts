<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>CLoginDlg</name>
        <message>
            <source>Settings</source>
            <translation>Settings</translation>
        </message>
    </context>
    <context>
        <name>CLoginInfoForm</name>
        <message>
            <source>Login</source>
            <translation>Login</translation>
        </message>
        <message>
            <source>Server</source>
            <translation>Server</translation>
        </message>
        <message>
            <source>Please Input Server Address</source>
            <translation>Please Input Server Address</translation>
        </message>
        <message>
            <source>Account</source>
            <translation>Account</translation>
        </message>
        <message>
            <source>Please Input Your Account</source>
            <translation>Please Input Your Account</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Please Input Your Password</source>
            <translation>Please Input Your Password</translation>
        </message>
        <message>
            <source>Port</source>
            <translation>Port</translation>
        </message>
        <message>
            <source>Please Input Port Number (Optional)</source>
            <translation>Please Input Port Number (Optional)</translation>
        </message>
        <message>
            <source>HTTPS</source>
            <translation>HTTPS</translation>
        </message>
        <message>
            <source>More</source>
            <translation>More</translation>
        </message>
        <message>
            <source>Skipped Login</source>
            <translation>Skipped Login</translation>
        </message>
        <message>
            <source>Guest Join Meeting</source>
            <translation>Guest Join Meeting</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLoginInfoForm</name>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>The value of port can only be number from 1 to 65535.</source>
            <translation>The value of port can only be number from 1 to 65535.</translation>
        </message>
    </context>
    <context>
        <name>CLoginJoinConfForm</name>
        <message>
            <source>Join Meeting</source>
            <translation>Join Meeting</translation>
        </message>
        <message>
            <source>Server</source>
            <translation>Server</translation>
        </message>
        <message>
            <source>Please Input Server Address</source>
            <translation>Please Input Server Address</translation>
        </message>
        <message>
            <source>Meeting Number</source>
            <translation>Meeting Number</translation>
        </message>
        <message>
            <source>Please Input Meeting Number</source>
            <translation>Please Input Meeting Number</translation>
        </message>
        <message>
            <source>Display Name</source>
            <translation>Display Name</translation>
        </message>
        <message>
            <source>Please Input Display Name</source>
            <translation>Please Input Display Name</translation>
        </message>
        <message>
            <source>Meeting Password(Optional)</source>
            <translation>Meeting Password(Optional)</translation>
        </message>
        <message>
            <source>Please Input Meeting Password (Optional)</source>
            <translation>Please Input Meeting Password</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Back</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLoginJoinConfForm</name>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>The username can not be empty.</source>
            <translation>The username can not be empty.</translation>
        </message>
        <message>
            <source>The length of username can not exceed %1.</source>
            <translation>The length of username can not exceed %1.</translation>
        </message>
        <message>
            <source>The username can not contain ", &lt;, &gt;.</source>
            <translation>The username can not contain ", &lt;, &gt;.</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Back</translation>
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
            <translation>Please change the password for security</translation>
        </message>
        <message>
            <source>New Password</source>
            <translation>New Password</translation>
        </message>
        <message>
            <source>Please Input Your Password</source>
            <translation>Please Input Your Password</translation>
        </message>
        <message>
            <source>Confirm Password</source>
            <translation>Confirm Password</translation>
        </message>
        <message>
            <source>Next</source>
            <translation>Next</translation>
        </message>
        <message>
            <source>Skip</source>
            <translation>Skip</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLoginChangePasswordForm</name>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Confirm Password is not consistent with New Password.</source>
            <translation>Confirm Password is not consistent with New Password.</translation>
        </message>
        <message>
            <source>The password length is %1-%2 characters
The following special characters can be input %3
Please input at least %4 combinations by upper case letters, numbers and special characters</source>
            <translation>The password length is %1-%2 characters
The following special characters can be input %3
Please input at least %4 combinations by upper case letters, numbers and special characters</translation>
        </message>
        <message>
            <source>The new and old password is the same.</source>
            <translation>The new and old password is the same.</translation>
        </message>
        <message>
            <source>Change new password failed.</source>
            <translation>Change new password failed.</translation>
        </message>
    </context>
    <context>
        <name>CContainerSettingsFormWidget</name>
        <message>
            <source>Settings</source>
            <translation>Settings</translation>
        </message>
    </context>
</TS>
