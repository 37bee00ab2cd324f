<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>rj_app::views::CConferencesWidget</name>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>Are you sure to delete meeting?</source>
            <translation>Are you sure to delete meeting?</translation>
        </message>
        <message>
            <source>Are you sure to terminate meeting?</source>
            <translation>Are you sure to terminate meeting?</translation>
        </message>
    </context>
    <context>
        <name>CConferencesErrorPage</name>
        <message>
            <source>Error</source>
            <translation>Error</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Back</translation>
        </message>
    </context>
    <context>
        <name>CConferencesSelectuserPage</name>
        <message>
            <source>Back</source>
            <translation>Back</translation>
        </message>
        <message>
            <source>Ok</source>
            <translation>Ok</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CContactsWidget</name>
        <message>
            <source>Delete</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>Video</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>Audio</translation>
        </message>
        <message>
            <source>Account</source>
            <translation>Account</translation>
        </message>
        <message>
            <source>Call ID</source>
            <translation>Call ID</translation>
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
            <source>Telephone</source>
            <translation>Telephone</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>Search</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Sure you want to delete contact?</source>
            <translation>Sure you want to delete contact?</translation>
        </message>
        <message>
            <source>The contact list could not be loaded.</source>
            <translation>The contact list could not be loaded.</translation>
        </message>
        <message>
            <source>The user directory could not be loaded.</source>
            <translation>The user directory could not be loaded.</translation>
        </message>
    </context>
</TS>
