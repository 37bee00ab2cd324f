<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>rj_app::models::CUCMApiManager</name>
        <message>
            <source>Unsupported API version(%1).</source>
            <translation>Unsupported API version(%1).</translation>
        </message>
        <message>
            <source>Invalid token(%1).</source>
            <translation>Invalid token(%1).</translation>
        </message>
        <message>
            <source>Invalid parameter(%1).</source>
            <translation>Invalid parameter(%1).</translation>
        </message>
        <message>
            <source>The parameter exceeds the setting range(%1).</source>
            <translation>The parameter exceeds the setting range(%1).</translation>
        </message>
        <message>
            <source>Invalid media type, only "application/json" is supported(%1).</source>
            <translation>Invalid media type, only "application/json" is supported(%1).</translation>
        </message>
        <message>
            <source>You don't have permission to perform this operation(%1).</source>
            <translation>You don't have permission to perform this operation(%1).</translation>
        </message>
        <message>
            <source>Misspelling of the field name in the JSON string(%1).</source>
            <translation>Misspelling of the field name in the JSON string(%1).</translation>
        </message>
        <message>
            <source>Internal error(%1).</source>
            <translation>Internal error(%1).</translation>
        </message>
        <message>
            <source>Meeting does not exist(%1).</source>
            <translation>Meeting does not exist(%1).</translation>
        </message>
        <message>
            <source>The meeting is being initiated or in progress(%1).</source>
            <translation>The meeting is being initiated or in progress(%1).</translation>
        </message>
        <message>
            <source>The meeting has ended or has been deleted(%1).</source>
            <translation>The meeting has ended or has been deleted(%1).</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::AlertDlg</name>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>Yes</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>No</source>
            <translation>No</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLoginDlg</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CallWaitingWidget</name>
        <message>
            <source>Waiting...# </source>
            <translation>Waiting...# </translation>
        </message>
        <message>
            <source> now</source>
            <translation> now</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CompactWidget</name>
        <message>
            <source>Form</source>
            <translation>Form</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CRemoteContentDlg</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CMediaStatisticsDlg</name>
        <message>
            <source>Media Statistics</source>
            <translation>Media Statistics</translation>
        </message>
        <message>
            <source>Media Direction</source>
            <translation>Media Direction</translation>
        </message>
        <message>
            <source>Codec</source>
            <translation>Codec</translation>
        </message>
        <message>
            <source>Line Rate
(kbps)</source>
            <translation>Line Rate
(kbps)</translation>
        </message>
        <message>
            <source>Actual Line Rate
(kbps)</source>
            <translation>Actual Line Rate
(kbps)</translation>
        </message>
        <message>
            <source>Resolution</source>
            <translation>Resolution</translation>
        </message>
        <message>
            <source>Frame Rate
(fps)</source>
            <translation>Frame Rate
(fps)</translation>
        </message>
        <message>
            <source>Packet Lost Rate</source>
            <translation>Packet Lost Rate</translation>
        </message>
        <message>
            <source>Encryption</source>
            <translation>Encryption</translation>
        </message>
        <message>
            <source>Audio In</source>
            <translation>Audio In</translation>
        </message>
        <message>
            <source>Audio Out</source>
            <translation>Audio Out</translation>
        </message>
        <message>
            <source>Video In</source>
            <translation>Video In</translation>
        </message>
        <message>
            <source>Video Out</source>
            <translation>Video Out</translation>
        </message>
        <message>
            <source>Content In</source>
            <translation>Content In</translation>
        </message>
        <message>
            <source>Content Out</source>
            <translation>Content Out</translation>
        </message>
        <message>
            <source>White Board In</source>
            <translation>White Board In</translation>
        </message>
        <message>
            <source>White Board Out</source>
            <translation>White Board Out</translation>
        </message>
        <message>
            <source>Encrypted</source>
            <translation>Encrypted</translation>
        </message>
        <message>
            <source>Not encrypted</source>
            <translation>Not encrypted</translation>
        </message>
    </context>
    <context>
        <name>CJoinConfDlg</name>
        <message>
            <source>Join a Meeting</source>
            <translation>Join a Meeting</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Turn off Microphone</source>
            <translation>Turn off Microphone</translation>
        </message>
        <message>
            <source>Turn off Camera</source>
            <translation>Turn off Camera</translation>
        </message>
    </context>
    <context>
        <name>CJoinConfWidget</name>
        <message>
            <source>Join a Meeting</source>
            <translation>Join a Meeting</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Turn off Microphone</source>
            <translation>Turn off Microphone</translation>
        </message>
        <message>
            <source>Turn off Camera</source>
            <translation>Turn off Camera</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CJoinConfDlg</name>
        <message>
            <source>Input meeting ID</source>
            <translation>Input meeting ID</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>Join</translation>
        </message>
        <message>
            <source>Video Join</source>
            <translation>Video Join</translation>
        </message>
        <message>
            <source>Audio Join</source>
            <translation>Audio Join</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CJoinConfWidget</name>
        <message>
            <source>Input meeting ID</source>
            <translation>Input meeting ID</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>Join</translation>
        </message>
        <message>
            <source>Video Join</source>
            <translation>Video Join</translation>
        </message>
        <message>
            <source>Audio Join</source>
            <translation>Audio Join</translation>
        </message>
    </context>
    <context>
        <name>CSelectShareContent</name>
        <message>
            <source>Choose to share content</source>
            <translation>Choose to share content</translation>
        </message>
        <message>
            <source>desktop</source>
            <translation>Desktop</translation>
        </message>
        <message>
            <source>appwindow</source>
            <translation>Application windows</translation>
        </message>
        <message>
            <source>Share Computer Sound</source>
            <translation>Share Computer Sound</translation>
        </message>
        <message>
            <source>Preferred Fluency</source>
            <translation>Preferred Fluency</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Share</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CSelectShareContent</name>
        <message>
            <source>Other participants will be able to hear the audio being played on your computer</source>
            <translation>Other participants will be able to hear the audio being played on your computer</translation>
        </message>
        <message>
            <source>Ensure shared content fluency first</source>
            <translation>Ensure shared content fluency first</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>Service is not connected, please wait...</source>
            <translation>Service is not connected, please wait...</translation>
        </message>
        <message>
            <source>Receiving whiteboard.</source>
            <translation>Receiving whiteboard.</translation>
        </message>
    </context>
    <context>
        <name>CWidgetContents</name>
        <message>
            <source>Screen %1</source>
            <translation>Screen %1</translation>
        </message>
        <message>
            <source>WhiteBoard</source>
            <translation>WhiteBoard</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CLayoutCellCoverDlg</name>
        <message>
            <source>%1's Screen Sharing</source>
            <translation>%1's Screen Sharing</translation>
        </message>
    </context>
    <context>
        <name>CConferenceItemWidget</name>
        <message>
            <source>Schedule</source>
            <translation>Schedule</translation>
        </message>
        <message>
            <source>Ongoing</source>
            <translation>Ongoing</translation>
        </message>
        <message>
            <source>Fixed</source>
            <translation>Fixed</translation>
        </message>
        <message>
            <source>Time:</source>
            <translation>Time:</translation>
        </message>
        <message>
            <source>Meeting ID:</source>
            <translation>Meeting ID:</translation>
        </message>
        <message>
            <source>Applicant:</source>
            <translation>Applicant:</translation>
        </message>
    </context>
    <context>
        <name>CConferencesToolBtn</name>
        <message>
            <source>My room</source>
            <translation>My room</translation>
        </message>
        <message>
            <source>Schedule meeting</source>
            <translation>Schedule meeting</translation>
        </message>
        <message>
            <source>Join meeting</source>
            <translation>Join meeting</translation>
        </message>
    </context>
    <context>
        <name>CConferencesMainPage</name>
        <message>
            <source>My room</source>
            <translation>My room</translation>
        </message>
        <message>
            <source>Meeting ID:</source>
            <translation>Meeting ID:</translation>
        </message>
    </context>
    <context>
        <name>CConferencesMyroomPage</name>
        <message>
            <source>Back</source>
            <translation>Back</translation>
        </message>
        <message>
            <source>My room</source>
            <translation>My room</translation>
        </message>
        <message>
            <source>Meeting ID</source>
            <translation>Meeting ID</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>Join</translation>
        </message>
    </context>
    <context>
        <name>CConferencesDetailPage</name>
        <message>
            <source>Back</source>
            <translation>Back</translation>
        </message>
        <message>
            <source>Meeting detail</source>
            <translation>Meeting detail</translation>
        </message>
        <message>
            <source>Meeting Title</source>
            <translation>Meeting Title</translation>
        </message>
        <message>
            <source>Start Time</source>
            <translation>Start Time</translation>
        </message>
        <message>
            <source>Duration</source>
            <translation>Duration</translation>
        </message>
        <message>
            <source>Meeting ID</source>
            <translation>Meeting ID</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Description</source>
            <translation>Description</translation>
        </message>
        <message>
            <source>Participaints</source>
            <translation>Participaints</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>Edit</translation>
        </message>
        <message>
            <source>Immediate</source>
            <translation>Immediate</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>Join</source>
            <translation>Join</translation>
        </message>
        <message>
            <source>End</source>
            <translation>End</translation>
        </message>
    </context>
    <context>
        <name>CConferencestableview</name>
        <message>
            <source>Add</source>
            <translation>Add</translation>
        </message>
    </context>
    <context>
        <name>WhiteBoardSelectBgWidget</name>
        <message>
            <source>Form</source>
            <translation>Form</translation>
        </message>
    </context>
    <context>
        <name>CAttendeesButton</name>
        <message>
            <source>Attendees</source>
            <translation>Attendees</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CAttendessWidgets</name>
        <message>
            <source>Attendees</source>
            <translation>Attendees</translation>
        </message>
        <message>
            <source>Video(%1)</source>
            <translation>Video(%1)</translation>
        </message>
        <message>
            <source>Audio(%1)</source>
            <translation>Audio(%1)</translation>
        </message>
    </context>
    <context>
        <name>CSettingsForm</name>
        <message>
            <source>PRODUCT_NAME</source>
            <translation>Glimora</translation>
        </message>
        <message>
            <source>General</source>
            <translation>General</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>Audio</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>Video</translation>
        </message>
        <message>
            <source>Network Report</source>
            <translation>Network Report</translation>
        </message>
        <message>
            <source>About</source>
            <translation>About</translation>
        </message>
        <message>
            <source>Protocol</source>
            <translation>Protocol</translation>
        </message>
        <message>
            <source>Screen Name</source>
            <translation>Screen Name</translation>
        </message>
        <message>
            <source>Enable SIP Registration</source>
            <translation>Enable SIP Registration</translation>
        </message>
        <message>
            <source>SIP Server</source>
            <translation>SIP Server</translation>
        </message>
        <message>
            <source>SIP Domain</source>
            <translation>SIP Domain</translation>
        </message>
        <message>
            <source>SIP Number</source>
            <translation>SIP Number</translation>
        </message>
        <message>
            <source>SIP Username</source>
            <translation>SIP Username</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Password</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Save</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Input Server Address</source>
            <translation>Input Server Address</translation>
        </message>
        <message>
            <source>Saved Successfully!</source>
            <translation>Saved Successfully!</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>Changes are not saved, Are you sure you want to leave?</source>
            <translation>Changes are not saved, Are you sure you want to leave?</translation>
        </message>
    </context>
    <context>
        <name>CContactsListview</name>
        <message>
            <source>(Me)</source>
            <translation>(Me)</translation>
        </message>
        <message>
            <source>Add contacts</source>
            <translation>Add contacts</translation>
        </message>
        <message>
            <source>Organization</source>
            <translation>Organization</translation>
        </message>
        <message>
            <source>My contacts</source>
            <translation>My contacts</translation>
        </message>
    </context>
    <context>
        <name>CContactsAddDelegate</name>
        <message>
            <source>Add</source>
            <translation>Add</translation>
        </message>
        <message>
            <source>Added</source>
            <translation>Added</translation>
        </message>
    </context>
    <context>
        <name>CUpdateMessageWidget</name>
        <message>
            <source>Software Update</source>
            <translation>Software Update</translation>
        </message>
        <message>
            <source>No</source>
            <translation>No</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>Yes</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Download</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CUpdateMessageWidget</name>
        <message>
            <source>Downloading the latest software</source>
            <translation>Downloading the latest software</translation>
        </message>
        <message>
            <source>Do you want to install the latest software?</source>
            <translation>Do you want to install the latest software?</translation>
        </message>
        <message>
            <source>download failed</source>
            <translation>download failed</translation>
        </message>
    </context>
    <context>
        <name>rj_app::views::CDownloadThread</name>
        <message>
            <source>The latest software is found (%1)</source>
            <translation>The latest software is found (%1)</translation>
        </message>
        <message>
            <source>Prompt</source>
            <translation>Prompt</translation>
        </message>
        <message>
            <source>Failed to execute upgrade.</source>
            <translation>Failed to execute upgrade.</translation>
        </message>
    </context>
</TS>
