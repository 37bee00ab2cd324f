<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>rj_app::views::CHomeDlg</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
        <message>
            <source>Join a Meeting</source>
            <translation>Join a Meeting</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>Join</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Settings</translation>
        </message>
        <message>
            <source>Meetings</source>
            <translation>Meetings</translation>
        </message>
        <message>
            <source>Contacts</source>
            <translation>Contacts</translation>
        </message>
        <message>
            <source>Online</source>
            <translation>Online</translation>
        </message>
        <message>
            <source>Offline</source>
            <translation>Offline</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Changes are not saved, Are you sure you want to leave?</source>
            <translation>Changes are not saved, Are you sure you want to leave?</translation>
        </message>
        <message>
            <source>Your account logged in on another device at %1. This session finished automatically.</source>
            <translation>Your account logged in on another device at %1. This session finished automatically.</translation>
        </message>
        <message>
            <source>Are you sure to close app?</source>
            <translation>Are you sure to close app?</translation>
        </message>
        <message>
            <source>Server unreachable</source>
            <translation>Server unreachable</translation>
        </message>
    </context>
    <context>
        <name>CHomeExitButton</name>
        <message>
            <source>Exit</source>
            <translation>Exit</translation>
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
            <translation>Account:</translation>
        </message>
        <message>
            <source>User ID</source>
            <translation>User ID</translation>
        </message>
        <message>
            <source>Organization</source>
            <translation>Organization</translation>
        </message>
        <message>
            <source>Unit</source>
            <translation>Unit</translation>
        </message>
        <message>
            <source>Mobile</source>
            <translation>Mobile</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>Email</translation>
        </message>
        <message>
            <source>Change Password</source>
            <translation>Change Password</translation>
        </message>
        <message>
            <source>Logout</source>
            <translation>Logout</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Invalid input format</source>
            <translation>Invalid input format</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CMyPasswordDlg</name>
        <message>
            <source>Change Password</source>
            <translation>Change Password</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Old password</source>
            <translation>Old password</translation>
        </message>
        <message>
            <source>Ask administrator to reset if forget</source>
            <translation>Ask administrator to reset if forget</translation>
        </message>
        <message>
            <source>New password</source>
            <translation>New password</translation>
        </message>
        <message>
            <source>Confirm password</source>
            <translation>Confirm password</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Old password is wrong!</source>
            <translation>Old password is wrong!</translation>
        </message>
        <message>
            <source>The new and old password is the same.</source>
            <translation>The new and old password is the same.</translation>
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
            <source>Change new password failed.</source>
            <translation>Change new password failed.</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CMyHeadpicDlg</name>
        <message>
            <source>Photo</source>
            <translation>Photo</translation>
        </message>
        <message>
            <source>Best size 800x800 and within 1MB</source>
            <translation>Best size 800x800 and within 1MB</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Open</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>Upload</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Upload picture failed.</source>
            <translation>Upload picture failed.</translation>
        </message>
        <message>
            <source>Upload picture succeeded</source>
            <translation>Upload picture succeeded</translation>
        </message>
    </context>
</TS>
